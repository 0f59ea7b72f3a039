#include "components/qt/qt_controls.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace kalvero {
namespace {

// A label's text starts at its top.
Qt::Alignment LabelAlignment(TAlignment alignment) { return ToQtHorizontalAlignment(alignment) | Qt::AlignTop; }

// Whether a mouse button released over `widget` ends a click: the left one, released inside it.
bool EndsClick(const QWidget& widget, const QMouseEvent& event) {
  return event.button() == Qt::LeftButton && widget.rect().contains(event.position().toPoint());
}

}  // namespace

TLabelWidget::TLabelWidget(TQtLabel& control) : control_(control) {
  setMouseTracking(true);
  setTextFormat(Qt::PlainText);
}

void TLabelWidget::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  control_.MouseEntered();
}

void TLabelWidget::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  control_.MouseLeft();
}

void TLabelWidget::mouseMoveEvent(QMouseEvent* event) {
  QLabel::mouseMoveEvent(event);
  const QPoint at = event->position().toPoint();
  control_.MouseMoved(at.x(), at.y());
}

void TLabelWidget::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (EndsClick(*this, *event)) control_.Click();
}

TQtLabel::TQtLabel() : TQtControl(new TLabelWidget(*this)) { Widget().setAlignment(LabelAlignment(Alignment())); }

void TQtLabel::SetText(std::string text) {
  TLabel::SetText(std::move(text));
  Widget().setText(ToQt(Text()));
  FitToText();
}

void TQtLabel::SetAlignment(TAlignment alignment) {
  TLabel::SetAlignment(alignment);
  Widget().setAlignment(LabelAlignment(alignment));
}

void TQtLabel::SetAutoSize(bool autoSize) {
  TLabel::SetAutoSize(autoSize);
  FitToText();
}

void TQtLabel::ApplyFont() {
  TQtControl::ApplyFont();
  FitToText();
}

void TQtLabel::FitToText() {
  if (!AutoSize()) return;
  const QFontMetrics metrics(Widget().font());
  SetWidth(metrics.horizontalAdvance(Widget().text()));
  SetHeight(metrics.height());
}

TQtCheckBox::TQtCheckBox() : TQtControl(new TCheckBoxWidget) {
  // clicked() comes from the user only; toggled() also from the program.
  QObject::connect(&Widget(), &QCheckBox::clicked, &Widget(), [this](bool checked) { UserClicked(checked); });
}

void TQtCheckBox::SetText(std::string text) {
  TCheckBox::SetText(std::move(text));
  Widget().setText(ToQt(Text()));
}

void TQtCheckBox::SetChecked(bool checked) {
  TCheckBox::SetChecked(checked);
  Widget().setChecked(checked);
}

TQtButton::TQtButton() : TQtControl(new QPushButton) {
  QObject::connect(&Widget(), &QPushButton::clicked, &Widget(), [this] { Click(); });
}

void TQtButton::SetText(std::string text) {
  TButton::SetText(std::move(text));
  Widget().setText(ToQt(Text()));
}

TQtSpeedButton::TQtSpeedButton() : TQtControl(new QToolButton) {
  Widget().setFocusPolicy(Qt::NoFocus);
  Widget().setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QObject::connect(&Widget(), &QToolButton::clicked, &Widget(), [this] { Click(); });
}

void TQtSpeedButton::SetText(std::string text) {
  TSpeedButton::SetText(std::move(text));
  Widget().setText(ToQt(Text()));
  Widget().setToolButtonStyle(Text().empty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
}

void TQtSpeedButton::SetFlat(bool flat) {
  TSpeedButton::SetFlat(flat);
  Widget().setAutoRaise(flat);
}

void TQtSpeedButton::GlyphChanged() {
  const QPixmap glyph = ToQPixmap(Glyph());
  Widget().setIcon(QIcon(glyph));
  Widget().setIconSize(glyph.size());
}

void TGroupBoxWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  const int top = metrics.height() / 2;
  const QRect frame(0, top, width() - 2, height() - top - 2);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(frame);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.translated(1, 1));
  if (title().isEmpty()) return;
  const QRect caption(8, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
  painter.fillRect(caption, palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, title());
}

TQtGroupBox::TQtGroupBox() : TQtControl(new TGroupBoxWidget) {}

void TQtGroupBox::SetText(std::string text) {
  TGroupBox::SetText(std::move(text));
  Widget().setTitle(ToQt(Text()));
}

TQtPanel::TQtPanel() : TQtControl(new QFrame) { SetBevelOuter(BevelOuter()); }

void TQtPanel::SetBevelOuter(TBevelCut bevel) {
  TPanel::SetBevelOuter(bevel);
  switch (bevel) {
    case TBevelCut::bvNone:
    case TBevelCut::bvSpace: Widget().setFrameStyle(QFrame::NoFrame); break;
    case TBevelCut::bvLowered: Widget().setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    case TBevelCut::bvRaised: Widget().setFrameStyle(QFrame::Panel | QFrame::Raised); break;
  }
}

TImageWidget::TImageWidget(TQtImage& control) : control_(control) {}

void TImageWidget::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (EndsClick(*this, *event)) control_.Click();
}

TQtImage::TQtImage() : TQtControl(new TImageWidget(*this)) { Widget().setAlignment(Qt::AlignLeft | Qt::AlignTop); }

void TQtImage::PictureChanged() { Widget().setPixmap(ToQPixmap(Picture())); }

TQtProgressBar::TQtProgressBar() : TQtControl(new QProgressBar) {
  Widget().setTextVisible(false);
  ProgressChanged();
}

// QProgressBar draws itself at once whenever its bar grows by a pixel; like the other controls it
// is drawn with the window's next paint instead, or when Repaint asks for it.
void TQtProgressBar::ProgressChanged() {
  QProgressBar& bar = Widget();
  const bool updates = bar.updatesEnabled();
  bar.setUpdatesEnabled(false);
  bar.setRange(Min(), Max());
  bar.setValue(Position());
  bar.setUpdatesEnabled(updates);
}

}  // namespace kalvero
