#include "components/charsets.h"

#include <array>

namespace kalvero {
namespace {

constexpr auto kCharsetNames = std::to_array<TIdentEntry>({
    {"ANSI_CHARSET", kAnsiCharset},
    {"DEFAULT_CHARSET", kDefaultCharset},
    {"SYMBOL_CHARSET", kSymbolCharset},
    {"MAC_CHARSET", kMacCharset},
    {"SHIFTJIS_CHARSET", kShiftJisCharset},
    {"HANGEUL_CHARSET", kHangeulCharset},
    {"JOHAB_CHARSET", kJohabCharset},
    {"GB2312_CHARSET", kGb2312Charset},
    {"CHINESEBIG5_CHARSET", kChineseBig5Charset},
    {"GREEK_CHARSET", kGreekCharset},
    {"TURKISH_CHARSET", kTurkishCharset},
    {"VIETNAMESE_CHARSET", kVietnameseCharset},
    {"HEBREW_CHARSET", kHebrewCharset},
    {"ARABIC_CHARSET", kArabicCharset},
    {"BALTIC_CHARSET", kBalticCharset},
    {"RUSSIAN_CHARSET", kRussianCharset},
    {"THAI_CHARSET", kThaiCharset},
    {"EASTEUROPE_CHARSET", kEastEuropeCharset},
    {"OEM_CHARSET", kOemCharset},
});

}  // namespace

TIdentTable CharsetNames() { return kCharsetNames; }

}  // namespace kalvero
