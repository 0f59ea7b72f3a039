// The text boundary of the Win32 API: UTF-8 and WTF-8 to UTF-16 and back, and Win32 errors in
// portable terms.

#include "platform/win32/wide_text.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/api_path.h"
#include "platform/win32/win32_handle.h"
#include "tests/support/case_name.h"

namespace kalvero {
namespace {

struct TWideCase {
  std::string name;
  std::string narrow;
  std::wstring wide;
};

const std::vector<TWideCase> kWideCases = {
    {"Ascii", "C:\\Fotos\\a.jpg", L"C:\\Fotos\\a.jpg"},
    {"Umlauts", "M\xC3\xBCnchen", L"M\u00FCnchen"},
    {"ThreeBytes", "\xE2\x82\xAC", L"\u20AC"},
    {"SurrogatePair", "\xF0\x9F\x93\xB7", std::wstring{wchar_t(0xD83D), wchar_t(0xDCF7)}},
    {"LoneHighSurrogateAsWtf8", "a\xED\xA0\x80z", std::wstring{L'a', wchar_t(0xD800), L'z'}},
    {"LoneLowSurrogateAsWtf8", "\xED\xB0\x80", std::wstring{wchar_t(0xDC00)}},
};

class WideTextTest : public testing::TestWithParam<TWideCase> {};

TEST_P(WideTextTest, ConvertsBothWaysWithoutLoss) {
  EXPECT_EQ(WideText(GetParam().narrow), GetParam().wide);
  EXPECT_EQ(NarrowText(GetParam().wide), GetParam().narrow);
}

INSTANTIATE_TEST_SUITE_P(Texts, WideTextTest, testing::ValuesIn(kWideCases), TCaseName());

TEST(WideText, BytesThatAreNoSequenceBecomeReplacementCharacters) {
  EXPECT_EQ(WideText("\xE4rger"), L"\uFFFDrger") << "a Latin-1 byte";
  EXPECT_EQ(WideText("ab\xE2\x82"), L"ab\uFFFD\uFFFD") << "a sequence cut at the end";
  EXPECT_EQ(WideText("\xC0\xAF"), L"\uFFFD\uFFFD") << "an overlong form";
  EXPECT_EQ(WideText("\xF4\x90\x80\x80"), L"\uFFFD\uFFFD\uFFFD\uFFFD") << "beyond U+10FFFF";
}

TEST(Win32Error, CommonErrorsCompareAsTheirPortableConditions) {
  EXPECT_EQ(Win32Error(ERROR_FILE_NOT_FOUND), std::errc::no_such_file_or_directory);
  EXPECT_EQ(Win32Error(ERROR_PATH_NOT_FOUND), std::errc::no_such_file_or_directory);
  EXPECT_EQ(Win32Error(ERROR_ACCESS_DENIED), std::errc::permission_denied);
  EXPECT_EQ(Win32Error(ERROR_FILE_EXISTS), std::errc::file_exists);
  EXPECT_EQ(Win32Error(ERROR_ALREADY_EXISTS), std::errc::file_exists);
  EXPECT_EQ(Win32Error(ERROR_DISK_FULL), std::errc::no_space_on_device);
  EXPECT_EQ(Win32Error(ERROR_DIR_NOT_EMPTY), std::errc::directory_not_empty);
  const std::error_code other = Win32Error(ERROR_INVALID_FUNCTION);
  EXPECT_EQ(other.category(), std::system_category()) << "others keep the system's own message";
  EXPECT_EQ(other.value(), static_cast<int>(ERROR_INVALID_FUNCTION));
}

TEST(ApiPath, OnlyPathsTooLongForThePlainApiGetThePrefix) {
  EXPECT_EQ(ApiPath("C:\\Fotos\\a.jpg"), L"C:\\Fotos\\a.jpg");
  EXPECT_EQ(ApiPath("relative/a.jpg"), L"relative/a.jpg");
  const std::string folder(120, 'x');
  const std::string longPath = "C:\\" + folder + "\\" + folder + "/..\\" + folder + "\\\xC3\xA4.jpg";
  EXPECT_EQ(ApiPath(longPath), L"\\\\?\\C:\\" + std::wstring(120, L'x') + L"\\" + std::wstring(120, L'x') +
                                   L"\\\u00E4.jpg")
      << "made full: '/' and '..' as the plain API reads them";
  const std::string share = "\\\\server\\share\\" + folder + "\\" + folder + "\\" + folder;
  EXPECT_EQ(ApiPath(share), L"\\\\?\\UNC\\server\\share\\" + std::wstring(120, L'x') + L"\\" + std::wstring(120, L'x') + L"\\" +
                                std::wstring(120, L'x'));
  const std::string prefixed = "\\\\?\\C:\\" + folder + "\\" + folder + "\\..";
  EXPECT_EQ(ApiPath(prefixed), WideText(prefixed)) << "a prefixed path is taken as typed";
}

}  // namespace
}  // namespace kalvero
