#include "components/application.h"
#include "localisation/multilanguage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/controls.h"

namespace kalvero {
namespace {

const TTextLines kScript = {
    "[German]",  "Label1.Caption = 'Quellordner:'", "msgErrorPath = 'Pfad!'", "msgErrorPath = 'zweiter'",
    "",          "[English]",                       "Label1.Caption = 'Source folder:'", "msgErrorPath = 'Path!'",
};

TEST(TMultilanguageGetText, FindsTheFirstEntryOfAKeyCaseSensitively) {
  TComponent window;
  auto& lng = window.CreateComponent<TMultilanguage>("lng");
  lng.SetScript(kScript);
  lng.SetLanguage("German");
  EXPECT_EQ(lng.GetText("msgErrorPath"), "Pfad!");
  EXPECT_EQ(lng.GetText("msgerrorpath"), "");
  EXPECT_EQ(lng.GetText("Label1.Caption"), "Quellordner:") << "property entries are found too";
  EXPECT_EQ(lng.GetText("missing"), "");
}

TEST(TMultilanguageGetText, UnknownLanguageEmptiesEveryTextUntilAKnownOneReturns) {
  TComponent window;
  auto& lng = window.CreateComponent<TMultilanguage>("lng");
  lng.SetScript(kScript);
  lng.SetLanguage("Klingon");
  EXPECT_EQ(lng.Language(), "Klingon");
  EXPECT_TRUE(lng.CurrentLines().empty());
  EXPECT_EQ(lng.GetText("msgErrorPath"), "");
  lng.SetLanguage("english");
  EXPECT_EQ(lng.GetText("msgErrorPath"), "Path!");
}

TEST(TMultilanguageTranslate, AppliesEntriesToTheOwnersComponentsInLineOrder) {
  TComponent window;
  auto& label = window.CreateComponent<TLabel>("Label1");
  auto& lng = window.CreateComponent<TMultilanguage>("lng");
  lng.SetScript({"[German]", "cb3.Caption = 'no such control'", "Label1.Caption = 'first'",
                 "msgErrorPath = 'a message key sets nothing'", "; Label1.Caption = 'commented out'",
                 "LABEL1.caption = 'second'", "Label1.Caption.Extra = 'no object property'"});
  lng.SetLanguage("German");
  EXPECT_EQ(label.Text(), "second");
}

TEST(TMultilanguageTranslate, WritingScriptTranslatesAndCallsOnTranslate) {
  TComponent window;
  auto& label = window.CreateComponent<TLabel>("Label1");
  auto& lng = window.CreateComponent<TMultilanguage>("lng");
  std::vector<std::string> seen;
  lng.OnTranslate = [&](TMultilanguage& sender) { seen.push_back(sender.Name() + ":" + label.Text()); };
  lng.SetLanguage("English");
  lng.SetScript(kScript);
  EXPECT_EQ(seen, (std::vector<std::string>{"lng:", "lng:Source folder:"}));
}

TEST(TMultilanguageTranslate, SwitchToALanguageWithoutSectionKeepsCaptions) {
  TComponent window;
  auto& label = window.CreateComponent<TLabel>("Label1");
  auto& lng = window.CreateComponent<TMultilanguage>("lng");
  lng.SetScript(kScript);
  lng.SetLanguage("English");
  lng.SetLanguage("Spanish");
  EXPECT_EQ(label.Text(), "Source folder:");
}

TEST(TMultilanguageLanguage, WithoutSynchroniserOnlyTheWrittenComponentChanges) {
  TApplication application;
  auto& lng1 = application.CreateComponent<TComponent>("Form1").CreateComponent<TMultilanguage>("lng");
  auto& lng3 = application.CreateComponent<TComponent>("Form3").CreateComponent<TMultilanguage>("lng");
  lng1.SetScript(kScript);
  lng3.SetScript(kScript);
  lng1.SetLanguage("German");
  lng3.SetLanguage("English");
  EXPECT_EQ(lng1.GetText("msgErrorPath"), "Pfad!");
  EXPECT_EQ(lng3.GetText("msgErrorPath"), "Path!");
  EXPECT_EQ(lng1.Language(), "German");
}

TEST(TMultilanguageLanguage, FirstSynchroniserHoldsTheLanguageOfEveryWindow) {
  TApplication application;
  auto& form1 = application.CreateComponent<TComponent>("Form1");
  auto& older = form1.CreateComponent<TMultilanguage>("");
  auto& sync = form1.CreateComponent<TMultilanguageSync>("");
  auto& lng = form1.CreateComponent<TMultilanguage>("lng");
  auto& lngsync = form1.CreateComponent<TMultilanguageSync>("lngsync");
  auto& help = application.CreateComponent<TComponent>("Form3").CreateComponent<TMultilanguage>("Multilanguage1");

  std::vector<std::string> order;
  for (TMultilanguage* m : {&older, &lng, &help}) {
    m->SetScript(kScript);
    m->OnTranslate = [&order](TMultilanguage& sender) { order.push_back(sender.Owner()->Name() + "." + sender.Name()); };
  }
  order.clear();
  lng.SetLanguage("English");
  EXPECT_EQ(sync.Language(), "English");
  EXPECT_EQ(lngsync.Language(), "") << "only the first synchroniser is written";
  EXPECT_EQ(help.Language(), "English");
  EXPECT_EQ(help.GetText("msgErrorPath"), "Path!");
  EXPECT_EQ(order, (std::vector<std::string>{"Form1.", "Form1.lng", "Form3.Multilanguage1"}));

  lngsync.SetLanguage("German");  // stored there, but every script still follows the first one
  EXPECT_EQ(lng.Language(), "English");
  EXPECT_EQ(lng.GetText("msgErrorPath"), "Path!");
}

TEST(FindSync, WalksDepthFirstInOwnershipOrder) {
  TApplication application;
  auto& form1 = application.CreateComponent<TComponent>("Form1");
  auto& nested = form1.CreateComponent<TComponent>("Frame").CreateComponent<TMultilanguageSync>("inner");
  form1.CreateComponent<TMultilanguageSync>("outer");
  EXPECT_EQ(FindSync(application), &nested);
  EXPECT_EQ(FindSync(TComponent()), nullptr);
}

TEST(TMultilanguageLanguage, IsPublishedAsATextProperty) {
  TComponent window;
  auto& lng = window.CreateComponent<TMultilanguage>("lng");
  lng.SetScript(kScript);
  EXPECT_TRUE(SetPropertyFromText(lng, "language", "English"));
  EXPECT_EQ(lng.GetText("msgErrorPath"), "Path!");
}

}  // namespace
}  // namespace kalvero
