// Drives the real message boxes: a thread timer finds the box of this thread once the box's own
// modal loop runs, reads it and closes it the way a user would.

#include "platform/win32/win32_dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/wide_text.h"
#include "tests/support/case_name.h"

namespace kalvero {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::vector<HWND> ChildrenOfClass(HWND box, const wchar_t* name) {
  struct TSearch {
    const wchar_t* name;
    std::vector<HWND> found;
  } search{name, {}};
  EnumChildWindows(
      box,
      [](HWND child, LPARAM context) {
        auto& into = *reinterpret_cast<TSearch*>(context);
        if (ClassOf(child) == into.name && IsWindowVisible(child)) into.found.push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ButtonLabelled(HWND box, const std::wstring& label) {
  for (const HWND button : ChildrenOfClass(box, L"Button"))
    if (TextOf(button) == label) return button;
  return nullptr;
}

// The visible dialog box of this thread, if one is up.
HWND ShownBox() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM context) {
        if (!IsWindowVisible(window) || ClassOf(window) != L"#32770") return TRUE;
        *reinterpret_cast<HWND*>(context) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Runs `act` on the box that `show` puts up, from inside the box's loop; a box still open five
// seconds after is ended, failing the test.
class TBoxDriver {
 public:
  template <class Show>
  static auto Run(const std::function<void(HWND)>& act, Show show) {
    TBoxDriver driver{act};
    current_ = &driver;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
    const auto result = show();
    KillTimer(nullptr, timer);
    current_ = nullptr;
    EXPECT_TRUE(driver.acted_) << "no box came up";
    return result;
  }

 private:
  explicit TBoxDriver(const std::function<void(HWND)>& act) : act_(act) {}

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    TBoxDriver& driver = *current_;
    const HWND box = ShownBox();
    if (box == nullptr) return;
    if (!driver.acted_) {
      driver.acted_ = true;
      driver.act_(box);
    } else if (++driver.ticksAfter_ == 250) {
      ADD_FAILURE() << "the box stayed open";
      EndDialog(box, IDABORT);
    }
  }

  static inline TBoxDriver* current_ = nullptr;
  const std::function<void(HWND)>& act_;
  bool acted_ = false;
  int ticksAfter_ = 0;
};

TMessageAnswer ShowAndAct(TWin32Dialogs& dialogs, TMessageKind kind, const std::string& caption,
                          const std::string& text, TMessageButtons buttons, const std::function<void(HWND)>& act) {
  return TBoxDriver::Run(act, [&] { return dialogs.ShowMessageBox(kind, caption, text, buttons); });
}

void PostKey(HWND box, WPARAM key) {
  const HWND focus = GetFocus();
  const HWND target = focus != nullptr && (focus == box || IsChild(box, focus)) ? focus : box;
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
  PostMessageW(target, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
}

// `count` paths of a report list, as the copy run joins them.
std::string PathList(int count) {
  std::string list;
  for (int i = 0; i < count; ++i)
    list += " C:\\Users\\Anwender\\Bilder\\Urlaub_2023\\Tag_" + std::to_string(i % 30) + "\\IMG_" +
            std::to_string(100000 + i) + ".JPG,";
  return list;
}

// ---- The caption of each kind of box, and the answer to each way of closing it.

enum class TWay { PressDefault, PressAbbrechen, Enter, Escape, CloseBox, EnterInTextField, EscapeInTextField };

struct TWayCase {
  std::string name;
  TMessageButtons buttons;
  TWay way;
  TMessageAnswer answer;
  bool longOnly;  // the way needs the text field
};

const TWayCase kWayCases[] = {
    {"OkPressed", TMessageButtons::Ok, TWay::PressDefault, TMessageAnswer::Ok, false},
    {"OkByEnter", TMessageButtons::Ok, TWay::Enter, TMessageAnswer::Ok, false},
    {"OkByEscape", TMessageButtons::Ok, TWay::Escape, TMessageAnswer::Ok, false},
    {"OkByCloseBox", TMessageButtons::Ok, TWay::CloseBox, TMessageAnswer::Ok, false},
    {"JaPressed", TMessageButtons::YesCancel, TWay::PressDefault, TMessageAnswer::Yes, false},
    {"AbbrechenPressed", TMessageButtons::YesCancel, TWay::PressAbbrechen, TMessageAnswer::Cancel, false},
    {"JaByEnter", TMessageButtons::YesCancel, TWay::Enter, TMessageAnswer::Yes, false},
    {"CancelByEscape", TMessageButtons::YesCancel, TWay::Escape, TMessageAnswer::Cancel, false},
    {"CancelByCloseBox", TMessageButtons::YesCancel, TWay::CloseBox, TMessageAnswer::Cancel, false},
    {"JaByEnterInTextField", TMessageButtons::YesCancel, TWay::EnterInTextField, TMessageAnswer::Yes, true},
    {"CancelByEscapeInTextField", TMessageButtons::YesCancel, TWay::EscapeInTextField, TMessageAnswer::Cancel, true},
    {"OkByEscapeInTextField", TMessageButtons::Ok, TWay::EscapeInTextField, TMessageAnswer::Ok, true},
};

struct TAnswerCase {
  std::string name;
  TWayCase way;
  TMessageKind kind;
  std::wstring caption;
  bool longText;
};

void PrintTo(const TAnswerCase& row, std::ostream* out) { *out << row.name; }

// Every way for every kind of box, short (a task dialog) and long (the box with the text field).
const std::vector<TAnswerCase>& AnswerCases() {
  static const std::vector<TAnswerCase> cases = [] {
    const std::tuple<const char*, TMessageKind, const wchar_t*> kinds[] = {
        {"Warning", TMessageKind::Warning, L"Warnung"},
        {"Error", TMessageKind::Error, L"Fehler"},
        {"Information", TMessageKind::Information, L"Informationen"},
        {"Confirmation", TMessageKind::Confirmation, L"Best\u00E4tigen"}};
    std::vector<TAnswerCase> all;
    for (const TWayCase& way : kWayCases)
      for (const auto& [kindName, kind, caption] : kinds)
        for (const bool longText : {false, true})
          if (longText || !way.longOnly)
            all.push_back({kindName + way.name + (longText ? "Long" : "Short"), way, kind, caption, longText});
    return all;
  }();
  return cases;
}

void CloseBox(HWND box, TMessageButtons buttons, TWay way) {
  switch (way) {
    case TWay::PressDefault:
      PostMessageW(ButtonLabelled(box, buttons == TMessageButtons::Ok ? L"OK" : L"&Ja"), BM_CLICK, 0, 0);
      return;
    case TWay::PressAbbrechen: PostMessageW(ButtonLabelled(box, L"Abbrechen"), BM_CLICK, 0, 0); return;
    case TWay::Enter: PostKey(box, VK_RETURN); return;
    case TWay::Escape: PostKey(box, VK_ESCAPE); return;
    case TWay::CloseBox: PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); return;
    case TWay::EnterInTextField:
    case TWay::EscapeInTextField:
      SetFocus(ChildrenOfClass(box, L"Edit").at(0));
      PostKey(box, way == TWay::EnterInTextField ? VK_RETURN : VK_ESCAPE);
      return;
  }
}

class Win32DialogsAnswer : public testing::TestWithParam<TAnswerCase> {};

TEST_P(Win32DialogsAnswer, ShowsTheCaptionAndButtonsAndAnswersTheWayTheBoxWasClosed) {
  const TAnswerCase& row = GetParam();
  const std::vector<std::wstring> buttons = row.way.buttons == TMessageButtons::Ok
                                                ? std::vector<std::wstring>{L"OK"}
                                                : std::vector<std::wstring>{L"&Ja", L"Abbrechen"};
  TWin32Dialogs dialogs;
  const TMessageAnswer answer =
      ShowAndAct(dialogs, row.kind, "", row.longText ? PathList(300) : "Kurz.", row.way.buttons, [&](HWND box) {
        EXPECT_EQ(TextOf(box), row.caption);
        std::vector<std::wstring> labels;
        for (const HWND button : ChildrenOfClass(box, L"Button")) labels.push_back(TextOf(button));
        std::sort(labels.begin(), labels.end());
        EXPECT_EQ(labels, buttons);
        EXPECT_EQ(ChildrenOfClass(box, L"Edit").size(), row.longText ? 1u : 0u);
        CloseBox(box, row.way.buttons, row.way.way);
      });
  EXPECT_EQ(answer, row.way.answer);
}

INSTANTIATE_TEST_SUITE_P(Ways, Win32DialogsAnswer, testing::ValuesIn(AnswerCases()), TCaseName());

// ---- A long text: all of it in the field, the box on the screen, the owner disabled meanwhile.

RECT WorkAreaOf(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  return monitor.rcWork;
}

// A top-level window of this thread to own the boxes.
struct TOwnerWindow {
  TOwnerWindow() {
    window = CreateWindowExW(0, L"STATIC", L"Hauptfenster", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~TOwnerWindow() {
    if (IsWindow(window)) DestroyWindow(window);
  }
  HWND window;
};

struct TTextCase {
  std::string name;
  std::string text;
  bool field;
};

const std::vector<TTextCase>& TextCases() {
  static const std::vector<TTextCase> cases = {
      {"ShortWithLineBreak", "Das Verzeichnis \"D:\\Fotos\" existiert nicht.\r\nEs wird automatisch erstellt!", false},
      {"HundredsOfPaths", "Folgende Dateien konnten nicht kopiert werden: " + PathList(300), true},
      {"ThirteenLines", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n13", true},
      {"OnePathWiderThanHalfTheScreen", "C:\\" + std::string(200, 'x') + ".jpg", true},
      {"LoneLineFeeds", std::string(900, 'a') + "\nzwei\nZeilen", true},
  };
  return cases;
}

void PrintTo(const TTextCase& row, std::ostream* out) { *out << row.name; }

class Win32DialogsText : public testing::TestWithParam<TTextCase> {};

TEST_P(Win32DialogsText, ShowsTheCaptionGivenAndTheWholeTextInsideTheScreenWhileTheOwnerIsDisabled) {
  const TTextCase& row = GetParam();
  TOwnerWindow owner;
  TWin32Dialogs dialogs;
  dialogs.SetOwner(owner.window);
  const std::string caption = "Kalvero 1.3 \u2013 Gr\u00F6\u00DFe";
  ShowAndAct(dialogs, TMessageKind::Error, caption, row.text, TMessageButtons::Ok, [&](HWND box) {
    EXPECT_EQ(TextOf(box), L"Kalvero 1.3 \u2013 Gr\u00F6\u00DFe");
    EXPECT_FALSE(IsWindowEnabled(owner.window));
    EXPECT_EQ(GetWindow(box, GW_OWNER), owner.window);
    RECT frame{}, work = WorkAreaOf(box);
    GetWindowRect(box, &frame);
    EXPECT_GE(frame.left, work.left);
    EXPECT_GE(frame.top, work.top);
    EXPECT_LE(frame.right, work.right);
    EXPECT_LE(frame.bottom - frame.top, (work.bottom - work.top) * 2 / 3);
    const std::vector<HWND> fields = ChildrenOfClass(box, L"Edit");
    ASSERT_EQ(fields.size(), row.field ? 1u : 0u);
    if (row.field) {
      std::wstring expected;
      for (const wchar_t c : WideText(row.text))
        expected += c == L'\n' && !expected.ends_with(L'\r') ? L"\r\n" : std::wstring(1, c);
      EXPECT_EQ(TextOf(fields[0]), expected);
      EXPECT_TRUE(GetWindowLongW(fields[0], GWL_STYLE) & ES_READONLY);
      EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(ChildrenOfClass(box, L"Static").at(0), STM_GETICON, 0, 0)),
                LoadIconW(nullptr, IDI_ERROR));
    }
    PostKey(box, VK_RETURN);
  });
  EXPECT_TRUE(IsWindowEnabled(owner.window));
}

INSTANTIATE_TEST_SUITE_P(Texts, Win32DialogsText, testing::ValuesIn(TextCases()), TCaseName());

// A box whose owner is gone belongs to the active window, or to none.
TEST(Win32DialogsOwner, ADestroyedOwnerLeavesTheBoxWithoutIt) {
  TWin32Dialogs dialogs;
  {
    TOwnerWindow gone;
    dialogs.SetOwner(gone.window);
  }
  const TMessageAnswer answer =
      ShowAndAct(dialogs, TMessageKind::Confirmation, "", "Weiter?", TMessageButtons::YesCancel, [&](HWND box) {
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
        PostKey(box, VK_RETURN);
      });
  EXPECT_EQ(answer, TMessageAnswer::Yes);
}

// ---- Which texts need the scrollable field.

struct TScrollCase {
  std::string name;
  std::wstring text;
  int screenWidth;
  bool scrollable;
};

std::wstring Repeated(const std::wstring& piece, int count) {
  std::wstring text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

const std::vector<TScrollCase>& ScrollCases() {
  static const std::vector<TScrollCase> cases = {
      {"Short", L"Der Ordner fehlt.", 1280, false},
      {"EightHundredCharacters", Repeated(L"Wort ", 160), 1280, false},
      {"EightHundredAndOneCharacters", Repeated(L"Wort ", 160) + L"x", 1280, true},
      {"TwelveLines", Repeated(L"Zeile\r\n", 11) + L"Zeile", 1280, false},
      {"ThirteenLines", Repeated(L"Zeile\r\n", 12) + L"Zeile", 1280, true},
      {"LongPathOnAWideScreen", L"C:\\" + std::wstring(60, L'x'), 4000, false},
      {"LongPathOnANarrowScreen", L"C:\\" + std::wstring(60, L'x'), 400, true},
      {"BlanksBreakTheSameCharacters", Repeated(L"xxxxxx ", 9), 400, false},
  };
  return cases;
}

void PrintTo(const TScrollCase& row, std::ostream* out) { *out << row.name; }

class Win32DialogsScrollable : public testing::TestWithParam<TScrollCase> {};

TEST_P(Win32DialogsScrollable, TakesLongTextsAndWideUnbreakablePieces) {
  EXPECT_EQ(NeedsScrollableText(GetParam().text, GetParam().screenWidth), GetParam().scrollable);
}

INSTANTIATE_TEST_SUITE_P(Texts, Win32DialogsScrollable, testing::ValuesIn(ScrollCases()), TCaseName());

}  // namespace
}  // namespace kalvero
