#pragma once

#include <QObject>

#include "components/qt/qt_application.h"

namespace kalvero {

// KALVERO_EXIT_AFTER_FIRST_PAINT over Qt: at the first paint of the watched window (the main
// window) prints the clock and ends the program.
class TFirstPaintExit final : public QObject {
 public:
  explicit TFirstPaintExit(TQtApplication& application) : application_(application) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TQtApplication& application_;
  bool done_ = false;
};

}  // namespace kalvero
