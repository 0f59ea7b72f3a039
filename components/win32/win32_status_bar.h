#pragma once

// The status bar: a window of our own class that paints its colour (the button face) and on it its
// panels, each with its frame and its text on one line, the last one reaching to the end of the bar.
// Controls placed on the bar (the status icon's host) are child windows at their own places. The
// size grip, when shown, sizes the window the bar is in.

#include "components/status_bar.h"
#include "components/win32/win32_control.h"

namespace kalvero {

class TWin32StatusBar final : public TWin32Control<TStatusBar> {
 public:
  // The gap before each panel's frame, in pixels.
  static constexpr int kPanelGap = 3;

  TWin32StatusBar();
  void SetColor(TColor color) override;
  void SetSizeGrip(bool sizeGrip) override;
  void Paint(HDC dc) override;

 protected:
  void PanelsChanged() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // The grip's square at the right end; empty when no grip shows.
  RECT GripRect() const;
};

}  // namespace kalvero
