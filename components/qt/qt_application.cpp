#include "components/qt/qt_application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QScreen>
#include <QToolTip>

#include "components/qt/qt_control.h"

namespace kalvero {
namespace {

class TToolTipHintWindow final : public THintWindow {
 public:
  void ActivateHint(const TRect& rect, const std::string& text, const THintInfo&) override {
    QToolTip::showText(QPoint(rect.left, rect.top), ToQt(text));
  }
  void HideHint() override { QToolTip::hideText(); }
  bool IsShowing() const override { return QToolTip::isVisible(); }
};

// The control a widget belongs to: its own, or that of the nearest widget around it that has one.
TControl* OwningControl(const QObject* object) {
  for (; object != nullptr; object = object->parent())
    if (TControl* control = ControlOf(object)) return control;
  return nullptr;
}

}  // namespace

std::unique_ptr<THintWindow> NewToolTipHintWindow() { return std::make_unique<TToolTipHintWindow>(); }

TQtApplication::TQtApplication(TDialogs& dialogs, TShell* shell) : TApplication(&dialogs, shell) {
  SetHintWindowClass(NewToolTipHintWindow);
  // Only the main window's Close ends the program.
  QApplication::setQuitOnLastWindowClosed(false);
  qApp->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, [this] { Idle(); });
  hintTimer_.setSingleShot(true);
  connect(&hintTimer_, &QTimer::timeout, this, [this] { HideHint(); });
}

TQtApplication::~TQtApplication() {
  qApp->removeEventFilter(this);
  // The windows go before the Qt object does, while their widgets' events can still arrive here.
  DestroyWindows();
}

int TQtApplication::Run() {
  if (Terminated()) return 0;
  return QApplication::exec();
}

void TQtApplication::Terminate() {
  TApplication::Terminate();
  QCoreApplication::exit(0);
}

void TQtApplication::FocusChanged(QWidget* now) {
  TControl* control = OwningControl(now);
  if (control == nullptr) return;
  if (TForm* form = control->OwnerForm()) form->FocusMovedTo(*control);
}

bool TQtApplication::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ToolTip:
      return ShowHintFor(watched, event);
    case QEvent::Leave:
      if (HintShowing() && !PointerOnHintControl(QCursor::pos())) HideHint();
      break;
    case QEvent::Enter:
      if (HintShowing() && !PointerOnHintControl(static_cast<QEnterEvent*>(event)->globalPosition().toPoint()))
        HideHint();
      break;
    case QEvent::MouseMove:
      if (HintShowing() && !PointerOnHintControl(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()))
        HideHint();
      break;
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::ApplicationDeactivate:
    case QEvent::WindowDeactivate:
      if (HintShowing()) HideHint();
      break;
    default: break;
  }
  return QObject::eventFilter(watched, event);
}

bool TQtApplication::HintShowing() const { return HintWindow() != nullptr && HintWindow()->IsShowing(); }

// A hint may cover the pointer (near the screen's bottom it moves up over it), and showing it there
// sends its control a Leave, from the window system or from Qt itself; so the hint goes when the
// pointer has left its control, wherever the Leave, Enter or move that tells of it arrives.
bool TQtApplication::PointerOnHintControl(const QPoint& pointer) const {
  return hintWidget_ && hintWidget_->isVisible() && hintWidget_->rect().contains(hintWidget_->mapFromGlobal(pointer));
}

// Qt shows no tool tip of its own for a widget without tool-tip text; the hint of a control that
// shows hints comes from the application, which may supply or forbid it.
bool TQtApplication::ShowHintFor(QObject* watched, QEvent* event) {
  TControl* control = OwningControl(watched);
  if (control == nullptr || !control->ShowHint()) return false;
  const QPoint pointer = static_cast<QHelpEvent*>(event)->globalPos();
  const QScreen* screen = QGuiApplication::screenAt(pointer);
  THintInfo info;
  info.hintControl = control;
  info.cursorPos = {pointer.x(), pointer.y()};
  info.hintPos = {pointer.x(), pointer.y() + kPointerHeight};
  info.hintMaxWidth = (screen != nullptr ? screen : QGuiApplication::primaryScreen())->geometry().width();
  info.hintColor = clInfoBk;
  const auto* holder = dynamic_cast<const TQtWidgetHolder*>(control);
  hintWidget_ = holder != nullptr ? holder->HolderWidget() : nullptr;
  if (ShowHint(control->Hint(), info)) hintTimer_.start(kHintHidePause);
  return true;
}

}  // namespace kalvero
