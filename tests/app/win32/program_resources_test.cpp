// The resources of the Windows programs, read back the way Windows reads them: the pictures through
// TWin32Picture, the icon through LoadImageW, the version information through the version API.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/window/main_window_description.h"
#include "components/win32/win32_pictures.h"
#include "ui/secondary_windows.h"

namespace kalvero {
namespace {

struct TAlphaPoint {
  int x, y;
  int alpha;
};

struct TPictureCase {
  std::string name;
  int width, height;
  // Points where the drawing is transparent or opaque; each picture has some that tell its rows
  // from their mirror image.
  std::vector<TAlphaPoint> points;
};

class PictureResourceTest : public testing::TestWithParam<TPictureCase> {};

// Every picture that the main window, the About window and the help windows show.
const TPictureCase kPictureCases[] = {
    {"flag-en", 16, 11, {{0, 0, 255}, {15, 10, 255}}},
    {"flag-de", 16, 11, {{0, 0, 255}, {15, 10, 255}}},
    {"flag-es", 16, 11, {{0, 0, 255}, {15, 10, 255}}},
    {"flag-fr", 16, 11, {{0, 0, 255}, {15, 10, 255}}},
    {"status-idle", 16, 16, {{0, 0, 0}, {13, 0, 0}, {2, 15, 255}, {13, 15, 255}}},
    {"status-scanning", 16, 16, {{0, 0, 0}, {5, 3, 255}, {15, 2, 0}, {11, 13, 255}}},
    {"status-folders", 16, 16, {{0, 0, 0}, {0, 8, 255}, {15, 9, 0}, {15, 2, 255}}},
    {"status-copying", 16, 16, {{0, 0, 0}, {2, 1, 255}, {13, 14, 255}, {15, 15, 0}}},
    {"help", 16, 16, {{0, 0, 0}, {15, 15, 0}, {8, 8, 255}, {0, 4, 255}}},
    {"folder", 14, 11, {{0, 0, 255}, {13, 0, 0}, {6, 0, 0}, {13, 10, 255}}},
    {"logo-64", 64, 64, {{0, 0, 0}, {4, 4, 255}, {60, 4, 0}, {4, 60, 0}, {60, 60, 255}}},
    {"logo-96", 96, 96, {{0, 0, 0}, {6, 6, 255}, {90, 6, 0}, {6, 90, 0}, {90, 90, 255}}},
};

TEST_P(PictureResourceTest, LoadsAtItsSizeWithItsTransparency) {
  const TPictureCase& picture = GetParam();
  const TWin32Picture loaded(picture.name);
  ASSERT_FALSE(loaded.Empty());
  EXPECT_EQ(loaded.Width(), picture.width);
  EXPECT_EQ(loaded.Height(), picture.height);
  for (const TAlphaPoint& point : picture.points)
    EXPECT_EQ(loaded.AlphaAt(point.x, point.y), point.alpha) << "at " << point.x << ", " << point.y;
}

// Test names cannot hold the pictures' hyphens.
INSTANTIATE_TEST_SUITE_P(EveryPicture, PictureResourceTest, testing::ValuesIn(kPictureCases),
                         [](const testing::TestParamInfo<TPictureCase>& row) {
                           std::string name = row.param.name;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

// The names of the pictures a window shows: its images', its buttons' glyphs and its image lists'.
void AddPictureNames(const TWindowDescription& window, std::set<std::string>& names) {
  for (const TComponentDescription& component : window.components) {
    for (const TPropertySetting& setting : component.properties) {
      if (setting.name == "Picture.Name" || setting.name == "Glyph.Name") names.insert(setting.value);
      if (setting.name != "Pictures") continue;
      std::istringstream lines(setting.value);
      for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) names.insert(line);
      }
    }
  }
}

TEST(PictureResourceTest, EveryPictureOfTheWindowsIsAResourceTestedAbove) {
  std::set<std::string> names;
  for (const TWindowDescription& window : {MainWindowDescription(), AboutWindowDescription(),
                                           FolderHelpWindowDescription(), FileHelpWindowDescription()})
    AddPictureNames(window, names);
  ASSERT_GE(names.size(), 10u);
  for (const std::string& name : names) {
    EXPECT_FALSE(TWin32Picture(name).Empty()) << name;
    EXPECT_TRUE(std::any_of(std::begin(kPictureCases), std::end(kPictureCases),
                            [&name](const TPictureCase& picture) { return picture.name == name; }))
        << name << " is missing from the table of pictures";
  }
}

// A white 32 x 32 DIB section selected into a memory DC, to draw pictures on.
class TWhiteCanvas {
 public:
  TWhiteCanvas() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    PatBlt(dc_, 0, 0, 32, 32, WHITENESS);
  }
  ~TWhiteCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  TWhiteCanvas(const TWhiteCanvas&) = delete;
  TWhiteCanvas& operator=(const TWhiteCanvas&) = delete;
  HDC Dc() const { return dc_; }

 private:
  HDC dc_ = CreateCompatibleDC(nullptr);
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

TEST(PictureResourceTest, DrawsItsColoursInTheirPlaces) {
  TWhiteCanvas canvas;
  TWin32Picture(std::string("flag-de")).Draw(canvas.Dc(), 0, 0);
  TWin32Picture(std::string("help")).Draw(canvas.Dc(), 16, 16);
  GdiFlush();
  // Red above gold, not blue: the channels are in order and the rows the right way up.
  EXPECT_EQ(GetPixel(canvas.Dc(), 8, 5), RGB(0xdd, 0x00, 0x00));
  EXPECT_EQ(GetPixel(canvas.Dc(), 8, 8), RGB(0xff, 0xce, 0x00));
  // The help button's rounded corner leaves the white beneath it; its question mark is white on blue.
  EXPECT_EQ(GetPixel(canvas.Dc(), 16, 16), RGB(0xff, 0xff, 0xff));
  EXPECT_EQ(GetPixel(canvas.Dc(), 16 + 7, 16 + 11), RGB(0xff, 0xff, 0xff));
  EXPECT_GT(GetBValue(GetPixel(canvas.Dc(), 16 + 2, 16 + 8)), 0xa0);
}

// The manifest that this suite carries like the programs makes Windows load the common controls
// from the side-by-side store, version 6 (Wine keeps a copy there too), instead of System32's 5.
TEST(ProgramResourceTest, TheManifestBringsTheCommonControls6) {
  const HMODULE controls = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(controls, nullptr);
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(controls, path.data(), MAX_PATH));
  FreeLibrary(controls);
  CharLowerBuffW(path.data(), static_cast<DWORD>(path.size()));
  EXPECT_NE(path.find(L"\\winsxs\\amd64_microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::wstring::npos)
      << path;
}

// The command-line program, beside this suite's folder in the build tree, loaded for its
// resources only.
std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  path.erase(path.find_last_of(L'\\') + 1);
  for (const char c : std::string(KALVERO_PROGRAM_FROM_TESTS)) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return path;
}

class TProgramModule {
 public:
  TProgramModule()
      : module_(LoadLibraryExW(ProgramPath().c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~TProgramModule() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  TProgramModule(const TProgramModule&) = delete;
  TProgramModule& operator=(const TProgramModule&) = delete;
  HMODULE Handle() const { return module_; }

 private:
  HMODULE module_;
};

TEST(ProgramResourceTest, TheIconLoadsAtTheSizesWindowsAsksFor) {
  const TProgramModule program;
  ASSERT_NE(program.Handle(), nullptr) << GetLastError();
  for (const int size : {16, 32}) {
    const auto icon = static_cast<HICON>(LoadImageW(program.Handle(), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmHeight, size);
    EXPECT_EQ(colour.bmBitsPixel, 32) << "the logo's alpha is lost at " << size;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

TEST(ProgramResourceTest, TheVersionInformationReadsBack) {
  const std::wstring path = ProgramPath();
  DWORD ignored = 0;
  std::vector<char> data(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  ASSERT_FALSE(data.empty()) << GetLastError();
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));

  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(3, 1));
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(3, 1));

  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  const auto* translation = static_cast<const WORD*>(value);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 1200);

  const std::pair<const wchar_t*, const wchar_t*> strings[] = {
      {L"CompanyName", L"Vandrel Softwareentwicklung"},
      {L"FileDescription", L"Kalvero command line"},
      {L"FileVersion", L"1.3.0.0"},
      {L"LegalCopyright", L"Copyright 2026 Vandrel Softwareentwicklung. All rights reserved."},
      {L"OriginalFilename", L"kalvero.exe"},
      {L"ProductName", L"Kalvero"},
      {L"ProductVersion", L"1.3"},
  };
  for (const auto& [key, expected] : strings) {
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
    ASSERT_TRUE(VerQueryValueW(data.data(), query.c_str(), &value, &length)) << key;
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), expected);
  }
}

}  // namespace
}  // namespace kalvero
