// The window-backed controls under Wine: a window built from its description shows its values in
// its windows, and what the user does (messages sent or posted to the windows, run through the
// program's message dispatch) comes back as the model's events.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include <string>
#include <vector>

#include "components/image_controls.h"
#include "components/progress_bar.h"
#include "components/status_bar.h"
#include "components/win32/win32_application.h"
#include "components/win32/win32_control.h"
#include "components/win32/win32_form.h"
#include "components/win32/win32_registry.h"
#include "components/window_builder.h"
#include "platform/win32/busy_cursor.h"
#include "platform/win32/wide_text.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/win32_messages.h"

namespace kalvero {
namespace {

const TWindowDescription kWindow = {
    "TForm",
    "Form1",
    {{"Caption", "Kalvero 1.3 - Manage your image!"},
     {"ClientWidth", "641"},
     {"ClientHeight", "360"},
     {"BorderStyle", "bsSingle"},
     {"BorderIcons", "[biSystemMenu]"},
     {"Color", "clWhite"}},
    {ControlAt("TGroupBox", "GroupBox1", "Form1", {16, 8, 153, 313}, {{"TabOrder", "0"}}),
     ControlAt("TImage", "Image2", "GroupBox1", {30, 280, 16, 11}, {{"Picture.Name", "testdot"}}),
     ControlAt("TProgressBar", "bar", "GroupBox1", {22, 144, 106, 16}),
     ControlAt("TSpeedButton", "SpeedButton1", "GroupBox1", {22, 202, 106, 22}, {{"Flat", "True"}, {"Caption", "Info"}}),
     ControlAt("TGroupBox", "GroupBox2", "Form1", {184, 8, 441, 313}, {{"TabOrder", "1"}}),
     LabelAt("Label1", "GroupBox2", 24, 26, "Quellordner:"),
     ControlAt("TLabel", "Label2", "GroupBox2", {24, 58}, {{"Font.Style", "[fsBold]"}, {"Caption", "Zielordner:"}}),
     ControlAt("TCheckBox", "cb1", "GroupBox2", {128, 90, 289, 17},
               {{"TabOrder", "0"}, {"Caption", "Unterverzeichnisse einbeziehen"}, {"Checked", "True"}}),
     ControlAt("TEdit", "Edit2", "GroupBox2", {304, 144, 81, 21}, {{"TabOrder", "2"}, {"MaxLength", "10"}}),
     ControlAt("TEdit", "Edit1", "GroupBox2", {128, 176, 257, 21}, {{"TabOrder", "1"}}),
     ControlAt("TEdit", "Edit3", "GroupBox2", {128, 200, 257, 21}, {{"TabOrder", "4"}, {"TabStop", "False"}}),
     ControlAt("TButton", "Button1", "GroupBox2", {128, 264, 129, 25}, {{"TabOrder", "3"}, {"Caption", "Dateien kopieren"}}),
     {"TPanelStatusBar",
      "StatusBar1",
      "",
      {{"Parent", "Form1"}, {"Height", "20"}, {"SizeGrip", "False"}, {"Panels.Count", "2"}, {"Panels[0].Width", "25"}}},
     ControlAt("TPanel", "Panel1", "StatusBar1", {4, 1, 20, 18}, {{"BevelOuter", "bvNone"}})}};

// Characters typed into `window`, as the keyboard's translation delivers them.
void Type(HWND window, const std::wstring& text) {
  for (const wchar_t unit : text) SendMessageW(window, WM_CHAR, unit, 1);
}

// The left button pressed at `down` and released at `up`, in the window's client coordinates.
void Click(HWND window, POINT down, POINT up) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
}

// The control's client area drawn into a bitmap of our own, as its paint would draw it.
class TPrinted {
 public:
  explicit TPrinted(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    const HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT | PRF_ERASEBKGND);
  }
  TPrinted(const TPrinted&) = delete;
  TPrinted& operator=(const TPrinted&) = delete;
  ~TPrinted() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

class Win32ControlsTest : public testing::Test {
 protected:
  Win32ControlsTest() {
    application.OnException = [this](const std::string& message) { errors.push_back(message); };
    RegisterWin32Controls(classes);
    window = static_cast<TWin32Form*>(&BuildWindow(application, kWindow, classes));
  }

  template <class T = TControl>
  T& Control(const char* name) const {
    return *dynamic_cast<T*>(window->FindComponent(name));
  }
  HWND Handle(const char* name) const { return HandleOf(Control(name)); }
  void ShowWindow() {
    window->Show();
    Pump();
  }

  TRecordingDialogs dialogs;
  TWin32Application application{dialogs};
  TClassRegistry classes;
  TWin32Form* window = nullptr;
  std::vector<std::string> errors;
};

TEST_F(Win32ControlsTest, WindowsShowTheDescribedValuesAtTheirPlaces) {
  ShowWindow();
  RECT client, frame, expected{0, 0, 641, 360};
  GetClientRect(window->Handle(), &client);
  GetWindowRect(window->Handle(), &frame);
  EXPECT_EQ(client.right, 641);
  EXPECT_EQ(client.bottom, 360);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window->Handle(), GWL_STYLE));
  AdjustWindowRectEx(&expected, style, FALSE, static_cast<DWORD>(GetWindowLongPtrW(window->Handle(), GWL_EXSTYLE)));
  EXPECT_EQ(frame.right - frame.left, expected.right - expected.left);
  EXPECT_EQ(frame.bottom - frame.top, expected.bottom - expected.top);
  EXPECT_EQ((style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)),
            DWORD{WS_CAPTION | WS_SYSMENU})
      << "caption and close box only, not sizeable";
  EXPECT_EQ(window->Width(), frame.right - frame.left) << "the model follows the frame";
  EXPECT_EQ(window->Left(), frame.left);
  EXPECT_EQ(WindowText(window->Handle()), L"Kalvero 1.3 - Manage your image!");
  const auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window->Handle(), GCLP_HICON));
  EXPECT_EQ(icon, LoadIconW(GetModuleHandleW(nullptr), L"TESTICON")) << "the program's icon";

  struct TPlace {
    const char* name;
    const char* parent;
    RECT bounds;
  };
  const TPlace places[] = {{"GroupBox2", "Form1", {184, 8, 625, 321}},   {"Edit1", "GroupBox2", {128, 176, 385, 197}},
                           {"cb1", "GroupBox2", {128, 90, 417, 107}},     {"Image2", "GroupBox1", {30, 280, 46, 291}},
                           {"StatusBar1", "Form1", {0, 340, 641, 360}},  {"Panel1", "StatusBar1", {4, 1, 24, 19}}};
  for (const TPlace& place : places) {
    const HWND control = Handle(place.name);
    const HWND parent = place.parent == window->Name() ? window->Handle() : Handle(place.parent);
    RECT bounds;
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
    EXPECT_EQ(GetParent(control), parent) << place.name;
    EXPECT_TRUE(EqualRect(&bounds, &place.bounds)) << place.name << " at " << bounds.left << ", " << bounds.top << ", "
                                                   << bounds.right << ", " << bounds.bottom;
    EXPECT_TRUE(IsWindowVisible(control)) << place.name;
  }
  EXPECT_EQ(SendMessageW(Handle("cb1"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(WindowText(Handle("cb1")), L"Unterverzeichnisse einbeziehen");
  Control("Button1").SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(Handle("Button1")));
}

TEST_F(Win32ControlsTest, BorderStylesAndIconsMakeTheFrameAroundTheClientArea) {
  struct TCase {
    const char* style;
    const char* icons;
    DWORD present;
    DWORD absent;
    DWORD exPresent;
  };
  constexpr DWORD kBoxes = WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  const TCase cases[] = {
      {"bsSingle", "[biSystemMenu,biMinimize]", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_THICKFRAME | WS_MAXIMIZEBOX, 0},
      {"bsSizeable", "[biSystemMenu,biMinimize,biMaximize]", WS_CAPTION | WS_THICKFRAME | kBoxes, WS_POPUP, 0},
      {"bsDialog", "[biSystemMenu,biMinimize,biMaximize]", WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | kBoxes,
       WS_EX_DLGMODALFRAME},
      {"bsToolWindow", "[biSystemMenu]", WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | kBoxes, WS_EX_TOOLWINDOW},
      {"bsSizeToolWin", "[]", WS_CAPTION | WS_THICKFRAME, WS_SYSMENU | kBoxes, WS_EX_TOOLWINDOW},
      {"bsNone", "[biSystemMenu]", WS_POPUP, WS_CAPTION | WS_THICKFRAME, 0}};
  for (const TCase& c : cases) {
    TForm& form = BuildWindow(application,
                              {"TForm", std::string("Form") + c.style,
                               {{"ClientWidth", "200"}, {"ClientHeight", "100"}, {"BorderStyle", c.style},
                                {"BorderIcons", c.icons}}, {}},
                              classes);
    const HWND handle = HandleOf(form);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_EXSTYLE));
    RECT client;
    GetClientRect(handle, &client);
    EXPECT_EQ(client.right, 200) << c.style;
    EXPECT_EQ(client.bottom, 100) << c.style;
    EXPECT_EQ(style & c.present, c.present) << c.style;
    EXPECT_EQ(style & c.absent, 0u) << c.style;
    EXPECT_EQ(exStyle & c.exPresent, c.exPresent) << c.style;
    EXPECT_EQ(form.ClientWidth(), 200) << c.style;
  }
}

TEST_F(Win32ControlsTest, TheFirstShowingPlacesTheFrameAsPositionSays) {
  window->SetLeft(40);
  window->SetTop(30);
  ShowWindow();
  const TRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT main;
  GetWindowRect(window->Handle(), &main);
  EXPECT_EQ(main.left, 40) << "as designed";
  EXPECT_EQ(main.top, 30);
  struct TCase {
    const char* position;
    TRect over;
  };
  const TCase cases[] = {{"poScreenCenter", screen},
                         {"poDesktopCenter", screen},
                         {"poMainFormCenter", {main.left, main.top, main.right, main.bottom}}};
  for (const TCase& c : cases) {
    TForm& form = BuildWindow(application,
                              {"TForm", std::string("Form") + c.position,
                               {{"ClientWidth", "300"}, {"ClientHeight", "150"}, {"Position", c.position}}, {}},
                              classes);
    form.Show();
    RECT frame;
    GetWindowRect(HandleOf(form), &frame);
    const TPoint corner = CentredOver(c.over, {frame.right - frame.left, frame.bottom - frame.top});
    EXPECT_EQ(frame.left, corner.x) << c.position;
    EXPECT_EQ(frame.top, corner.y) << c.position;
    EXPECT_EQ(form.Left(), frame.left) << c.position;
    EXPECT_EQ(form.Height(), frame.bottom - frame.top) << c.position;
  }
}

TEST_F(Win32ControlsTest, AnAutoSizedLabelTakesTheMeasureOfItsCaptionInItsFont) {
  for (const char* name : {"Label1", "Label2"}) {
    const auto& label = Control<TLabel>(name);
    const TWin32Font font(label.Font());
    const std::wstring caption = WideText(label.Text());
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font.Handle());
    SIZE extent;
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(label.Width(), extent.cx) << name;
    EXPECT_EQ(label.Height(), extent.cy) << name;
    RECT client;
    GetClientRect(HandleOf(label), &client);
    EXPECT_EQ(client.right, extent.cx) << name;
  }
}

TEST_F(Win32ControlsTest, FocusStartsAtTheActiveControlAndTabWalksTheChain) {
  ShowWindow();
  ASSERT_EQ(GetFocus(), Handle("cb1")) << "without ActiveControl, the first of the chain";
  std::vector<HWND> visited;
  for (int i = 0; i < 4; ++i) {
    visited.push_back(GetFocus());
    PressKey(VK_TAB);
  }
  visited.push_back(GetFocus());
  EXPECT_EQ(visited, (std::vector<HWND>{Handle("cb1"), Handle("Edit1"), Handle("Edit2"), Handle("Button1"), Handle("cb1")}))
      << "Edit3 skips Tab";
  EXPECT_EQ(window->ActiveControl(), &Control("cb1"));

  std::vector<std::string> exits;
  for (const char* name : {"cb1", "Edit1", "Edit2", "Edit3"})
    Control(name).OnExit = [&exits, name](TComponent&) { exits.push_back(name); };
  Click(Handle("Edit3"), {5, 5}, {5, 5});
  EXPECT_EQ(GetFocus(), Handle("Edit3")) << "a control that skips Tab still takes a click";
  Control("Edit2").SetFocus();
  // Another window takes the focus and gives it back: no exit, and the focus is where it was.
  TForm& help = BuildWindow(application, {"TForm", "Form3", {{"ClientWidth", "200"}}, {{"TButton", "Button1", "", {}}}},
                            classes);
  help.Show();
  PumpUntil([&] { return GetFocus() != Handle("Edit2"); });
  EXPECT_NE(GetFocus(), Handle("Edit2"));
  // The other window goes, so the window manager has only this one to activate, whatever it
  // thinks of a program raising its own window.
  help.Hide();
  window->BringToFront();
  PumpUntil([&] { return GetFocus() == Handle("Edit2"); });
  EXPECT_EQ(GetFocus(), Handle("Edit2")) << "reactivation restores the focus";
  EXPECT_EQ(exits, (std::vector<std::string>{"cb1", "Edit3"}));

  TForm& third = BuildWindow(application,
                             {"TForm", "Form4", {{"ActiveControl", "Edit2"}},
                              {ControlAt("TEdit", "Edit1", "Form4", {8, 8, 80, 21}),
                               ControlAt("TEdit", "Edit2", "Form4", {8, 40, 80, 21})}},
                             classes);
  third.Show();
  PumpUntil([&] { return GetFocus() == HandleOf(DescribedComponent<TControl>(third, "Edit2")); });
  EXPECT_EQ(GetFocus(), HandleOf(DescribedComponent<TControl>(third, "Edit2"))) << "the described first focus";
}

TEST_F(Win32ControlsTest, TheEditBoxFiltersTypingReportsOnlyTheUsersChangesAndLimitsOnlyThem) {
  ShowWindow();
  auto& edit = Control<TEdit>("Edit2");
  const HWND box = HandleOf(edit);
  std::u32string seen;
  std::vector<std::string> changes;
  edit.OnKeyPress = [&](TComponent&, char32_t& key) {
    seen += key;
    if (key == U':') key = U'\0';
    if (key == U'/') key = U'-';
  };
  edit.OnChange = [&](TComponent&) { changes.push_back(edit.Text()); };
  SetFocus(box);
  Type(box, L"a:\bb/\U0001F4F7");
  EXPECT_EQ(seen, U"a:b/\U0001F4F7") << "printable characters only, each once, whole";
  EXPECT_EQ(changes, (std::vector<std::string>{"a", "", "b", "b-", "b-\xF0\x9F\x93\xB7"}));

  struct TCase {
    const char* what;
    std::function<void()> act;
    std::string text;
  };
  const TCase cases[] = {
      {"a program's text is kept whole", [&] { edit.SetText("YYYY.MM.DD-long"); }, "YYYY.MM.DD-long"},
      {"typing adds nothing past the limit",
       [&] {
         edit.SetText("");
         Type(box, L"YYYY.MM.DD-more");
       },
       "YYYY.MM.DD"},
      {"a paste is cut to what fits",
       [&] {
         edit.SetText("");
         OpenClipboard(nullptr);
         EmptyClipboard();
         const std::wstring text = L"DD.MM.YYYY and more";
         HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
         std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
         GlobalUnlock(memory);
         SetClipboardData(CF_UNICODETEXT, memory);
         CloseClipboard();
         SendMessageW(box, WM_PASTE, 0, 0);
       },
       "DD.MM.YYYY"}};
  for (const TCase& c : cases) {
    c.act();
    EXPECT_EQ(edit.Text(), c.text) << c.what;
    EXPECT_EQ(NarrowText(WindowText(box)), c.text) << c.what;
  }
  changes.clear();
  edit.SetText("YYYY");
  edit.SetText("YYYY");
  EXPECT_EQ(changes, std::vector<std::string>{"YYYY"}) << "a program write fires once, through the model only";
}

TEST_F(Win32ControlsTest, ClicksOfTheUserRaiseOnClickAndProgramWritesFireNothing) {
  ShowWindow();
  std::vector<std::string> clicks;
  for (const char* name : {"cb1", "Button1", "SpeedButton1", "Label1", "Image2"})
    Control(name).OnClick = [&clicks, name](TComponent&) { clicks.push_back(name); };
  auto& box = Control<TCheckBox>("cb1");
  SendMessageW(Handle("cb1"), BM_CLICK, 0, 0);
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(SendMessageW(Handle("cb1"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  box.SetChecked(true);
  EXPECT_EQ(SendMessageW(Handle("cb1"), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(Handle("Button1"), BM_CLICK, 0, 0);
  // A click is a left button released inside the control where it went down.
  for (const char* name : {"SpeedButton1", "Label1", "Image2"}) {
    Click(Handle(name), {2, 2}, {3, 3});
    Click(Handle(name), {2, 2}, {-5, 3});
  }
  Pump();
  EXPECT_EQ(clicks, (std::vector<std::string>{"cb1", "Button1", "SpeedButton1", "Label1", "Image2"}));
  EXPECT_NE(GetFocus(), Handle("SpeedButton1")) << "a speed button never takes the focus";
}

TEST_F(Win32ControlsTest, CursorsAreTheControlsOwnUnlessTheProgramIsBusy) {
  ShowWindow();
  Control("SpeedButton1").SetCursor(crHandPoint);
  struct TCase {
    const char* control;
    bool busy;
    const wchar_t* cursor;
  };
  const TCase cases[] = {{"SpeedButton1", false, IDC_HAND}, {"SpeedButton1", true, IDC_WAIT},
                         {"Edit1", true, IDC_WAIT},         {"GroupBox1", true, IDC_WAIT}};
  for (const TCase& c : cases) {
    ShowBusyCursor(c.busy);
    SetCursor(nullptr);
    SendMessageW(Handle(c.control), WM_SETCURSOR, reinterpret_cast<WPARAM>(Handle(c.control)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, c.cursor)) << c.control << (c.busy ? " busy" : "");
  }
  ShowBusyCursor(false);
}

TEST_F(Win32ControlsTest, PicturesAndPanelsPaintOverTheirParentsBackground) {
  ShowWindow();
  // Blue, blue, half blue over white, white; below the picture the window's white.
  const TPrinted image(Handle("Image2"));
  EXPECT_EQ(image.At(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(image.At(1, 1), RGB(0, 0, 255));
  const COLORREF half = image.At(2, 0);
  EXPECT_NEAR(GetRValue(half), 127, 2);
  EXPECT_EQ(GetBValue(half), 255);
  EXPECT_EQ(image.At(3, 0), RGB(255, 255, 255));
  EXPECT_EQ(image.At(8, 8), RGB(255, 255, 255));

  // The status bar is the button face; each panel's line is lowered: dark above and left, light
  // below and right. Panel 1 is framed from x 28 to 640 and from y 2 to 18.
  const TPrinted bar(Handle("StatusBar1"));
  const COLORREF face = GetSysColor(COLOR_BTNFACE), dark = GetSysColor(COLOR_BTNSHADOW),
                 light = GetSysColor(COLOR_BTNHIGHLIGHT);
  struct TPixel {
    POINT at;
    COLORREF color;
  };
  const TPixel pixels[] = {{{1, 10}, face},  {{100, 0}, face},   {{100, 10}, face}, {{100, 2}, dark},
                           {{28, 10}, dark}, {{100, 18}, light}, {{640, 10}, light}};
  for (const TPixel& pixel : pixels) EXPECT_EQ(bar.At(pixel.at.x, pixel.at.y), pixel.color) << pixel.at.x << ", " << pixel.at.y;
  EXPECT_EQ(TPrinted(Handle("Panel1")).At(10, 10), face) << "the host shows the bar through it";

  // A flat speed button shows its frame only under the pointer: its right edge is then shaded.
  const HWND speed = Handle("SpeedButton1");
  const COLORREF white = RGB(255, 255, 255);
  EXPECT_EQ(TPrinted(speed).At(105, 10), white);
  SendMessageW(speed, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_NE(TPrinted(speed).At(105, 10), white);
  SendMessageW(speed, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(TPrinted(speed).At(105, 10), white);
}

TEST_F(Win32ControlsTest, ChangesWaitForThePaintUnlessRepaintAsksForItNow) {
  ShowWindow();
  auto& bar = Control<TProgressBar>("bar");
  auto& status = Control<TStatusBar>("StatusBar1");
  const HWND barWindow = Handle("bar"), statusWindow = Handle("StatusBar1");
  ValidateRect(statusWindow, nullptr);
  status.Panels().Panel(1).SetText("bereit");
  EXPECT_TRUE(GetUpdateRect(statusWindow, nullptr, FALSE)) << "a changed text repaints";
  ValidateRect(statusWindow, nullptr);
  status.Panels().Panel(1).SetText("bereit");
  EXPECT_FALSE(GetUpdateRect(statusWindow, nullptr, FALSE)) << "the same text does nothing";

  bar.SetMax(3);
  bar.StepBy(2);
  EXPECT_EQ(SendMessageW(barWindow, PBM_GETPOS, 0, 0), 2);
  EXPECT_EQ(SendMessageW(barWindow, PBM_GETRANGE, FALSE, 0), 3);
  EXPECT_TRUE(IsWindowVisible(barWindow));
  EXPECT_TRUE(GetUpdateRect(barWindow, nullptr, FALSE)) << "the step waits for the next paint";
  bar.Repaint();
  EXPECT_FALSE(GetUpdateRect(barWindow, nullptr, FALSE)) << "Repaint draws it now";
  SetDoubleBufferedWithin(*window, true);
  window->RepaintAll();
  EXPECT_FALSE(GetUpdateRect(Handle("Edit1"), nullptr, FALSE)) << "double buffered, painted all the same";
}

TEST_F(Win32ControlsTest, TheLoopRunsIdleHandlersHandsErrorsOnAndEndsWithTheCloseBox) {
  ShowWindow();
  int closes = 0, idles = 0;
  window->OnClose = [&closes](TComponent&) { ++closes; };
  Control("Button1").OnClick = [](TComponent&) { throw EComponentError("Cannot create the folder"); };
  TForm& about = BuildWindow(application, {"TForm", "Form2", {{"ClientWidth", "321"}}, {}}, classes);
  about.Show();
  application.AddIdleHandler(*window, [&] {
    // Each step waits for the queue to run empty again.
    switch (++idles) {
      case 1: PostMessageW(Handle("Button1"), BM_CLICK, 0, 0); break;
      case 2: PostMessageW(HandleOf(about), WM_CLOSE, 0, 0); break;
      case 3:
        EXPECT_FALSE(about.Visible()) << "another window's close box hides it";
        EXPECT_FALSE(application.Terminated());
        PostMessageW(window->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
      default: break;
    }
  });
  EXPECT_EQ(application.Run(), 0);
  EXPECT_EQ(idles, 3);
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(application.Terminated());
  EXPECT_EQ(errors, std::vector<std::string>{"Cannot create the folder"});
}

TEST_F(Win32ControlsTest, AHintComesFromTheApplicationBelowThePointerAndGoesWithTheNextInput) {
  ShowWindow();
  auto& edit = Control<TEdit>("Edit1");
  const HWND box = HandleOf(edit);
  edit.SetShowHint(true);
  std::vector<THintInfo> asked;
  application.OnShowHint = [&](std::string& hint, bool&, THintInfo& info) {
    asked.push_back(info);
    hint = "Platzhalter";
  };
  SendMessageW(box, WM_MOUSEHOVER, 0, MAKELPARAM(10, 5));
  SendMessageW(Handle("cb1"), WM_MOUSEHOVER, 0, MAKELPARAM(10, 5));
  ASSERT_EQ(asked.size(), 1u) << "a control that shows no hints asks nothing";
  POINT pointer{10, 5};
  ClientToScreen(box, &pointer);
  EXPECT_EQ(asked[0].hintControl, &edit);
  EXPECT_EQ(asked[0].cursorPos, (TPoint{pointer.x, pointer.y}));
  EXPECT_EQ(asked[0].hintPos, (TPoint{pointer.x, pointer.y + TWin32Application::kPointerHeight}));
  EXPECT_EQ(asked[0].hintColor, clInfoBk);
  EXPECT_GT(asked[0].hintMaxWidth, 0);

  struct TCase {
    const char* what;
    HWND window;
    UINT message;
    WPARAM wParam;
  };
  const TCase hiders[] = {{"a key", box, WM_KEYDOWN, 'A'},
                          {"the pointer leaving", box, WM_MOUSELEAVE, 0},
                          {"a click elsewhere", Handle("Label1"), WM_LBUTTONDOWN, MK_LBUTTON},
                          {"the window deactivated", window->Handle(), WM_ACTIVATE, WA_INACTIVE}};
  for (const TCase& hider : hiders) {
    SendMessageW(box, WM_MOUSEHOVER, 0, MAKELPARAM(10, 5));
    ASSERT_NE(application.HintWindow(), nullptr);
    EXPECT_TRUE(application.HintWindow()->IsShowing()) << hider.what;
    SendMessageW(hider.window, hider.message, hider.wParam, 0);
    EXPECT_FALSE(application.HintWindow()->IsShowing()) << hider.what;
  }
  ReleaseCapture();
}

TEST_F(Win32ControlsTest, TheLabelReportsThePointerAndTheWindowItsKeyboardCues) {
  ShowWindow();
  auto& label = Control<TLabel>("Label1");
  std::vector<std::string> events;
  label.OnMouseEnter = [&](TComponent&) { events.push_back("enter"); };
  label.OnMouseLeave = [&](TComponent&) { events.push_back("leave"); };
  label.OnMouseMove = [&](TComponent&, int x, int y) {
    events.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  };
  SendMessageW(HandleOf(label), WM_MOUSEMOVE, 0, MAKELPARAM(5, 3));
  SendMessageW(HandleOf(label), WM_MOUSEMOVE, 0, MAKELPARAM(6, 4));
  SendMessageW(HandleOf(label), WM_MOUSELEAVE, 0, 0);
  SendMessageW(HandleOf(label), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "move 5,3", "move 6,4", "leave", "enter", "move 1,1"}));

  int cueChanges = 0;
  window->WatchKeyboardCues([&cueChanges] { ++cueChanges; });
  SendMessageW(window->Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  SendMessageW(window->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Kalvero"));
  EXPECT_EQ(cueChanges, 1) << "only a change of the cues";
}

}  // namespace
}  // namespace kalvero
