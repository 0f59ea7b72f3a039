#pragma once

// The model of a progress bar: a position between Min and Max.

#include <cstdint>

#include "components/controls.h"

namespace kalvero {

class TProgressBar : public TControl {
 public:
  // Adds Min, Max and Position.
  const TPropertyTable& Properties() const override;

  std::int32_t Min() const { return min_; }
  void SetMin(std::int32_t min);
  std::int32_t Max() const { return max_; }
  void SetMax(std::int32_t max);
  // Held between Min and Max.
  std::int32_t Position() const { return position_; }
  void SetPosition(std::int32_t position);
  // Moves the position `delta` steps on (held at Max).
  void StepBy(std::int32_t delta) { SetPosition(position_ + delta); }

 protected:
  // Called after the range or the position changed.
  virtual void ProgressChanged() {}

 private:
  std::int32_t min_ = 0;
  std::int32_t max_ = 100;
  std::int32_t position_ = 0;
};

}  // namespace kalvero
