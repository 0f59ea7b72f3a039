// The hint renderer's Qt canvas on the offscreen platform: fonts, the size of the file-name hint
// in Arial 10 points, and drawing into an image.

#include "ui/rich_hint/qt/qt_hint_canvas.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <iostream>

#include "tests/ui/rich_hint/script_hints.h"
#include "ui/rich_hint/hint_renderer.h"

namespace kalvero {
namespace {

const THintFont kArial10{"ARIAL", 10};

TEST(QtHintCanvas, ArialInCapitalsResolvesToLiberationSans) {
  const QFont font = TQtHintCanvas::QtFontOf(kArial10);
  EXPECT_EQ(QFontInfo(font).family(), "Liberation Sans");
  EXPECT_EQ(font.pointSize(), 10);
  THintFont subscript = kArial10;
  subscript.script = THintScript::Subscript;
  EXPECT_EQ(TQtHintCanvas::QtFontOf(subscript).pointSize(), 6);
}

TEST(QtHintCanvas, MeasuresBlanksAndTabsAsTheyAdvance) {
  TQtHintCanvas canvas;
  const int blank = canvas.TextExtent(kArial10, " ").width;
  ASSERT_GT(blank, 0);
  EXPECT_EQ(canvas.TextExtent(kArial10, "        ").width, 8 * blank);
  const int stop = 8 * QFontMetrics(TQtHintCanvas::QtFontOf(kArial10)).averageCharWidth();
  EXPECT_EQ(canvas.TextExtent(kArial10, "ab\tc").width, stop + canvas.TextExtent(kArial10, "c").width);
  EXPECT_EQ(canvas.TextExtent(kArial10, "").height, canvas.TextExtent(kArial10, "gh").height);
}

TEST(QtHintCanvas, FindsPicturesInItsListAndContainerOnly) {
  TQtHintCanvas canvas;
  canvas.SetImages({QPixmap(20, 10)});
  canvas.SetPictures({{"Logo", QPixmap(5, 6)}});
  using enum THintPictureSource;
  EXPECT_EQ(canvas.PictureSize({ImageList, 0, {}}), (THintSize{20, 10}));
  EXPECT_EQ(canvas.PictureSize({ImageList, 1, {}}), std::nullopt);
  EXPECT_EQ(canvas.PictureSize({ImageList, -1, {}}), std::nullopt);
  EXPECT_EQ(canvas.PictureSize({Container, 0, "LOGO"}), (THintSize{5, 6}));
  EXPECT_EQ(canvas.PictureSize({Container, 0, "other"}), std::nullopt);
}

// The reference for the hint window's size: the English file-name hint in Arial 10 points.
TEST(QtHintCanvas, MeasuresTheFileNameHintAsEightLines) {
  TQtHintCanvas canvas;
  THintOptions options;
  const std::string text = ScriptHint("English", "edit1hint");
  const THintSize size = RenderHintHtml(canvas, text, {0, 0, 1000, 1000}, options);
  const int lineHeight = canvas.TextExtent(kArial10, "gh").height;
  EXPECT_EQ(size.height, 8 * lineHeight);
  EXPECT_GT(size.width, 120);
  EXPECT_LT(size.width, 220);
  RecordProperty("width", size.width);
  RecordProperty("height", size.height);
  std::cout << "English edit1hint in Arial 10: " << size.width << " x " << size.height << " pixels, lines of "
            << lineHeight << "\n";
}

TEST(QtHintCanvas, DrawsTheHintWithinItsMeasuredSize) {
  const std::string text = ScriptHint("English", "edit2hint");
  TQtHintCanvas measure;
  THintOptions options;
  options.fontColor = clBlack;
  const THintSize size = RenderHintHtml(measure, text, {0, 0, 400, 400}, options);
  QImage image(400, 400, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    TQtHintCanvas canvas(painter);
    options.draw = true;
    EXPECT_EQ(RenderHintHtml(canvas, text, {0, 0, 400, 400}, options), size);
  }
  int left = 400, right = -1, bottom = -1;
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x)
      if (image.pixel(x, y) != QColor(Qt::white).rgb()) {
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
      }
  EXPECT_GE(left, 1);
  EXPECT_LE(right, size.width + 1);
  EXPECT_LT(bottom, size.height);
  EXPECT_GT(right, size.width / 2);
}

}  // namespace
}  // namespace kalvero
