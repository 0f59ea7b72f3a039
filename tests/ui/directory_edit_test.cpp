// The folder edit box: its browsing rules over a scripted browser, and the Qt box with Qt's real
// folder dialog on the offscreen platform.

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>

#include "components/qt/qt_application.h"
#include "components/qt/qt_form.h"
#include "components/qt/qt_registry.h"
#include "components/window_builder.h"
#include "tests/support/case_name.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/temp_folder.h"
#include "tests/support/widget_of.h"
#include "ui/qt/qt_directory_edit.h"
#include "ui/ui_registry.h"

namespace kalvero {
namespace {

// A box whose browser answers what the test says, and records what it was asked.
class TScriptedBox final : public TDirectoryEdit {
 public:
  std::function<TFolderBrowserAnswer()> answer = [] { return TFolderBrowserAnswer{}; };
  std::vector<TFolderBrowserRequest> asked;

 protected:
  TFolderBrowserAnswer RunFolderBrowser(const TFolderBrowserRequest& request) override {
    asked.push_back(request);
    return answer();
  }
};

struct TBrowseCase {
  std::string name;
  std::string text;
  std::function<TFolderBrowserAnswer()> answer;
  std::string textAfter;
  int changes;
};

const std::vector<TBrowseCase> kBrowses = {
    {"AnotherFolderIsWrittenAndFiresOnce", "/fotos", [] { return TFolderBrowserAnswer{true, "/bilder"}; }, "/bilder", 1},
    {"TheSameFolderFiresNothing", "/fotos", [] { return TFolderBrowserAnswer{true, "/fotos"}; }, "/fotos", 0},
    {"CancelFiresNothing", "/fotos", [] { return TFolderBrowserAnswer{}; }, "/fotos", 0},
    {"AnItemWithoutAPathChangesNothing", "/fotos", [] { return TFolderBrowserAnswer{true, std::nullopt}; }, "/fotos", 0},
    {"AnExceptionCountsAsCancel", "/fotos",
     []() -> TFolderBrowserAnswer { throw std::runtime_error("the browser failed"); }, "/fotos", 0},
    {"LetterCaseMatters", "/fotos", [] { return TFolderBrowserAnswer{true, "/Fotos"}; }, "/Fotos", 1},
};

class DirectoryEditBrowseTest : public testing::TestWithParam<TBrowseCase> {};

TEST_P(DirectoryEditBrowseTest, ChoosingAFolderFiresOnlyWhenTheTextChanges) {
  TScriptedBox box;
  box.SetTextQuietly(GetParam().text);
  int changes = 0;
  box.OnChange = [&changes](TComponent&) { ++changes; };
  box.answer = GetParam().answer;
  box.Browse();
  EXPECT_EQ(box.Text(), GetParam().textAfter);
  EXPECT_EQ(changes, GetParam().changes);
}

INSTANTIATE_TEST_SUITE_P(Browsing, DirectoryEditBrowseTest, testing::ValuesIn(kBrowses), TCaseName());

TEST(DirectoryEdit, TheBrowserOpensOnTheTextOrTheCurrentFolderAndMayBeRedirected) {
  TScriptedBox box;
  box.SetBrowseDialogText("Bitte w\xC3\xA4hlen Sie ein Verzeichnis:");
  box.SetAllowNewFolder(false);
  std::vector<std::string> offered;
  box.OnShowDirectoryDialog = [&offered](TComponent&, std::string& folder) { offered.push_back(folder); };
  box.Browse();
  const std::string current = std::filesystem::current_path().string();
  ASSERT_EQ(box.asked.size(), 1u);
  EXPECT_EQ(box.asked[0].selection, current);
  EXPECT_EQ(offered, std::vector<std::string>{current});
  EXPECT_EQ(box.asked[0].title, "Bitte w\xC3\xA4hlen Sie ein Verzeichnis:");
  EXPECT_FALSE(box.asked[0].allowNewFolder);
  box.SetTextQuietly("/media/karte/");
  box.OnShowDirectoryDialog = [&offered](TComponent&, std::string& folder) {
    offered.push_back(folder);
    folder = "/elsewhere";
  };
  box.Browse();
  EXPECT_EQ(offered.back(), "/media/karte") << "one trailing separator removed";
  EXPECT_EQ(box.asked[1].selection, "/elsewhere") << "the browser opens where the handler redirected it";
}

TEST(DirectoryEdit, SelectionDropsOneTrailingSeparatorOnly) {
  EXPECT_EQ(BrowserSelection("/home/anna/", "/cwd"), "/home/anna");
  EXPECT_EQ(BrowserSelection("/home/anna//", "/cwd"), "/home/anna/");
  EXPECT_EQ(BrowserSelection("/", "/cwd"), "/") << "the root stays the root";
  EXPECT_EQ(BrowserSelection("//", "/cwd"), "/");
  EXPECT_EQ(BrowserSelection("", "/cwd"), "/cwd");
}

struct TPlacementCase {
  std::string name;
  TPoint below;
  TPoint expected;
  TPoint screenEnd = {1024, 768};
};

// A box of height 21 whose bottom left corner is `below`, a browser of 400 x 300, in the desktop's
// coordinates: a 1024 x 768 screen at the origin, or a second one of that size beside or below it.
const std::vector<TPlacementCase> kPlacements = {
    {"BelowTheBox", {100, 100}, {100, 100}},
    {"LeftOfTheBoxAtTheRightEdge", {700, 100}, {300, 100}},
    {"ExactlyFillingTheWidthStaysRight", {624, 100}, {624, 100}},
    {"AboveTheBoxAtTheBottomEdge", {100, 500}, {100, 179}},
    {"ReachingTheBottomEdgeExactlyGoesAbove", {100, 468}, {100, 147}},
    {"BothAtTheCorner", {900, 700}, {500, 379}},
    {"BelowTheBoxOnAScreenRightOfTheFirst", {1200, 100}, {1200, 100}, {2048, 768}},
    {"LeftOfTheBoxAtTheRightEdgeOfTheSecondScreen", {1800, 100}, {1400, 100}, {2048, 768}},
    {"BelowTheBoxOnAScreenBelowTheFirst", {100, 1000}, {100, 1000}, {1024, 1536}},
    {"AboveTheBoxAtTheBottomEdgeOfTheSecondScreen", {100, 1400}, {100, 1079}, {1024, 1536}},
};

class BrowserPlacementTest : public testing::TestWithParam<TPlacementCase> {};

TEST_P(BrowserPlacementTest, KeepsTheBrowserBesideTheBoxOnTheScreen) {
  EXPECT_EQ(BrowserPosition(GetParam().below, 21, {400, 300}, GetParam().screenEnd), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Placement, BrowserPlacementTest, testing::ValuesIn(kPlacements), TCaseName());

// The Qt box in a window, with Qt's folder dialog handled by `onDialog` when it opens.
class QtDirectoryEditTest : public testing::Test {
 protected:
  QtDirectoryEditTest() {
    KeepFileDialogHistoryOutOfFiles();
    RegisterQtControls(classes);
    RegisterUiControls(classes);
    window = static_cast<TQtForm*>(&BuildWindow(
        application,
        {"TForm",
         "Form1",
         {{"ClientWidth", "641"}, {"ClientHeight", "360"}},
         {{"TGroupBox", "GroupBox2", "", {{"Left", "184"}, {"Top", "8"}, {"Width", "441"}, {"Height", "313"}}},
          {"TDirectoryEdit", "dir", "", {{"Parent", "GroupBox2"}, {"Left", "128"}, {"Top", "24"}, {"Width", "289"},
                                         {"Height", "21"}, {"BrowseDialogText", "Bitte w\xC3\xA4hlen Sie ein Verzeichnis:"},
                                         {"Glyph.Name", "folder"}}},
          {"TEdit", "Edit1", "", {{"Parent", "GroupBox2"}, {"Left", "128"}, {"Top", "176"}, {"Width", "257"},
                                  {"Height", "21"}}}}},
        classes));
    box = static_cast<TQtDirectoryEdit*>(window->FindComponent("dir"));
    box->OnChange = [this](TComponent&) { ++changes; };
    window->Show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window->Widget()));
  }

  // Handles the folder dialog once it is shown: `handle` looks at it and closes it.
  void OnDialog(std::function<void(QFileDialog&)> handle) {
    QTimer::singleShot(0, [this, handle] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      ++dialogs;
      handle(*dialog);
    });
  }

  void PressAndRelease(Qt::MouseButton button, QPoint releaseAt) {
    QToolButton& browse = box->Widget().Button();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), browse.mapToGlobal(QPointF(5, 5)), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(&browse, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(releaseAt), browse.mapToGlobal(QPointF(releaseAt)), button,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&browse, &release);
  }

  TRecordingDialogs recording;
  TQtApplication application{recording};
  TClassRegistry classes;
  TQtForm* window = nullptr;
  TQtDirectoryEdit* box = nullptr;
  int changes = 0;
  int dialogs = 0;
  TTempFolder temp;
};

TEST_F(QtDirectoryEditTest, TheButtonLiesInsideTheBoxAndTheTextNeverRunsUnderIt) {
  EXPECT_EQ(box->Widget().Button().geometry(), QRect(269, 2, 18, 17));
  EXPECT_FALSE(box->Widget().Button().icon().isNull());
  // The text area ends where the text rectangle does (client x 263): after the frame (2), the margin
  // and the line edit's own padding (2) it stays 4 pixels before the button.
  const QLineEdit& line = box->Widget();
  EXPECT_EQ(box->TextRect(), (TRect{1, 1, 263, 18}));
  EXPECT_EQ(line.width() - TDirectoryEdit::kBorder - line.textMargins().right() - 2, 263 + TDirectoryEdit::kBorder);
}

TEST_F(QtDirectoryEditTest, TheDialogOpensOnTheFolderAsFoldersOnlyAndTheChoiceIsWritten) {
  const std::string chosen = temp.MakeFolder("Bilder/2004");
  box->SetText(temp.Path() + "/Bilder/");
  changes = 0;
  OnDialog([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Bitte w\xC3\xA4hlen Sie ein Verzeichnis:"));
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_TRUE(dialog.testOption(QFileDialog::ShowDirsOnly));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
    EXPECT_FALSE(dialog.testOption(QFileDialog::ReadOnly)) << "new folders may be made";
    EXPECT_EQ(QDir(dialog.directory()).absolutePath(), QString::fromStdString(temp.Path()));
    dialog.selectFile(QString::fromStdString(chosen));
    static_cast<QDialog&>(dialog).accept();
  });
  QTest::keyClick(&box->Widget(), Qt::Key_F4);
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(box->Text(), chosen);
  EXPECT_EQ(changes, 1);
}

TEST_F(QtDirectoryEditTest, AReleaseOffTheButtonStillBrowsesAndTheFocusGoesToTheBox) {
  box->SetText(temp.Path());
  static_cast<TControl*>(window->FindComponent("Edit1"))->SetFocus();
  OnDialog([](QFileDialog& dialog) { dialog.reject(); });
  PressAndRelease(Qt::RightButton, QPoint(5, 5));
  EXPECT_EQ(dialogs, 0) << "only the left button browses";
  OnDialog([](QFileDialog& dialog) { dialog.reject(); });
  PressAndRelease(Qt::LeftButton, QPoint(300, 200));
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(window->ActiveControl(), box);
  EXPECT_EQ(changes, 1) << "Cancel fires nothing (the one change is the text written above)";
}

TEST_F(QtDirectoryEditTest, F4BrowsesOnlyFromTheBox) {
  OnDialog([](QFileDialog& dialog) { dialog.reject(); });
  auto& other = WidgetOf<QLineEdit>(*window, "Edit1");
  other.setFocus();
  QTest::keyClick(&other, Qt::Key_F4);
  QApplication::processEvents();
  EXPECT_EQ(dialogs, 0);
}

TEST_F(QtDirectoryEditTest, TheRootOpensTheDialogOnTheRoot) {
  box->SetText("/");
  OnDialog([](QFileDialog& dialog) {
    EXPECT_EQ(dialog.directory().absolutePath(), QStringLiteral("/"));
    dialog.reject();
  });
  QTest::keyClick(&box->Widget(), Qt::Key_F4);
  EXPECT_EQ(dialogs, 1);
}

// Qt's settings of the user live in the configuration folder, where a dialog that chose a folder
// would write its history when it goes.
TEST_F(QtDirectoryEditTest, BrowsingWritesNoFileBelowTheConfigurationFolder) {
  const TTempFolder config;
  const std::optional<QByteArray> before =
      qEnvironmentVariableIsSet("XDG_CONFIG_HOME") ? std::optional(qgetenv("XDG_CONFIG_HOME")) : std::nullopt;
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.Path()));
  const std::string chosen = temp.MakeFolder("Bilder");
  box->SetText(temp.Path());
  OnDialog([&](QFileDialog& dialog) {
    dialog.selectFile(QString::fromStdString(chosen));
    static_cast<QDialog&>(dialog).accept();
  });
  QTest::keyClick(&box->Widget(), Qt::Key_F4);
  before ? qputenv("XDG_CONFIG_HOME", *before) : qunsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(box->Text(), chosen);
  EXPECT_TRUE(std::filesystem::is_empty(config.Path()));
}

}  // namespace
}  // namespace kalvero
