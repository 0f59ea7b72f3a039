#pragma once

// The engine works on the window's one thread. A long task (a scan, a copy run) asks this between
// two of its steps to let the window handle its waiting messages, so that the window repaints,
// answers the desktop and, where the task allows it, the user, while the task runs.

#include <cstdint>

#include "engine/engine_host.h"
#include "platform/clock.h"

namespace kalvero {

class TMessagePace {
 public:
  // Lets messages through at most once every `intervalMilliseconds` of the clock's steady time;
  // `userInput`: whether keystrokes and clicks are among them.
  TMessagePace(TEngineHost& host, const TClock& clock, std::int64_t intervalMilliseconds, bool userInput)
      : host_(host),
        clock_(clock),
        interval_(intervalMilliseconds),
        userInput_(userInput),
        last_(clock.SteadyMilliseconds()) {}

  // Called between two steps of the task: lets the messages through when the interval has passed
  // since the task began or last let them through. Answers whether it did; the window's handlers
  // may then have called back into the engine.
  bool Step() {
    if (clock_.SteadyMilliseconds() - last_ < interval_) return false;
    host_.ProcessMessages(userInput_);
    // The time the handlers took is not the task's: the next interval starts when they are done.
    last_ = clock_.SteadyMilliseconds();
    return true;
  }

 private:
  TEngineHost& host_;
  const TClock& clock_;
  std::int64_t interval_;
  bool userInput_;
  std::int64_t last_;
};

}  // namespace kalvero
