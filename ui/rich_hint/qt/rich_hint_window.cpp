#include "ui/rich_hint/qt/rich_hint_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>

#include "components/qt/qt_values.h"
#include "ui/rich_hint/qt/qt_hint_canvas.h"

namespace kalvero {
namespace {

constexpr int kRoundedCorner = 16;

// The pictures of the hint's image list, by their numbers.
std::vector<QPixmap> ImagesOf(const TRichHint& hint) {
  std::vector<QPixmap> pixmaps;
  if (const TImageList* images = hint.Images()) {
    TPicture picture;
    for (std::size_t i = 0; i < images->Count(); ++i) {
      images->GetPicture(i, picture);
      pixmaps.push_back(ToQPixmap(picture));
    }
  }
  return pixmaps;
}

// The pictures of the hint's picture container, by their names.
std::vector<std::pair<std::string, QPixmap>> PicturesOf(const TRichHint& hint) {
  std::vector<std::pair<std::string, QPixmap>> pictures;
  if (const TPictureContainer* container = hint.PictureContainer()) {
    for (const std::string& name : container->Pictures().Lines()) pictures.emplace_back(name, ArtworkPixmap(name));
  }
  return pictures;
}

QRect MonitorOf(const QPoint& point) {
  const QScreen* screen = QGuiApplication::screenAt(point);
  return (screen != nullptr ? screen : QGuiApplication::primaryScreen())->geometry();
}

// A vertical gradient in 48 bands of equal height, red, green and blue each moving in equal steps.
void FillBands(QPainter& painter, const QRect& area, const QColor& from, const QColor& to) {
  constexpr int kBands = 48;
  for (int band = 0; band < kBands; ++band) {
    const auto step = [band](int a, int b) { return a + (b - a) * band / (kBands - 1); };
    const QColor color(step(from.red(), to.red()), step(from.green(), to.green()), step(from.blue(), to.blue()));
    const int top = area.top() + area.height() * band / kBands;
    const int bottom = area.top() + area.height() * (band + 1) / kBands;
    painter.fillRect(QRect(area.left(), top, area.width(), bottom - top), color);
  }
}

}  // namespace

TRichHintWindow::TRichHintWindow(const TApplication& application)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      application_(application) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

TRichHintWindow::TLook TRichHintWindow::LookOf(const TRichHint& hint, const THintInfo& info) {
  return {HintOptionsOf(hint), info.hintColor, hint.HintColorTo(), hint.HintStyle(), hint.XMargin(), hint.YMargin(),
          ImagesOf(hint), PicturesOf(hint)};
}

void TRichHintWindow::GivePictures(TQtHintCanvas& canvas) const {
  canvas.SetImages(look_.images);
  canvas.SetPictures(look_.pictures);
}

void TRichHintWindow::ActivateHint(const TRect& rect, const std::string& text, const THintInfo& info) {
  caption_ = text;
  const TRichHint* hint = MainWindowRichHint(application_);
  if (hint == nullptr) return hide();
  look_ = LookOf(*hint, info);
  TQtHintCanvas canvas;
  GivePictures(canvas);
  const TRect measure{rect.left, rect.top, rect.right - 16, rect.top + 1};
  // Paint draws in the window's narrower rectangle but breaks the lines as measured here.
  look_.options.wrapWidth = measure.right - measure.left;
  const THintSize measured = RenderHintHtml(canvas, caption_, measure, look_.options);
  const int contentWidth = measured.width + 2 * look_.xMargin;
  contentHeight_ = measured.height + 2 * look_.yMargin;
  const QPoint at(rect.left, rect.top);
  const int width = contentWidth + 16, height = contentHeight_ + 4;
  const TPoint corner = KeepHintOnMonitor({at.x(), at.y(), at.x() + width, at.y() + height}, ToRect(MonitorOf(at)));
  setGeometry(corner.x, corner.y, width, height);
  if (look_.style == THintStyle::hsRounded) {
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, width, height), kRoundedCorner / 2.0, kRoundedCorner / 2.0);
    setMask(QRegion(outline.toFillPolygon().toPolygon()));
  } else {
    clearMask();
  }
  show();
  raise();
  update();
}

void TRichHintWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect client = rect();
  const QColor background = ToQColor(look_.color);
  if (look_.colorTo == clNone)
    painter.fillRect(client, background);
  else
    FillBands(painter, client, background, ToQColor(look_.colorTo));

  if (look_.style == THintStyle::hsRounded) {
    painter.setPen(QColor(128, 128, 128));
    painter.drawRoundedRect(client.adjusted(0, 0, -1, -1), kRoundedCorner / 2.0, kRoundedCorner / 2.0);
  } else {
    painter.setPen(ToQColor(cl3DLight));
    painter.drawLine(client.topLeft(), client.topRight());
    painter.drawLine(client.topLeft(), client.bottomLeft());
    painter.setPen(ToQColor(cl3DDkShadow));
    painter.drawLine(client.bottomLeft(), client.bottomRight());
    painter.drawLine(client.topRight(), client.bottomRight());
  }

  const int top = (client.height() - contentHeight_) / 2 + look_.yMargin;
  const TRect text{look_.xMargin + 4, top, client.width() - 4, top + contentHeight_ + 8};
  TQtHintCanvas canvas(painter);
  GivePictures(canvas);
  THintOptions options = look_.options;
  options.draw = true;
  RenderHintHtml(canvas, caption_, text, options);
}

THintWindowClass TQtRichHint::HintWindowClass() const {
  const TApplication* application = ApplicationOf(*this);
  return [application] { return std::make_unique<TRichHintWindow>(*application); };
}

}  // namespace kalvero
