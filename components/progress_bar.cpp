#include "components/progress_bar.h"

#include <algorithm>

#include "components/property_kinds.h"

namespace kalvero {

const TPropertyTable& TProgressBar::Properties() const {
  static const TPropertyTable table(
      &TControl::Properties(),
      {IntegerProperty("Min", &TProgressBar::Min, &TProgressBar::SetMin, {INT32_MIN, INT32_MAX}),
       IntegerProperty("Max", &TProgressBar::Max, &TProgressBar::SetMax, {INT32_MIN, INT32_MAX}),
       IntegerProperty("Position", &TProgressBar::Position, &TProgressBar::SetPosition, {INT32_MIN, INT32_MAX})});
  return table;
}

void TProgressBar::SetMin(std::int32_t min) {
  min_ = min;
  max_ = std::max(max_, min_);
  position_ = std::clamp(position_, min_, max_);
  ProgressChanged();
}

void TProgressBar::SetMax(std::int32_t max) {
  max_ = max;
  min_ = std::min(min_, max_);
  position_ = std::clamp(position_, min_, max_);
  ProgressChanged();
}

void TProgressBar::SetPosition(std::int32_t position) {
  position_ = std::clamp(position, min_, max_);
  ProgressChanged();
}

}  // namespace kalvero
