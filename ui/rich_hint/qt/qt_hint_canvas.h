#pragma once

// The hint renderer's canvas over Qt: text measured with QFontMetrics and drawn with a QPainter.
// Font sizes are points (QFont::setPointSize), so at 96 dots per inch 10 points are 13.3 pixels.
// Fonts are fully hinted: every glyph advances by whole pixels, as on the Windows desktop, so a
// run of blanks is as wide as its blanks measured one by one, in either wrap mode.
// Tabs are expanded by hand, to the next multiple of 8 average character widths, so that
// measuring and drawing agree. Pictures come from the image list and the picture container given
// to the canvas and, for system icons, from QFileIconProvider; nothing is ever loaded from a
// network.

#include <QFont>
#include <QFontMetrics>
#include <QPixmap>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/rich_hint/hint_canvas.h"

class QPainter;

namespace kalvero {

class TQtHintCanvas final : public THintCanvas {
 public:
  // Measures for the screen; the drawing calls draw nothing.
  TQtHintCanvas() = default;
  // Measures for the painter's device and draws on it.
  explicit TQtHintCanvas(QPainter& painter) : painter_(&painter) {}

  // The hint's image list ("IDX:n") and picture container (names compared with A-Z folded).
  void SetImages(std::vector<QPixmap> images) { images_ = std::move(images); }
  void SetPictures(std::vector<std::pair<std::string, QPixmap>> pictures) { pictures_ = std::move(pictures); }

  // The Qt font of a font state (subscript and superscript at two thirds of the size).
  static QFont QtFontOf(const THintFont& font);

  THintSize TextExtent(const THintFont& font, std::string_view text) override;
  void DrawTextPiece(const THintFont& font, std::string_view text, const TRect& box, TColor color,
                     TColor background, bool ellipsis) override;
  void DrawRule(int left, int right, int y, TColor color) override;
  void FillBox(const TRect& box, TColor color) override;
  void FillGradient(const TRect& box, TColor from, TColor to, bool vertical) override;
  std::optional<THintSize> PictureSize(const THintPicture& picture) override;
  void DrawPicture(const THintPicture& picture, const TRect& box) override;
  void TilePicture(const THintPicture& picture, const TRect& box) override;
  void DrawBullet(const TRect& box, TColor color) override;
  void DrawZigzag(int left, int right, int bottom, TColor color) override;

 private:
  QFontMetrics Metrics(const QFont& font) const;
  std::optional<QPixmap> Pixmap(const THintPicture& picture) const;

  QPainter* painter_ = nullptr;
  std::vector<QPixmap> images_;
  std::vector<std::pair<std::string, QPixmap>> pictures_;
};

}  // namespace kalvero
