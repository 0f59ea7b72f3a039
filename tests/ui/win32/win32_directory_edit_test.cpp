// The folder edit box over Win32 under Wine: its button and text area, what browses, the browsing
// rules over a fake browser, and the shell's real folder browser.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "components/win32/win32_application.h"
#include "components/win32/win32_form.h"
#include "components/win32/win32_registry.h"
#include "components/window_builder.h"
#include "platform/win32/wide_text.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/temp_folder.h"
#include "tests/support/win32_messages.h"
#include "ui/ui_registry.h"
#include "ui/win32/win32_directory_edit.h"

namespace kalvero {
namespace {

const char* const kInstruction = "Bitte w\xC3\xA4hlen Sie ein Verzeichnis:";

// The main window's group box with the source folder box and an edit box below it.
class Win32DirectoryEditTest : public testing::Test {
 protected:
  Win32DirectoryEditTest() {
    application.OnException = [this](const std::string& message) { errors.push_back(message); };
    RegisterWin32Controls(classes);
    RegisterUiControls(classes);
    window = static_cast<TWin32Form*>(&BuildWindow(
        application,
        {"TForm",
         "Form1",
         {{"ClientWidth", "641"}, {"ClientHeight", "360"}},
         {ControlAt("TGroupBox", "GroupBox2", "Form1", {184, 8, 441, 313}),
          ControlAt("TDirectoryEdit", "dir", "GroupBox2", {128, 24, 289, 21},
                    {{"TabOrder", "0"}, {"BrowseDialogText", kInstruction}, {"Glyph.Name", "folder"}}),
          ControlAt("TEdit", "Edit1", "GroupBox2", {128, 176, 257, 21}, {{"TabOrder", "1"}})}},
        classes));
    box = dynamic_cast<TWin32DirectoryEdit*>(window->FindComponent("dir"));
    edit1 = HandleOf(*dynamic_cast<TControl*>(window->FindComponent("Edit1")));
    box->OnChange = [this](TComponent&) { ++changes; };
    box->SetFolderBrowser([this](HWND owner, const TFolderBrowserRequest& request) {
      asked.push_back(request);
      owners.push_back(owner);
      return answer;
    });
    window->Show();
    PumpUntil([this] { return GetForegroundWindow() == window->Handle(); });
  }

  HWND Button() const { return box->Button().Handle(); }
  void FocusOn(HWND control) {
    SetFocus(control);
    PumpUntil([control] { return GetFocus() == control; });
  }

  TRecordingDialogs dialogs;
  TWin32Application application{dialogs};
  TClassRegistry classes;
  TWin32Form* window = nullptr;
  TWin32DirectoryEdit* box = nullptr;
  HWND edit1 = nullptr;
  TFolderBrowserAnswer answer;
  std::vector<TFolderBrowserRequest> asked;
  std::vector<HWND> owners;
  int changes = 0;
  std::vector<std::string> errors;
};

TEST_F(Win32DirectoryEditTest, TheButtonLiesInsideTheBoxShowsTheGlyphAndTheTextNeverRunsUnderIt) {
  RECT button;
  GetWindowRect(Button(), &button);
  MapWindowPoints(nullptr, box->Handle(), reinterpret_cast<POINT*>(&button), 2);
  const RECT expected{267, 0, 285, 17};
  EXPECT_TRUE(EqualRect(&button, &expected)) << button.left << ", " << button.top << ", " << button.right << ", "
                                             << button.bottom;
  EXPECT_EQ(GetParent(Button()), box->Handle());
  EXPECT_TRUE(IsWindowVisible(Button()));

  // The text ends 4 pixels before the button, also after a new font, which resets the system's
  // margins, and after a wider button.
  const auto textRight = [this] {
    RECT text;
    SendMessageW(box->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    return std::pair(text.left, text.right);
  };
  EXPECT_EQ(textRight(), std::pair(1L, 263L));
  box->Font().SetSize(12);
  EXPECT_EQ(textRight(), std::pair(1L, 263L)) << "after a new font";
  box->SetButtonWidth(30);
  EXPECT_EQ(textRight(), std::pair(1L, 251L)) << "after a wider button";
  GetWindowRect(Button(), &button);
  EXPECT_EQ(button.right - button.left, 30);
  box->SetButtonWidth(18);

  // The glyph is drawn with its alpha, as the window shows it after the focus came and went, which
  // repaints the box (the edit box paints over its child): opaque pixels show it, transparent ones
  // the button's face.
  const TWin32Picture glyph("folder");
  ASSERT_FALSE(glyph.Empty());
  for (const bool doubleBuffered : {false, true}) {
    box->SetDoubleBuffered(doubleBuffered);
    FocusOn(box->Handle());
    FocusOn(edit1);
    RECT client;
    GetClientRect(Button(), &client);
    const HDC dc = GetDC(Button());
    const int left = (client.right - glyph.Width()) / 2;
    const int top = (client.bottom - glyph.Height()) / 2;
    int opaque = 0;
    int clear = 0;
    for (int y = 0; y < glyph.Height(); ++y)
      for (int x = 0; x < glyph.Width(); ++x) {
        const COLORREF pixel = GetPixel(dc, left + x, top + y);
        const bool face = pixel == GetSysColor(COLOR_BTNFACE);
        if (glyph.AlphaAt(x, y) == 255 && !face && pixel != GetSysColor(COLOR_WINDOW)) ++opaque;
        if (glyph.AlphaAt(x, y) == 0 && face) ++clear;
      }
    ReleaseDC(Button(), dc);
    EXPECT_GT(opaque, glyph.Width() * glyph.Height() / 3) << (doubleBuffered ? "double buffered" : "");
    EXPECT_GT(clear, 0) << (doubleBuffered ? "double buffered" : "");
  }

  SetCursor(nullptr);
  SendMessageW(Button(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Button()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW)) << "the arrow over the button, not the text cursor";
}

TEST_F(Win32DirectoryEditTest, F4InTheBoxAndTheLeftButtonsReleaseBrowseAndTheMouseLeavesTheFocusInTheBox) {
  // The left button pressed on the browse button and released at `releaseAt` (button coordinates).
  const auto mouse = [this](UINT down, UINT up, POINT releaseAt) {
    return [this, down, up, releaseAt] {
      SendMessageW(Button(), down, 0, MAKELPARAM(5, 5));
      SendMessageW(Button(), up, 0, MAKELPARAM(releaseAt.x, releaseAt.y));
    };
  };
  struct TCase {
    const char* name;
    bool startInBox;
    std::function<void()> act;
    std::size_t browses;
    bool focusInBox;
  };
  const TCase cases[] = {
      {"F4 in the box", true, [] { PressKey(VK_F4); }, 1, true},
      {"F4 in another box", false, [] { PressKey(VK_F4); }, 0, false},
      {"a click on the button", false, mouse(WM_LBUTTONDOWN, WM_LBUTTONUP, {5, 5}), 1, true},
      {"a release off the button", false, mouse(WM_LBUTTONDOWN, WM_LBUTTONUP, {300, 200}), 1, true},
      {"the right button", false, mouse(WM_RBUTTONDOWN, WM_RBUTTONUP, {5, 5}), 0, false},
      {"the middle button", false, mouse(WM_MBUTTONDOWN, WM_MBUTTONUP, {5, 5}), 0, false},
  };
  for (const TCase& c : cases) {
    FocusOn(c.startInBox ? box->Handle() : edit1);
    asked.clear();
    c.act();
    PumpUntil([&] { return !c.focusInBox || GetFocus() == box->Handle(); });
    EXPECT_EQ(asked.size(), c.browses) << c.name;
    EXPECT_EQ(GetFocus() == box->Handle(), c.focusInBox) << c.name;
    EXPECT_NE(GetFocus(), Button()) << c.name << ": the button never takes the focus";
  }
  EXPECT_EQ(owners.back(), box->Handle());

  // The button looks pressed while the left button holds it over it.
  SendMessageW(Button(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(box->Button().Pressed());
  SendMessageW(Button(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 5));
  EXPECT_FALSE(box->Button().Pressed()) << "off the button";
  SendMessageW(Button(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 6));
  EXPECT_TRUE(box->Button().Pressed()) << "back on it";
  ReleaseCapture();
  EXPECT_FALSE(box->Button().Pressed()) << "the mouse taken away";
  EXPECT_TRUE(errors.empty());
}

struct TBrowseCase {
  const char* name;
  std::string text;
  TFolderBrowserAnswer answer;
  std::string selection;
  std::string textAfter;
  int changes;
};

TEST_F(Win32DirectoryEditTest, TheBrowsersAnswerIsWrittenOnlyWhenItNamesAnotherFolder) {
  const std::string current = std::filesystem::current_path().string();
  const TBrowseCase cases[] = {
      {"another folder", "C:\\Fotos", {true, "C:\\Bilder"}, "C:\\Fotos", "C:\\Bilder", 1},
      {"the same folder", "C:\\Fotos", {true, "C:\\Fotos"}, "C:\\Fotos", "C:\\Fotos", 0},
      {"Cancel", "C:\\Fotos\\", {}, "C:\\Fotos", "C:\\Fotos\\", 0},
      {"an item without a path", "C:\\Fotos", {true, std::nullopt}, "C:\\Fotos", "C:\\Fotos", 0},
      {"a drive root", "C:\\", {true, "D:\\"}, "C:", "D:\\", 1},
      {"an empty box", "", {true, "C:\\Fotos"}, current, "C:\\Fotos", 1},
  };
  box->SetAllowNewFolder(false);
  for (const TBrowseCase& c : cases) {
    box->SetTextQuietly(c.text);
    asked.clear();
    changes = 0;
    answer = c.answer;
    box->Browse();
    ASSERT_EQ(asked.size(), 1u) << c.name;
    EXPECT_EQ(asked[0].selection, c.selection) << c.name;
    EXPECT_EQ(asked[0].title, kInstruction) << c.name;
    EXPECT_FALSE(asked[0].allowNewFolder) << c.name;
    EXPECT_EQ(box->Text(), c.textAfter) << c.name;
    EXPECT_EQ(NarrowText(WindowText(box->Handle())), c.textAfter) << c.name;
    EXPECT_EQ(changes, c.changes) << c.name;
  }
}

// What the timer saw of the shell's browser while it was open.
struct TSeenBrowser {
  HWND owner = nullptr;
  bool instruction = false;
  std::wstring selected;
  RECT frame{};
  int ticks = 0;
  bool found = false;
  bool cancelled = false;
};
TSeenBrowser seen;
std::wstring expectedInstruction;
std::wstring expectedSelection;

BOOL CALLBACK FindInstruction(HWND child, LPARAM) {
  if (WindowText(child) == expectedInstruction) seen.instruction = true;
  wchar_t className[64] = {};
  GetClassNameW(child, className, 64);
  if (std::wstring(className) == WC_TREEVIEWW) {
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(child, TVM_GETNEXTITEM, TVGN_CARET, 0));
    wchar_t text[MAX_PATH] = {};
    TVITEMW info{};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = MAX_PATH;
    if (item != nullptr && SendMessageW(child, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info))) seen.selected = text;
  }
  return TRUE;
}

// Looks at the first visible dialog of the thread and cancels it once it shows the expected folder
// (the browser may take a moment to open the folder's branch of its tree), or after five seconds.
BOOL CALLBACK LookAtDialog(HWND window, LPARAM) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  seen.found = true;
  seen.owner = GetWindow(window, GW_OWNER);
  GetWindowRect(window, &seen.frame);
  EnumChildWindows(window, FindInstruction, 0);
  if (seen.selected == expectedSelection || seen.ticks >= 100) {
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    seen.cancelled = true;
  }
  return FALSE;
}

void CALLBACK LookForBrowser(HWND, UINT, UINT_PTR timer, DWORD) {
  ++seen.ticks;
  EnumThreadWindows(GetCurrentThreadId(), LookAtDialog, 0);
  // Without a browser after ten seconds there is none to wait for.
  if (seen.cancelled || seen.ticks == 200) KillTimer(nullptr, timer);
}

TEST_F(Win32DirectoryEditTest, TheShellsBrowserOpensOnTheBoxsFolderBesideTheBoxAndCancelChangesNothing) {
  const TTempFolder temp;
  std::string folder = temp.MakeFolder("Bilder");
  for (char& c : folder)
    if (c == '/') c = '\\';
  box->SetFolderBrowser(RunShellFolderBrowser);
  box->SetTextQuietly(folder + "\\");
  expectedInstruction = WideText(kInstruction);
  expectedSelection = L"Bilder";
  seen = {};
  SetTimer(nullptr, 0, 50, LookForBrowser);
  box->Browse();
  ASSERT_TRUE(seen.found) << "no browser opened";
  EXPECT_EQ(seen.owner, window->Handle());
  EXPECT_TRUE(seen.instruction) << "the instruction text is shown";
  EXPECT_EQ(seen.selected, expectedSelection);
  // Placed beside the box on its monitor's work area.
  RECT boxFrame;
  GetWindowRect(box->Handle(), &boxFrame);
  POINT below{0, boxFrame.bottom - boxFrame.top};
  ClientToScreen(box->Handle(), &below);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(box->Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
  const TPoint corner = BrowserPosition({below.x, below.y}, 21,
                                        {seen.frame.right - seen.frame.left, seen.frame.bottom - seen.frame.top},
                                        {monitor.rcWork.right, monitor.rcWork.bottom});
  EXPECT_EQ((TPoint{seen.frame.left, seen.frame.top}), corner);
  EXPECT_EQ(box->Text(), folder + "\\");
  EXPECT_EQ(changes, 0);
}

}  // namespace
}  // namespace kalvero
