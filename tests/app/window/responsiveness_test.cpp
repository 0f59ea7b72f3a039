// The main window stays alive during long work: a close request ends a scan of the source folder
// at once, and waits for a copy run's report.

#include <QCloseEvent>
#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "tests/app/window/qt/qt_window_fixture.h"
#include "tests/support/exif_builder.h"
#include "tests/support/hurrying_clock.h"

namespace kalvero {
namespace {

// The windows over a memory file system with a huge tree and a hurrying clock.
class ResponsivenessTest : public WindowProgramTest {
 protected:
  ResponsivenessTest() {
    for (int folder = 0; folder < 2000; ++folder)
      fs.AddFile("huge/f" + std::to_string(folder) + "/a.jpg", PictureTakenAt("2004:08:07 10:00:00"));
    for (int picture = 0; picture < 5; ++picture)
      fs.AddFile("src/p" + std::to_string(picture) + ".jpg", PictureTakenAt("2004:08:0" + std::to_string(picture + 1) +
                                                                            " 10:00:00"));
    fs.AddFolder("t");
    fileSystem = &fs;
    clock = &hurryingClock;
    // Like the real dialogs: the window's waiting events are handled, without user input during a run.
    dialogs.onProcessMessages = [this](bool userInput) {
      inputLetThrough.push_back(userInput);
      QCoreApplication::processEvents(userInput ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    };
  }

  // The windows go before the file system, the clock and the record they work with.
  ~ResponsivenessTest() override { application.reset(); }

  void RequestClose() { QCoreApplication::postEvent(&main->Widget(), new QCloseEvent); }

  TMemoryFileSystem fs;
  THurryingClock hurryingClock;
  std::vector<bool> inputLetThrough;
};

TEST_F(ResponsivenessTest, ACloseRequestDuringAScanOfAHugeTreeEndsTheScanAndTheProgram) {
  RequestClose();
  const auto start = std::chrono::steady_clock::now();
  Control<TEdit>("dir").SetText("huge");
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_TRUE(application->Terminated());
  EXPECT_LT(took, std::chrono::seconds(1));
  EXPECT_NE(Control<TLabel>("Label5").Text(), "2000") << "the scan stopped";
  EXPECT_TRUE(inputLetThrough.front()) << "typing goes on while a scan of the source field walks";
}

TEST_F(ResponsivenessTest, ACloseRequestDuringACopyRunWaitsForItsReport) {
  Control<TEdit>("dir2").SetText("t");
  Control<TEdit>("dir").SetText("src");
  inputLetThrough.clear();
  RequestClose();
  main->Button1Click();
  EXPECT_TRUE(application->Terminated()) << "the close request is carried out after the run";
  EXPECT_EQ(StatusText(), "5 files copied!") << "the report came first";
  EXPECT_EQ(fs.ListFolder("t").size(), 5u);
  // Input is let through only where the run always let messages through: after its scan's walk and
  // at its start; every other pause keeps the window painted without input.
  EXPECT_EQ(std::count(inputLetThrough.begin(), inputLetThrough.end(), true), 2);
  EXPECT_GT(std::count(inputLetThrough.begin(), inputLetThrough.end(), false), 2);
}

}  // namespace
}  // namespace kalvero
