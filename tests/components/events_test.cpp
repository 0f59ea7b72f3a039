// Event handlers, the application's error handler, the change rule and the focus rule of the
// component model, without any widget.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "components/application.h"
#include "components/forms.h"
#include "components/persistent.h"
#include "components/property_kinds.h"
#include "tests/support/recording_dialogs.h"

namespace kalvero {
namespace {

// A window of an application with a few controls, and the application's error boxes recorded.
class EventsTest : public testing::Test {
 protected:
  EventsTest() {
    application.SetTitle("Kalvero 1.3");
    application.OnException = [this](const std::string& message) { errors.push_back(message); };
  }

  TApplication application;
  TForm& window = application.CreateComponent<TForm>("Form1");
  TEdit& edit1 = window.CreateComponent<TEdit>("Edit1");
  TEdit& edit2 = window.CreateComponent<TEdit>("Edit2");
  TCheckBox& cb2 = window.CreateComponent<TCheckBox>("cb2");
  std::vector<std::string> errors;
  std::vector<std::string> log;
};

TEST_F(EventsTest, AHandlerReadFromOneControlRunsForAnotherWithItsSender) {
  edit1.OnChange = [this](TComponent& sender) { log.push_back("preview for " + sender.Name()); };
  // What the window does for Edit2's change and cb2's click: Edit1's handler with the window as sender.
  edit2.OnChange = [this](TComponent&) { Fire(window, edit1.OnChange, window); };
  cb2.OnClick = edit2.OnChange;
  edit2.SetText("YYYY");
  cb2.Click();
  EXPECT_EQ(log, (std::vector<std::string>{"preview for Form1", "preview for Form1"}));
}

TEST_F(EventsTest, AnExceptionOfAHandlerGoesToTheOneErrorHandlerAndTheProgramGoesOn) {
  edit1.OnChange = [](TComponent&) { throw std::runtime_error("Cannot create the folder \"t/x\""); };
  edit1.SetText("a");
  EXPECT_EQ(errors, std::vector<std::string>{"Cannot create the folder \"t/x\""});
  edit1.OnKeyPress = [](TComponent&, char32_t&) { throw 42; };
  EXPECT_EQ(edit1.FilterKey(U'x'), U'x');
  EXPECT_EQ(errors.back(), "Unknown error");
  // Outside an application nothing can show the error: it passes on to the caller.
  TForm lonely;
  lonely.OnCreate = [](TComponent&) { throw std::runtime_error("no application"); };
  EXPECT_THROW(lonely.DoCreate(), std::runtime_error);
}

TEST_F(EventsTest, TheErrorBoxIsTitledWithTheApplicationAndEndsWithAFullStop) {
  TRecordingDialogs dialogs;
  TApplication boxes(&dialogs);
  boxes.SetTitle("Kalvero 1.3");
  TForm& form = boxes.CreateComponent<TForm>("Form1");
  form.OnCreate = [](TComponent&) { throw std::runtime_error("Disk full"); };
  form.DoCreate();
  form.OnCreate = [](TComponent&) { throw std::runtime_error("Done."); };
  form.DoCreate();
  std::vector<std::vector<std::string>> shown;
  for (const TRecordingDialogs::TBox& box : dialogs.boxes)
    shown.push_back({box.kind == TMessageKind::Error ? "error" : "other", box.caption, box.text});
  EXPECT_EQ(shown, (std::vector<std::vector<std::string>>{{"error", "Kalvero 1.3", "Disk full."},
                                                          {"error", "Kalvero 1.3", "Done."}}));
}

struct TChangeCase {
  std::string name;
  std::string before;
  std::string written;
  bool quietly;
  int changes;
};

class EditChangeRuleTest : public EventsTest, public testing::WithParamInterface<TChangeCase> {};

TEST_P(EditChangeRuleTest, ADifferentTextFiresOnceTheSameTextNothing) {
  edit1.SetTextQuietly(GetParam().before);
  int changes = 0;
  edit1.OnChange = [&changes](TComponent&) { ++changes; };
  if (GetParam().quietly)
    edit1.SetTextQuietly(GetParam().written);
  else
    edit1.SetText(GetParam().written);
  EXPECT_EQ(changes, GetParam().changes);
  EXPECT_EQ(edit1.Text(), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(ChangeRule, EditChangeRuleTest,
                         testing::Values(TChangeCase{"DifferentText", "a", "b", false, 1},
                                         TChangeCase{"SameText", "a", "a", false, 0},
                                         TChangeCase{"EmptiedText", "a", "", false, 1},
                                         TChangeCase{"QuietWrite", "a", "b", true, 0},
                                         TChangeCase{"ElevenCharactersKeptWhole", "", "YYYY.MM.DDx", false, 1}),
                         [](const auto& row) { return row.param.name; });

// Focus that moves between controls of the window runs the OnExit of the control left; focus that
// leaves the window (deactivation, a message box, another window) and comes back runs nothing.
TEST_F(EventsTest, OnExitRunsOnlyWhenTheFocusMovesToAnotherControlOfTheWindow) {
  edit2.OnExit = [this](TComponent& sender) { log.push_back("exit " + sender.Name()); };
  TForm& help = application.CreateComponent<TForm>("Form3");
  TButton& ok = help.CreateComponent<TButton>("Button1");

  edit2.SetFocus();
  help.FocusMovedTo(ok);        // a help window opened: focus in another window
  window.FocusMovedTo(edit2);   // back again, to the same control
  window.FocusMovedTo(ok);      // not a control of this window: ignored
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(window.ActiveControl(), &edit2);
  window.FocusMovedTo(edit1);   // Tab, a click or the program
  EXPECT_EQ(log, std::vector<std::string>{"exit Edit2"});
  window.DestroyComponent(edit1);
  EXPECT_EQ(window.ActiveControl(), nullptr) << "a destroyed control is forgotten";
}

TEST_F(EventsTest, ClosingTheMainWindowEndsTheProgramAnyOtherHides) {
  TForm& about = application.CreateComponent<TForm>("Form2");
  window.OnClose = [this](TComponent&) { log.push_back("settings saved"); };
  about.Show();
  about.Close();
  EXPECT_FALSE(about.Visible());
  EXPECT_FALSE(application.Terminated());
  about.Show();
  window.Close();
  EXPECT_EQ(log, std::vector<std::string>{"settings saved"});
  EXPECT_TRUE(application.Terminated()) << "also while another window is shown";
  EXPECT_EQ(application.MainForm(), &window);
}

// An idle handler may destroy the owner of a handler that comes after it in the same idle call:
// that handler does not run, the others do.
TEST_F(EventsTest, AnIdleHandlerWhoseOwnerAnEarlierHandlerDestroyedDoesNotRun) {
  auto& first = window.CreateComponent<TComponent>("First");
  auto& doomed = window.CreateComponent<TComponent>("Doomed");
  auto& last = window.CreateComponent<TComponent>("Last");
  application.AddIdleHandler(first, [this, &doomed] {
    log.push_back("first");
    window.DestroyComponent(doomed);
  });
  application.AddIdleHandler(doomed, [this, &doomed] { log.push_back(doomed.Name()); });
  application.AddIdleHandler(last, [this] { log.push_back("last"); });
  application.Idle();
  EXPECT_EQ(log, (std::vector<std::string>{"first", "last"}));
}

// A component that refuses any owner but a window, and a second of its kind there.
class TOnePerWindow final : public TComponent {
 protected:
  void Inserted() override {
    if (dynamic_cast<TForm*>(Owner()) == nullptr) throw EComponentError("Control parent must be a form!");
    for (std::size_t i = 0; i < Owner()->ComponentCount(); ++i)
      if (&Owner()->Component(i) != this && dynamic_cast<TOnePerWindow*>(&Owner()->Component(i)))
        throw EComponentError("Only one instance allowed on form");
  }
};

TEST_F(EventsTest, AComponentSeesItsOwnerWhenInsertedAndMayRefuseIt) {
  window.CreateComponent<TOnePerWindow>("Hint1");
  EXPECT_THROW(window.CreateComponent<TOnePerWindow>("Hint2"), EComponentError);
  EXPECT_THROW(edit1.CreateComponent<TOnePerWindow>("Hint3"), EComponentError);
  EXPECT_EQ(window.FindComponent("Hint2"), nullptr);
  EXPECT_EQ(edit1.ComponentCount(), 0u);
}

// A component that keeps a reference to another, cleared when that one is destroyed.
class TReferrer final : public TComponent {
 public:
  void Refer(TComponent& other) {
    referred = &other;
    FreeNotification(other);
  }
  TComponent* referred = nullptr;

 protected:
  void Notification(TComponent& destroyed) override {
    if (&destroyed == referred) referred = nullptr;
  }
};

TEST_F(EventsTest, AReferenceIsClearedWhenTheComponentGoesWhicheverGoesFirst) {
  auto& referrer = window.CreateComponent<TReferrer>("Referrer");
  auto& list = window.CreateComponent<TComponent>("ImageList1");
  referrer.Refer(list);
  window.DestroyComponent(list);
  EXPECT_EQ(referrer.referred, nullptr);
  auto& other = window.CreateComponent<TComponent>("Other");
  referrer.Refer(other);
  window.DestroyComponent(referrer);
  window.DestroyComponent(other);  // must not tell the destroyed referrer
}

// A class that publishes Caption again, with a setter of its own.
class TShouting final : public TLabel {
 public:
  const TPropertyTable& Properties() const override {
    static const TPropertyTable table(&TLabel::Properties(),
                                      {TextProperty("CAPTION", &TShouting::Loud, &TShouting::SetLoud)});
    return table;
  }
  std::string Loud() const { return Text(); }
  void SetLoud(std::string text) { SetText(text + "!"); }
};

TEST(PropertyTable, APropertyPublishedAgainReplacesTheBaseEntryInItsPlace) {
  TShouting label;
  const TPropertyTable& table = label.Properties();
  std::size_t captions = 0;
  for (std::size_t i = 0; i < table.Count(); ++i) captions += table[i].Name() == "Caption" || table[i].Name() == "CAPTION";
  EXPECT_EQ(captions, 1u);
  EXPECT_EQ(table.Count(), TLabel().Properties().Count());
  ASSERT_TRUE(SetPropertyFromText(label, "caption", "Hallo"));
  EXPECT_EQ(label.Text(), "Hallo!");
}

}  // namespace
}  // namespace kalvero
