// The embedded pictures load by name through ArtworkPixmap, the look-up the program uses, with
// nothing called first (the static library's resources register themselves), at their exact sizes,
// and show what they should.

#include <QColor>
#include <QImage>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "components/qt/qt_values.h"

namespace kalvero {
namespace {

enum class TColourFamily { Transparent, Black, White, Red, Yellow, Blue, Other };

TColourFamily FamilyOf(QRgb pixel) {
  const QColor colour = QColor::fromRgba(pixel);
  if (colour.alpha() < 255) return TColourFamily::Transparent;
  if (colour.valueF() < 0.25) return TColourFamily::Black;
  if (colour.hsvSaturationF() < 0.15 && colour.valueF() > 0.9) return TColourFamily::White;
  if (colour.hsvSaturationF() < 0.35) return TColourFamily::Other;
  const int hue = colour.hsvHue();
  if (hue < 15 || hue >= 340) return TColourFamily::Red;
  if (hue >= 35 && hue < 65) return TColourFamily::Yellow;
  if (hue >= 190 && hue < 250) return TColourFamily::Blue;
  return TColourFamily::Other;
}

struct TSample {
  QPoint at;
  TColourFamily family;
};

// The sizes the build draws the square logo in: 96 and 64 appear in the windows, all of them in
// the desktop icon.
constexpr std::array kLogoSizes = {16, 24, 32, 48, 64, 96, 128, 256};

struct TPictureCase {
  std::string name;
  QSize size;
  bool cutOut;  // not a full rectangle: the top right corner is transparent
  std::vector<TSample> samples;
};

std::vector<TPictureCase> PictureCases() {
  using enum TColourFamily;
  std::vector<TPictureCase> cases;
  for (const int size : kLogoSizes) {
    // The sky of the front photograph and the header of the calendar page.
    const QPoint sky(size * 3 / 10, size * 7 / 20);
    const QPoint calendarHeader(size * 3 / 4, size * 11 / 20);
    cases.push_back({"logo-" + std::to_string(size), {size, size}, true, {{sky, Blue}, {calendarHeader, Red}}});
  }
  cases.push_back({"flag-en", {16, 11}, false,
                   {{{7, 5}, Red}, {{6, 2}, White}, {{5, 1}, Blue}, {{14, 7}, Blue}}});
  cases.push_back(
      {"flag-de", {16, 11}, false, {{{8, 2}, Black}, {{8, 5}, Red}, {{8, 8}, Yellow}}});
  cases.push_back(
      {"flag-es", {16, 11}, false, {{{8, 1}, Red}, {{8, 5}, Yellow}, {{8, 9}, Red}}});
  cases.push_back(
      {"flag-fr", {16, 11}, false, {{{2, 5}, Blue}, {{8, 5}, White}, {{13, 5}, Red}}});
  for (const char* icon : {"status-idle", "status-scanning", "status-folders", "status-copying"}) {
    cases.push_back({icon, {16, 16}, true, {}});
  }
  cases.push_back({"help", {16, 16}, true, {{{2, 8}, Blue}, {{7, 12}, White}}});
  cases.push_back({"folder", {14, 11}, true, {{{7, 7}, Yellow}}});
  return cases;
}

class TArtwork : public testing::TestWithParam<TPictureCase> {};

TEST_P(TArtwork, LoadsAtItsSizeAndShowsItsColours) {
  const TPictureCase& picture = GetParam();
  const QImage image = ArtworkPixmap(picture.name).toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_FALSE(image.isNull()) << picture.name;
  ASSERT_EQ(image.size(), picture.size);
  const QPoint corner(image.width() - 1, 0);
  const QPoint middle(image.width() / 2, image.height() / 2);
  EXPECT_EQ(qAlpha(image.pixel(middle)), 255);
  EXPECT_EQ(qAlpha(image.pixel(corner)), picture.cutOut ? 0 : 255);
  for (const TSample& sample : picture.samples) {
    EXPECT_EQ(FamilyOf(image.pixel(sample.at)), sample.family)
        << "at " << sample.at.x() << "," << sample.at.y();
  }
}

// Names a row after its picture: "flag-en" is flag_en.
struct TPictureName {
  std::string operator()(const testing::TestParamInfo<TPictureCase>& row) const {
    std::string name = row.param.name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
  }
};

INSTANTIATE_TEST_SUITE_P(Pictures, TArtwork, testing::ValuesIn(PictureCases()), TPictureName());

}  // namespace
}  // namespace kalvero
