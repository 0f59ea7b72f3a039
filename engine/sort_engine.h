#pragma once

// The photo sorting engine: the operations of the main window that check the patterns, preview
// names and (in later files) scan, copy and remember settings. It reaches the window only
// through its host.

#include <cstddef>
#include <string>

#include "engine/engine_host.h"
#include "platform/clock.h"

namespace kalvero {

class TSortEngine {
 public:
  TSortEngine(TEngineHost& host, const TClock& clock) : host_(host), clock_(clock) {}

  // The name preview into `Label9`; run whenever `Edit1`, `Edit2` or `cb2` changed, after a
  // language switch and at start.
  void Edit1Change();

  // Key filters of the two pattern fields: the key, or the null character to drop it.
  static char32_t Edit1KeyPress(char32_t key);
  static char32_t Edit2KeyPress(char32_t key);

  // Decides whether a copy run may start with this file name pattern; a refusal shows its
  // message box first. The last check asks the user before names by time alone are used.
  bool CheckInput(const std::string& filePattern);

  // When `Edit2` is left without all of DD, MM and YYYY: an error box, and the focus goes back.
  void Edit2Exit();

  // The text that replaces FFF for picture n, as wide as the count of files found.
  std::string FormatSequenceNumber(std::size_t n) const;

  bool correctdate(const std::string& dateText) const;

 private:
  void ShowError(const std::string& text);
  // The texts of two keys on two lines.
  std::string TwoLines(const std::string& firstKey, const std::string& secondKey) const;

  TEngineHost& host_;
  const TClock& clock_;
};

}  // namespace kalvero
