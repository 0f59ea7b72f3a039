// The user of the Qt-backed windows: QTest's mouse and keys on the widgets, offscreen.

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>

#include "app/window/qt/qt_window_program.h"
#include "components/qt/qt_application.h"
#include "components/qt/qt_form.h"
#include "tests/app/window/window_user.h"

namespace kalvero {
namespace {

QWidget& WidgetOf(const TControl& control) {
  auto* holder = dynamic_cast<const TQtWidgetHolder*>(&control);
  if (holder == nullptr || holder->HolderWidget() == nullptr)
    throw std::invalid_argument(control.Name() + " has no widget");
  return *holder->HolderWidget();
}

class TQtWindowUser final : public TWindowUser {
 public:
  void Click(TControl& control) override { QTest::mouseClick(&WidgetOf(control), Qt::LeftButton); }
  void SelectAll(TControl& edit) override {
    auto& line = dynamic_cast<QLineEdit&>(WidgetOf(edit));
    line.setFocus();
    line.selectAll();
  }
  void Type(std::string_view text) override {
    QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }
  void PressTab() override { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
  TControl* FocusedControl() const override { return ControlOf(QApplication::focusWidget()); }
  void CloseByCloseBox(TForm& window) override { WidgetOf(window).close(); }

  std::string Title(const TForm& window) const override { return WidgetOf(window).windowTitle().toStdString(); }
  TPoint ClientSize(const TForm& window) const override {
    const QSize size = WidgetOf(window).size();
    return {size.width(), size.height()};
  }
  TRect Bounds(const TControl& control) const override {
    const QRect geometry = WidgetOf(control).geometry();
    return {geometry.left(), geometry.top(), geometry.left() + geometry.width(), geometry.top() + geometry.height()};
  }
  std::pair<int, int> ProgressShown(const TControl& bar) const override {
    const auto& widget = dynamic_cast<const QProgressBar&>(WidgetOf(bar));
    return {widget.value(), widget.maximum()};
  }
};

}  // namespace

std::unique_ptr<TApplication> NewTestApplication(TDialogs& dialogs, TShell& shell) {
  static const bool prepared = (PrepareQtApplication(), true);
  static_cast<void>(prepared);
  return std::make_unique<TQtApplication>(dialogs, &shell);
}

void ShowAndWait(TForm& window) {
  window.Show();
  if (!QTest::qWaitForWindowExposed(&WidgetOf(window))) throw std::runtime_error(window.Name() + " was not shown");
}

std::unique_ptr<TWindowUser> NewWindowUser() { return std::make_unique<TQtWindowUser>(); }

}  // namespace kalvero
