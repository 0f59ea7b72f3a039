// The main window stays alive during long work: a close request ends a scan of the source folder
// at once, and waits for a copy run's report.

#include <QCloseEvent>
#include <QCoreApplication>

#include <algorithm>
#include <chrono>

#include "app/window/form1.h"
#include "app/window/window_program.h"
#include "components/qt/qt_application.h"
#include "components/status_bar.h"
#include "platform/memory_file_system.h"
#include "tests/support/exif_builder.h"
#include "tests/support/fixed_environment.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/recording_shell.h"
#include "tests/support/temp_folder.h"

#include <QTest>
#include <gtest/gtest.h>

namespace kalvero {
namespace {

// A clock whose steady count moves 60 ms each time it is asked, so that scans and runs let
// messages through at almost every step.
class THurryingClock final : public TClock {
 public:
  TLocalDateTime Now() const override { return {2026, 12, 9, 10, 0, 0}; }
  std::int64_t SteadyMilliseconds() const override { return steady_ += 60; }

 private:
  mutable std::int64_t steady_ = 0;
};

class ResponsivenessTest : public testing::Test {
 protected:
  ResponsivenessTest() {
    static const bool prepared = (PrepareQtApplication(), true);
    static_cast<void>(prepared);
    for (int folder = 0; folder < 2000; ++folder)
      fs.AddFile("huge/f" + std::to_string(folder) + "/a.jpg", PictureTakenAt("2004:08:07 10:00:00"));
    for (int picture = 0; picture < 5; ++picture)
      fs.AddFile("src/p" + std::to_string(picture) + ".jpg", PictureTakenAt("2004:08:0" + std::to_string(picture + 1) +
                                                                            " 10:00:00"));
    fs.AddFolder("t");
    // Like the real dialogs: the window's waiting events are handled, without user input during a run.
    dialogs.onProcessMessages = [this](bool userInput) {
      inputLetThrough.push_back(userInput);
      QCoreApplication::processEvents(userInput ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    };
    application.SetTitle("Kalvero 1.3");
    main = &CreateWindows(application, classes);
    main->Show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&main->Widget()));
  }

  void RequestClose() { QCoreApplication::postEvent(&main->Widget(), new QCloseEvent); }
  std::string StatusText() const {
    return dynamic_cast<TStatusBar*>(main->FindComponent("StatusBar1"))->Panels().Panel(1).Text();
  }

  TMemoryFileSystem fs;
  THurryingClock clock;
  TTempFolder appData;
  TFixedEnvironment environment{{{"XDG_CONFIG_HOME", appData.Path()}}};
  TRecordingDialogs dialogs;
  TRecordingShell shell;
  TQtApplication application{dialogs, &shell};
  TClassRegistry classes = WindowClasses({fs, clock, environment});
  TForm1* main = nullptr;
  std::vector<bool> inputLetThrough;
};

TEST_F(ResponsivenessTest, ACloseRequestDuringAScanOfAHugeTreeEndsTheScanAndTheProgram) {
  RequestClose();
  const auto start = std::chrono::steady_clock::now();
  dynamic_cast<TEdit*>(main->FindComponent("dir"))->SetText("huge");
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_TRUE(application.Terminated());
  EXPECT_LT(took, std::chrono::seconds(1));
  EXPECT_NE(dynamic_cast<TLabel*>(main->FindComponent("Label5"))->Text(), "2000") << "the scan stopped";
  EXPECT_TRUE(inputLetThrough.front()) << "typing goes on while a scan of the source field walks";
}

TEST_F(ResponsivenessTest, ACloseRequestDuringACopyRunWaitsForItsReport) {
  dynamic_cast<TEdit*>(main->FindComponent("dir2"))->SetText("t");
  dynamic_cast<TEdit*>(main->FindComponent("dir"))->SetText("src");
  inputLetThrough.clear();
  RequestClose();
  main->Button1Click();
  EXPECT_TRUE(application.Terminated()) << "the close request is carried out after the run";
  EXPECT_EQ(StatusText(), "5 files copied!") << "the report came first";
  EXPECT_EQ(fs.ListFolder("t").size(), 5u);
  // Input is let through only where the run always let messages through: after its scan's walk and
  // at its start; every other pause keeps the window painted without input.
  EXPECT_EQ(std::count(inputLetThrough.begin(), inputLetThrough.end(), true), 2);
  EXPECT_GT(std::count(inputLetThrough.begin(), inputLetThrough.end(), false), 2);
}

}  // namespace
}  // namespace kalvero
