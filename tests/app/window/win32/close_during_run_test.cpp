// A request to close the main window while a copy run works, on Windows: the run's passes through
// the message loop take it in, the window closes once the run's report was shown, and a click in
// the window meanwhile reaches no control.

#include <windows.h>

#include <functional>
#include <string>

#include "components/win32/win32_control.h"
#include "platform/memory_file_system.h"
#include "platform/win32/message_pump.h"
#include "tests/app/window/window_fixture.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"
#include "tests/support/hurrying_clock.h"

namespace kalvero {
namespace {

struct TCloseWay {
  std::string name;
  // Posts the request to close while the run works.
  std::function<void(HWND window)> ask;
};

class CloseDuringRunTest : public WindowProgramTest, public testing::WithParamInterface<TCloseWay> {
 protected:
  CloseDuringRunTest() {
    for (int picture = 1; picture <= 5; ++picture)
      fs.AddFile("src/p" + std::to_string(picture) + ".jpg",
                 PictureTakenAt("2004:08:0" + std::to_string(picture) + " 10:00:00"));
    fs.AddFile("src/undated.jpg", "no picture");
    fs.AddFolder("t");
    fileSystem = &fs;
    clock = &hurryingClock;
  }

  TMemoryFileSystem fs;
  THurryingClock hurryingClock;
};

TEST_P(CloseDuringRunTest, IsCarriedOutAfterTheReportAndClicksMeanwhileReachNoControl) {
  Control<TEdit>("dir2").SetText("t");
  Control<TEdit>("dir").SetText("src");
  bool asked = false;
  dialogs.onProcessMessages = [&](bool userInput) {
    if (!asked) {
      asked = true;
      GetParam().ask(HandleOf(*main));
      const HWND box = HandleOf(Control<TControl>("cb1"));
      PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      PostMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    PumpWaitingMessages(userInput);
  };
  user->Click(Control<TControl>("Button1"));
  ASSERT_TRUE(asked) << "the run let the message loop through";
  ASSERT_FALSE(dialogs.boxes.empty());
  EXPECT_EQ(dialogs.boxes.back().kind, TMessageKind::Warning) << "the report of the undated picture came first";
  EXPECT_TRUE(application->Terminated()) << "the close request was not lost";
  EXPECT_EQ(StatusText(), "5 files copied!");
  EXPECT_TRUE(Control<TCheckBox>("cb1").Checked()) << "the click during the run was dropped";
}

INSTANTIATE_TEST_SUITE_P(
    Ways, CloseDuringRunTest,
    testing::Values(TCloseWay{"CloseBox", [](HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
                    // Alt+F4 arrives at the control with the focus; the window's default handling closes.
                    TCloseWay{"AltF4", [](HWND) { PostMessageW(GetFocus(), WM_SYSKEYDOWN, VK_F4, 0x203E0001); }}),
    TCaseName());

}  // namespace
}  // namespace kalvero
