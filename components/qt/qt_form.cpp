#include "components/qt/qt_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include "components/application.h"

namespace kalvero {
namespace {

bool Sizeable(TFormBorderStyle style) {
  return style == TFormBorderStyle::bsSizeable || style == TFormBorderStyle::bsSizeToolWin;
}

QRect FrameOf(const QWidget& window) { return window.frameGeometry(); }

}  // namespace

TFormWidget::TFormWidget(TQtForm& form) : QWidget(nullptr, Qt::Window), form_(form) {}

// The close box, Alt+F4 and the window menu all end here; the window does what Close says.
void TFormWidget::closeEvent(QCloseEvent* event) {
  event->ignore();
  form_.Close();
}

void TFormWidget::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  form_.FrameChanged();
}

void TFormWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  form_.FrameChanged();
}

TQtForm::TQtForm() : widget_(new TFormWidget(*this)) {
  LinkWidget(*widget_, *this);
  widget_->setAutoFillBackground(true);
  ApplyWindowFlags();
  SetColor(Color());
  FontChanged();
}

TQtForm::~TQtForm() {
  // The controls delete their widgets before the window's widget would delete them.
  DestroyComponents();
  delete widget_.data();
}

void TQtForm::SetText(std::string text) {
  TForm::SetText(std::move(text));
  widget_->setWindowTitle(ToQt(Text()));
}

void TQtForm::SetColor(TColor color) {
  TForm::SetColor(color);
  QPalette palette = widget_->palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  widget_->setPalette(palette);
}

void TQtForm::SetCursor(TCursor cursor) {
  TForm::SetCursor(cursor);
  widget_->setCursor(ToQCursor(cursor));
}

void TQtForm::SetLeft(std::int32_t left) {
  TForm::SetLeft(left);
  widget_->move(left, Top());
}

void TQtForm::SetTop(std::int32_t top) {
  TForm::SetTop(top);
  widget_->move(Left(), top);
}

void TQtForm::SetClientWidth(std::int32_t width) {
  TForm::SetClientWidth(width);
  ApplySize();
}

void TQtForm::SetClientHeight(std::int32_t height) {
  TForm::SetClientHeight(height);
  ApplySize();
}

void TQtForm::SetBorderStyle(TFormBorderStyle style) {
  TForm::SetBorderStyle(style);
  ApplyWindowFlags();
  ApplySize();
}

void TQtForm::SetBorderIcons(TBorderIcons icons) {
  TForm::SetBorderIcons(icons);
  ApplyWindowFlags();
}

void TQtForm::SetVisible(bool visible) {
  TForm::SetVisible(visible);
  widget_->setVisible(visible);
}

void TQtForm::SetEnabled(bool enabled) {
  TForm::SetEnabled(enabled);
  widget_->setEnabled(enabled);
}

void TQtForm::BringToFront() {
  widget_->raise();
  widget_->activateWindow();
}

void TQtForm::Repaint() { widget_->repaint(); }

void TQtForm::RepaintAll() {
  widget_->repaint();
  for (QWidget* child : widget_->findChildren<QWidget*>()) child->repaint();
}

void TQtForm::FrameChanged() {
  const QRect frame = FrameOf(*widget_);
  TForm::SetLeft(frame.left());
  TForm::SetTop(frame.top());
  TForm::SetWidth(frame.width());
  TForm::SetHeight(frame.height());
  // Framed for the first time, with another decoration than guessed: centred again, once the
  // showing that framed it has ended, unless it was moved meanwhile (by the program or the user):
  // then it stays where it was put.
  if (!centring_ || frame == widget_->geometry()) return;
  const TCentring centring = *centring_;
  centring_.reset();
  if (frame.size() == centring.frame) return;
  QMetaObject::invokeMethod(
      widget_.data(),
      [this, centring] {
        const QRect now = FrameOf(*widget_);
        // Framing may shift the corner by no more than the decoration the guess lacked.
        const QSize lacking = now.size() - centring.frame;
        if ((now.topLeft() - centring.corner).manhattanLength() > lacking.width() + lacking.height()) return;
        CentreFrame(centring.over, now.size());
      },
      Qt::QueuedConnection);
}

void TQtForm::Loaded() {
  TForm::Loaded();
  const std::vector<TControl*> chain = TabChain();
  for (std::size_t i = 0; i < chain.size(); ++i) {
    auto* holder = dynamic_cast<TQtWidgetHolder*>(chain[i]);
    if (holder != nullptr) holder->HolderWidget()->setFocusPolicy(Qt::StrongFocus);
    if (i == 0) continue;
    auto* previous = dynamic_cast<TQtWidgetHolder*>(chain[i - 1]);
    if (holder != nullptr && previous != nullptr) QWidget::setTabOrder(previous->HolderWidget(), holder->HolderWidget());
  }
  // Controls that Tab skips are still reached by a click.
  for (std::size_t i = 0; i < ComponentCount(); ++i) {
    auto* control = dynamic_cast<TControl*>(&Component(i));
    auto* holder = dynamic_cast<TQtWidgetHolder*>(control);
    if (control == nullptr || holder == nullptr || !control->CanFocus()) continue;
    if (!control->TabStop()) holder->HolderWidget()->setFocusPolicy(Qt::ClickFocus);
  }
}

void TQtForm::FontChanged() { widget_->setFont(ToQFont(Font())); }

void TQtForm::PlaceForFirstShowing() {
  TApplication* application = ApplicationOf(*this);
  const auto* main = application != nullptr ? dynamic_cast<TQtForm*>(application->MainForm()) : nullptr;
  QRect over;
  if (Position() == TPosition::poMainFormCenter && main != nullptr && main != this)
    over = FrameOf(*main->widget_);
  else if (Position() == TPosition::poScreenCenter || Position() == TPosition::poMainFormCenter ||
           Position() == TPosition::poDesktopCenter)
    over = (widget_->screen() != nullptr ? widget_->screen() : QGuiApplication::primaryScreen())->geometry();
  else
    return;
  // Until the desktop frames the window its decoration is unknown: another shown window's is the
  // best guess, and FrameChanged centres the frame again once it is known.
  QSize decoration(0, 0);
  if (main != nullptr && main != this && main->Shown())
    decoration = FrameOf(*main->widget_).size() - main->widget_->size();
  const QSize frame = widget_->size() + decoration;
  centring_ = {over, frame, CentreFrame(over, frame)};
}

QPoint TQtForm::CentreFrame(const QRect& over, QSize frame) {
  const TPoint corner = CentredOver(ToRect(over), {frame.width(), frame.height()});
  // A window's position is its frame's.
  widget_->move(corner.x, corner.y);
  return {corner.x, corner.y};
}

void TQtForm::ApplyWindowFlags() {
  const bool visible = widget_->isVisible();
  const TBorderIcons icons = BorderIcons();
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
  if (BorderStyle() == TFormBorderStyle::bsNone) {
    flags |= Qt::FramelessWindowHint;
  } else {
    flags |= Qt::WindowTitleHint;
    if (icons.Contains(TBorderIcon::biSystemMenu)) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (icons.Contains(TBorderIcon::biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
    if (icons.Contains(TBorderIcon::biMaximize) && Sizeable(BorderStyle())) flags |= Qt::WindowMaximizeButtonHint;
    if (!Sizeable(BorderStyle())) flags |= Qt::MSWindowsFixedSizeDialogHint;
  }
  widget_->setWindowFlags(flags);
  if (visible) widget_->show();
}

void TQtForm::ApplySize() {
  const QSize size(ClientWidth(), ClientHeight());
  if (Sizeable(BorderStyle())) {
    widget_->setMinimumSize(0, 0);
    widget_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    widget_->resize(size);
  } else {
    widget_->setFixedSize(size);
  }
}

}  // namespace kalvero
