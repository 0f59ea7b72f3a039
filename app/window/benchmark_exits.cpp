#include "app/window/benchmark_exits.h"

#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "platform/clock.h"

namespace kalvero {
namespace {

void PrintMonotonicClock() {
  const auto now = static_cast<long long>(MonotonicNanoseconds());
  std::printf("%lld.%09lld\n", now / 1'000'000'000, now % 1'000'000'000);
  std::fflush(stdout);
}

}  // namespace

bool TFirstPaintExit::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && !done_) {
    done_ = true;
    PrintMonotonicClock();
    QTimer::singleShot(0, [this] { application_.Terminate(); });
  }
  return QObject::eventFilter(watched, event);
}

TMessageAnswer TRunEndExit::ShowMessageBox(TMessageKind kind, const std::string& caption, const std::string& text,
                                           TMessageButtons buttons) {
  if (!running_) return dialogs_.ShowMessageBox(kind, caption, text, buttons);
  PrintMonotonicClock();
  std::_Exit(0);
}

void TRunEndExit::SetBusyCursor(bool busy) {
  if (running_ && !busy) {
    PrintMonotonicClock();
    std::_Exit(0);
  }
  running_ = running_ || busy;
  dialogs_.SetBusyCursor(busy);
}

}  // namespace kalvero
