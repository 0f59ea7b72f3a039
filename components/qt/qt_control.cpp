#include "components/qt/qt_control.h"

#include <QVariant>

namespace kalvero {
namespace {

constexpr const char* kControlProperty = "kalveroControl";

}  // namespace

TControl* ControlOf(const QObject* widget) {
  if (widget == nullptr) return nullptr;
  const QVariant value = widget->property(kControlProperty);
  return value.isValid() ? reinterpret_cast<TControl*>(value.value<quintptr>()) : nullptr;
}

void LinkWidget(QWidget& widget, TControl& control) {
  widget.setProperty(kControlProperty, QVariant::fromValue(reinterpret_cast<quintptr>(&control)));
}

QWidget* ChildAreaOf(const TControl* parent) {
  const auto* holder = dynamic_cast<const TQtWidgetHolder*>(parent);
  return holder != nullptr ? holder->ChildArea() : nullptr;
}

}  // namespace kalvero
