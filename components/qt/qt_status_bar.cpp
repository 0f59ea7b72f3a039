#include "components/qt/qt_status_bar.h"

#include <QPainter>

namespace kalvero {
namespace {

// A single lowered or raised line around `frame`: a lowered one dark above and left, light below
// and right, a raised one the other way round.
void DrawBevel(QPainter& painter, const QRect& frame, TStatusPanelBevel bevel) {
  if (bevel == TStatusPanelBevel::pbNone) return;
  const bool lowered = bevel == TStatusPanelBevel::pbLowered;
  const QColor dark = ToQColor(SystemColor(TSystemColor::BtnShadow));
  const QColor light = ToQColor(SystemColor(TSystemColor::BtnHighlight));
  painter.setPen(lowered ? dark : light);
  painter.drawLine(frame.topLeft(), frame.topRight());
  painter.drawLine(frame.topLeft(), frame.bottomLeft());
  painter.setPen(lowered ? light : dark);
  painter.drawLine(frame.bottomLeft(), frame.bottomRight());
  painter.drawLine(frame.topRight(), frame.bottomRight());
}

// A panel's text is centred between the panel's top and bottom.
int TextFlags(TAlignment alignment) {
  return static_cast<int>(ToQtHorizontalAlignment(alignment) | Qt::AlignVCenter) | Qt::TextSingleLine;
}

}  // namespace

void TStatusBarWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The bar's own colour (the button face), whatever the window's is: the light lines of the
  // panels show only on it.
  painter.fillRect(rect(), ToQColor(control_.Color()));
  const auto edges = control_.PanelEdges(width());
  for (std::size_t i = 0; i < edges.size(); ++i) {
    const TStatusPanel& panel = control_.Panels().Panel(static_cast<std::int64_t>(i));
    const QRect frame(edges[i].first + TQtStatusBar::kPanelGap, 2,
                      edges[i].second - edges[i].first - TQtStatusBar::kPanelGap, height() - 3);
    if (frame.width() <= 0) continue;
    DrawBevel(painter, frame, panel.Bevel());
    painter.setPen(palette().color(QPalette::WindowText));
    // One line, cut at the panel's end.
    painter.drawText(frame.adjusted(2, 0, -2, 0), TextFlags(panel.Alignment()), ToQt(panel.Text()));
  }
}

void TStatusBarWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  control_.PlaceSizeGrip();
}

TQtStatusBar::TQtStatusBar() : TQtControl(new TStatusBarWidget(*this)), grip_(new QSizeGrip(&Widget())) {
  SetSizeGrip(SizeGrip());
}

void TQtStatusBar::SetColor(TColor color) {
  TStatusBar::SetColor(color);
  Widget().update();
}

void TQtStatusBar::SetSizeGrip(bool sizeGrip) {
  TStatusBar::SetSizeGrip(sizeGrip);
  grip_->setVisible(sizeGrip);
  PlaceSizeGrip();
}

void TQtStatusBar::PlaceSizeGrip() {
  const QSize size = grip_->sizeHint();
  grip_->setGeometry(Widget().width() - size.width(), Widget().height() - size.height(), size.width(), size.height());
}

// A panel whose text is the same as before is no change (the model reports none), so only a
// different text repaints.
void TQtStatusBar::PanelsChanged() { Widget().update(); }

}  // namespace kalvero
