#pragma once

// The version of Windows the program runs on, for the repaint measures that only Windows Vista
// and later with visual styles need. Every other system is "not Windows": major version 0.

namespace kalvero {

struct TWindowsVersion {
  int major = 0;
  bool visualStyles = false;
  bool VistaOrLater() const { return major >= 6; }
};

TWindowsVersion RunningWindowsVersion();

}  // namespace kalvero
