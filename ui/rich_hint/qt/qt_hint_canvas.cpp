#include "ui/rich_hint/qt/qt_hint_canvas.h"

#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

#include "components/qt/qt_values.h"
#include "platform/ascii_text.h"
#include "platform/qt/program_fonts.h"

namespace kalvero {
namespace {

constexpr int kTabStopChars = 8;
constexpr int kSmallIcon = 16;
constexpr int kLargeIcon = 32;
constexpr int kBulletSize = 5;
constexpr int kMaxZigzag = 100'000;

int TabStop(const QFontMetrics& metrics) { return std::max(1, kTabStopChars * metrics.averageCharWidth()); }

// Calls `segment(text, x)` for each run of `text` between tabs, with the run's x from the start,
// and returns the width of the whole: each tab moves on to the next multiple of the tab stop.
template <class Segment>
int WalkTabs(const QFontMetrics& metrics, const QString& text, Segment segment) {
  const int stop = TabStop(metrics);
  int x = 0;
  qsizetype from = 0;
  while (true) {
    const qsizetype tab = text.indexOf(u'\t', from);
    const QString run = text.mid(from, tab < 0 ? -1 : tab - from);
    segment(run, x);
    x += metrics.horizontalAdvance(run);
    if (tab < 0) return x;
    x = (x / stop + 1) * stop;
    from = tab + 1;
  }
}

THintFont FullSize(THintFont font) {
  font.script = THintScript::Normal;
  return font;
}

}  // namespace

QFont TQtHintCanvas::QtFontOf(const THintFont& font) {
  QFont result(ToQt(font.name));
  const int size = font.script == THintScript::Normal ? font.size : font.size * 2 / 3;
  result.setPointSize(std::max(1, size));
  result.setHintingPreference(QFont::PreferFullHinting);
  result.setBold(font.bold);
  result.setItalic(font.italic);
  result.setUnderline(font.underline);
  result.setStrikeOut(font.strikeOut);
  return WithBoldSpacing(result);
}

QFontMetrics TQtHintCanvas::Metrics(const QFont& font) const {
  return painter_ != nullptr ? QFontMetrics(font, painter_->device()) : QFontMetrics(font);
}

THintSize TQtHintCanvas::TextExtent(const THintFont& font, std::string_view text) {
  const QFontMetrics metrics = Metrics(QtFontOf(font));
  const int width = WalkTabs(metrics, ToQt(std::string(text)), [](const QString&, int) {});
  const int height = font.script == THintScript::Normal ? metrics.height() : Metrics(QtFontOf(FullSize(font))).height();
  return {width, height};
}

void TQtHintCanvas::DrawTextPiece(const THintFont& font, std::string_view text, const TRect& box, TColor color,
                                  TColor background, bool ellipsis) {
  if (painter_ == nullptr) return;
  const QFont qfont = QtFontOf(font);
  const QFontMetrics metrics = Metrics(qfont);
  if (background != clNone) painter_->fillRect(ToQRect(box), ToQColor(background));
  QString shown = ToQt(std::string(text));
  if (ellipsis && TextExtent(font, text).width > box.Width())
    shown = metrics.elidedText(QString(shown).replace(u'\t', u' '), Qt::ElideRight, std::max(0, box.Width()));
  const bool raised = font.script == THintScript::Superscript;
  const int baseline = raised ? box.top + metrics.ascent() : box.bottom - metrics.descent();
  painter_->save();
  painter_->setFont(qfont);
  painter_->setPen(ToQColor(color));
  painter_->translate(box.left, baseline);
  if (font.angle != 0) painter_->rotate(-font.angle);
  WalkTabs(metrics, shown, [this](const QString& run, int x) { painter_->drawText(QPoint(x, 0), run); });
  painter_->restore();
}

void TQtHintCanvas::DrawRule(int left, int right, int y, TColor color) {
  if (painter_ == nullptr || right <= left) return;
  painter_->save();
  painter_->setPen(ToQColor(color));
  painter_->drawLine(left, y, right - 1, y);
  painter_->restore();
}

void TQtHintCanvas::FillBox(const TRect& box, TColor color) {
  if (painter_ != nullptr) painter_->fillRect(ToQRect(box), ToQColor(color));
}

void TQtHintCanvas::FillGradient(const TRect& box, TColor from, TColor to, bool vertical) {
  if (painter_ == nullptr) return;
  const QRect rect = ToQRect(box);
  QLinearGradient gradient(rect.topLeft(), vertical ? rect.bottomLeft() : rect.topRight());
  gradient.setColorAt(0, ToQColor(from));
  gradient.setColorAt(1, ToQColor(to));
  painter_->fillRect(rect, gradient);
}

std::optional<QPixmap> TQtHintCanvas::Pixmap(const THintPicture& picture) const {
  QPixmap pixmap;
  switch (picture.source) {
    case THintPictureSource::ImageList:
      if (picture.index >= 0 && static_cast<std::size_t>(picture.index) < images_.size())
        pixmap = images_[static_cast<std::size_t>(picture.index)];
      break;
    case THintPictureSource::SmallSystemIcon:
    case THintPictureSource::LargeSystemIcon: {
      const int side = picture.source == THintPictureSource::SmallSystemIcon ? kSmallIcon : kLargeIcon;
      const QFileInfo file(QFile::decodeName(QByteArray::fromStdString(picture.name)));
      pixmap = QFileIconProvider().icon(file).pixmap(side, side);
      break;
    }
    case THintPictureSource::Container:
      for (const auto& [name, stored] : pictures_)
        if (SameTextAscii(name, picture.name)) pixmap = stored;
      break;
  }
  if (pixmap.isNull()) return std::nullopt;
  return pixmap;
}

std::optional<THintSize> TQtHintCanvas::PictureSize(const THintPicture& picture) {
  const auto pixmap = Pixmap(picture);
  if (!pixmap) return std::nullopt;
  const QSize size = pixmap->deviceIndependentSize().toSize();
  return THintSize{size.width(), size.height()};
}

void TQtHintCanvas::DrawPicture(const THintPicture& picture, const TRect& box) {
  if (painter_ == nullptr) return;
  if (const auto pixmap = Pixmap(picture)) painter_->drawPixmap(ToQRect(box), *pixmap);
}

void TQtHintCanvas::TilePicture(const THintPicture& picture, const TRect& box) {
  if (painter_ == nullptr) return;
  if (const auto pixmap = Pixmap(picture)) painter_->drawTiledPixmap(ToQRect(box), *pixmap);
}

void TQtHintCanvas::DrawBullet(const TRect& box, TColor color) {
  if (painter_ == nullptr) return;
  const int left = box.left + (box.Width() - kBulletSize) / 2;
  const int top = box.top + (box.Height() - kBulletSize) / 2;
  painter_->save();
  painter_->setRenderHint(QPainter::Antialiasing);
  painter_->setPen(Qt::NoPen);
  painter_->setBrush(ToQColor(color));
  painter_->drawEllipse(QRect(left, top, kBulletSize, kBulletSize));
  painter_->restore();
}

void TQtHintCanvas::DrawZigzag(int left, int right, int bottom, TColor color) {
  if (painter_ == nullptr || right <= left) return;
  QPolygon line;
  const int end = std::min(right - 1, left + kMaxZigzag);
  for (int x = left, step = 0; x <= end; x += 2, ++step) line << QPoint(x, step % 2 == 0 ? bottom - 1 : bottom - 3);
  painter_->save();
  painter_->setPen(ToQColor(color));
  painter_->drawPolyline(line);
  painter_->restore();
}

}  // namespace kalvero
