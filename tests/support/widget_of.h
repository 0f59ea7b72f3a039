#pragma once

// The Qt widget behind a component of a window, for the tests that drive the widgets.

#include <QWidget>

#include <stdexcept>
#include <string>
#include <string_view>

#include "components/qt/qt_control.h"
#include "components/window_builder.h"

namespace kalvero {

// The widget of the component `name` of `window`, as a W. Throws EComponentError when the window
// has no component of that name with a widget, std::invalid_argument when its widget is no W.
template <class W = QWidget>
W& WidgetOf(const TComponent& window, std::string_view name) {
  auto* widget = qobject_cast<W*>(DescribedComponent<TQtWidgetHolder>(window, name).HolderWidget());
  if (widget == nullptr) throw std::invalid_argument("The widget of " + std::string(name) + " is of another class");
  return *widget;
}

}  // namespace kalvero
