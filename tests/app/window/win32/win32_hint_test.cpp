// The hints of the pattern fields in the main window on Windows: the rich hint window of the Win32
// layer shows the text of the language in force, and a control without hint text shows none.

#include <windows.h>

#include <string>

#include "components/win32/win32_control.h"
#include "tests/app/window/window_fixture.h"
#include "ui/rich_hint/win32/win32_rich_hint_window.h"

namespace kalvero {
namespace {

class Win32HintTest : public WindowProgramTest {
 protected:
  // The pointer resting on the control; answers the text of the hint that asked to show.
  std::string RestPointerOn(const char* name) {
    std::string shown;
    const TShowHintEvent window = application->OnShowHint;
    application->OnShowHint = [&](std::string& text, bool& canShow, THintInfo& info) {
      window(text, canShow, info);
      shown = text;
    };
    SendMessageW(HandleOf(Control<TControl>(name)), WM_MOUSEHOVER, 0, MAKELPARAM(10, 5));
    application->OnShowHint = window;
    return shown;
  }
  bool RichHintShows() const {
    const auto* hint = dynamic_cast<TWin32RichHintWindow*>(application->HintWindow());
    return hint != nullptr && hint->IsShowing();
  }
};

TEST_F(Win32HintTest, ThePatternFieldsShowTheirRichHintInTheLanguageInForce) {
  EXPECT_EQ(RestPointerOn("Edit1"), main->GetText("edit1hint"));
  EXPECT_TRUE(RichHintShows());
  user->Click(Control<TControl>("Image5"));
  const std::string french = RestPointerOn("Edit2");
  EXPECT_EQ(french, main->GetText("edit2hint"));
  EXPECT_NE(french.find("Jour"), std::string::npos) << french;
  EXPECT_TRUE(RichHintShows());
  Control<TControl>("Button1").SetShowHint(true);
  EXPECT_EQ(RestPointerOn("Button1"), "");
  EXPECT_FALSE(RichHintShows());
}

}  // namespace
}  // namespace kalvero
