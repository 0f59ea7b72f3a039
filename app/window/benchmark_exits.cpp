#include "app/window/benchmark_exits.h"

#include <cstdio>
#include <cstdlib>

#include "platform/clock.h"

namespace kalvero {

void PrintMonotonicClock() {
  const auto now = static_cast<long long>(MonotonicNanoseconds());
  std::printf("%lld.%09lld\n", now / 1'000'000'000, now % 1'000'000'000);
  std::fflush(stdout);
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
