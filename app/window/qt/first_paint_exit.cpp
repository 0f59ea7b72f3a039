#include "app/window/qt/first_paint_exit.h"

#include <QEvent>
#include <QTimer>

#include "app/window/benchmark_exits.h"

namespace kalvero {

bool TFirstPaintExit::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && !done_) {
    done_ = true;
    PrintMonotonicClock();
    QTimer::singleShot(0, [this] { application_.Terminate(); });
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kalvero
