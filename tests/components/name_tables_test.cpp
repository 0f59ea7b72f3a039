#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "components/charsets.h"
#include "components/colors.h"
#include "components/cursors.h"
#include "platform/ascii_text.h"
#include "tests/support/case_name.h"

namespace kalvero {
namespace {

struct TTableCase {
  std::string name;
  TIdentTable (*table)();
  TIntegerRange range;
  std::size_t size;
};

const std::vector<TTableCase> kTables = {
    {"Cursors", CursorNames, kCursorRange, 20},
    {"Colors", ColorNames, kColorRange, 16 + kSystemColorCount + 1},
    {"Charsets", CharsetNames, kCharsetRange, 19},
};

class NameTableTest : public testing::TestWithParam<TTableCase> {};

TEST_P(NameTableTest, NamesAndValuesAreUniqueAndWithinTheRange) {
  std::set<std::string> names;
  std::set<std::int32_t> values;
  for (const TIdentEntry& entry : GetParam().table()) {
    EXPECT_TRUE(names.insert(AsciiLowerCase(entry.name)).second) << entry.name;
    EXPECT_TRUE(values.insert(entry.value).second) << entry.name;
    EXPECT_GE(entry.value, GetParam().range.min) << entry.name;
    EXPECT_LE(entry.value, GetParam().range.max) << entry.name;
  }
  EXPECT_EQ(names.size(), GetParam().size);
}

TEST_P(NameTableTest, LooksNamesUpWithoutRegardToCaseAndPrintsThemAsWritten) {
  const TIdentTable table = GetParam().table();
  for (const TIdentEntry& entry : table) {
    std::string upper(entry.name);
    for (char& c : upper) c = AsciiUpper(c);
    EXPECT_EQ(IdentToInt(table, upper), entry.value) << entry.name;
    EXPECT_EQ(IntToIdent(table, entry.value), entry.name);
  }
  EXPECT_EQ(IdentToInt(table, ""), std::nullopt);
  EXPECT_EQ(IdentToInt(table, std::string(table[0].name) + " "), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Tables, NameTableTest, testing::ValuesIn(kTables), TCaseName());

TEST(ColorNames, StandardColorsAreRedGreenBlueValues) {
  const TIdentTable table = ColorNames();
  EXPECT_EQ(IdentToInt(table, "clBlack"), 0x000000);
  EXPECT_EQ(IdentToInt(table, "clRed"), 0xFF0000);
  EXPECT_EQ(IdentToInt(table, "clLime"), 0x00FF00);
  EXPECT_EQ(IdentToInt(table, "clBlue"), 0x0000FF);
  EXPECT_EQ(IdentToInt(table, "clNavy"), 0x000080);
  EXPECT_EQ(IdentToInt(table, "clSilver"), 0xC0C0C0);
  EXPECT_EQ(IdentToInt(table, "clWhite"), 0xFFFFFF);
  EXPECT_EQ(RgbColor(0x12, 0x34, 0x56), 0x123456);
}

TEST(ColorNames, SystemColorsAreFlaggedAndNothingElseIs) {
  int systemColors = 0;
  for (const TIdentEntry& entry : ColorNames()) {
    const auto system = SystemColorOf(entry.value);
    const bool explicitColor = entry.value <= 0xFFFFFF;
    EXPECT_NE(system.has_value(), explicitColor || entry.value == clNone) << entry.name;
    if (system) {
      EXPECT_EQ(SystemColor(*system), entry.value);
      ++systemColors;
    }
  }
  EXPECT_EQ(systemColors, kSystemColorCount);
  EXPECT_EQ(SystemColorOf(clInfoBk), TSystemColor::InfoBk);
  EXPECT_EQ(SystemColorOf(cl3DDkShadow), TSystemColor::DkShadow3D);
  EXPECT_EQ(SystemColorOf(kSystemColorFlag + kSystemColorCount), std::nullopt);
}

}  // namespace
}  // namespace kalvero
