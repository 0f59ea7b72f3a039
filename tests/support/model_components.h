#pragma once

// Component classes for tests: a label with the property kinds the real controls do not use
// (a float, a string list), and a component that records when it is loaded.

#include <string>
#include <vector>

#include "components/controls.h"
#include "components/property_kinds.h"
#include "components/string_list.h"

namespace kalvero {

class TTestGauge final : public TLabel {
 public:
  // Adds Ratio (float) and Lines (string list).
  const TPropertyTable& Properties() const override {
    static const TPropertyTable table(
        &TLabel::Properties(), {FloatProperty("Ratio", &TTestGauge::Ratio, &TTestGauge::SetRatio),
                                ObjectProperty("Lines", &TTestGauge::Lines, &TTestGauge::SetLines)});
    return table;
  }

  double Ratio() const { return ratio_; }
  void SetRatio(double ratio) { ratio_ = ratio; }
  TStringList& Lines() const { return *lines_; }
  void SetLines(TStringList* lines) {
    if (lines != nullptr) lines_->Assign(*lines);
  }

 private:
  double ratio_ = 0;
  std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
};

// Appends "name:Caption" to a shared log when loaded, so a test sees the order of Loaded calls and
// that every setting was applied before them.
class TLoadRecorder final : public TLabel {
 public:
  static std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
  }
  void Loaded() override { Log().push_back(Name() + ":" + Text()); }
};

// A label whose caption setter logs "name:caption" into the recorders' log, as a Qt-backed
// control's overriding setter would forward it to its widget.
class TLoggingLabel final : public TLabel {
 public:
  void SetText(std::string text) override {
    TLabel::SetText(text);
    TLoadRecorder::Log().push_back(Name() + ":" + text);
  }
};

}  // namespace kalvero
