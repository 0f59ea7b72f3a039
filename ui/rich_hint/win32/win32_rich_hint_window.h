#pragma once

// The hint window of the rich hint over Win32: a top-most popup without a frame that never takes
// the activation or the mouse, measures its text with the hint renderer, takes the text's size
// plus 16 by 4 pixels, stays on the nearest monitor, and paints its background, its border and
// the text through a memory bitmap; and the rich hint component that makes it the application's
// hint window.

#include <windows.h>

#include <string>
#include <vector>

#include "components/application.h"
#include "ui/rich_hint/hint_renderer.h"
#include "ui/rich_hint/rich_hint.h"

namespace kalvero {

class TWin32HintCanvas;

class TWin32RichHintWindow final : public THintWindow {
 public:
  // The window's class, registered once: the drop shadow of the desktop's tool tips.
  static constexpr const wchar_t* kClassName = L"KalveroRichHint";
  static constexpr int kRoundedCorner = 16;

  explicit TWin32RichHintWindow(const TApplication& application);
  TWin32RichHintWindow(const TWin32RichHintWindow&) = delete;
  TWin32RichHintWindow& operator=(const TWin32RichHintWindow&) = delete;
  ~TWin32RichHintWindow() override;

  // Measures the text as the main window's rich hint says, as wide as `rect` allows less the
  // window's 16 pixels, places the window at rect's top left corner, held on the nearest monitor,
  // and shows it on top in info.hintColor without activating it. Without a rich hint on the main
  // window no hint shows.
  void ActivateHint(const TRect& rect, const std::string& text, const THintInfo& info) override;
  void HideHint() override { ShowWindow(window_, SW_HIDE); }
  bool IsShowing() const override { return IsWindowVisible(window_) != FALSE; }

  HWND Handle() const { return window_; }
  // The rectangle the text is drawn in, in client coordinates.
  TRect TextRect() const;

 private:
  // What the hint is drawn with: the rich hint's settings and pictures and the hint's colour, as
  // they were when it was activated.
  struct TLook {
    THintOptions options;
    TColor color = clInfoBk;
    TColor colorTo = clNone;
    THintStyle style = THintStyle::hsRectangle;
    int xMargin = 0;
    int yMargin = 0;
    std::vector<std::string> images;
    std::vector<std::string> pictures;
  };

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static TLook LookOf(const TRichHint& hint, const THintInfo& info);
  void GivePictures(TWin32HintCanvas& canvas) const;
  // Paints the whole window into `dc`.
  void Paint(HDC dc) const;
  // Paints through a memory bitmap of the client's size, then copies it at once.
  void PaintBuffered(HDC dc) const;

  const TApplication& application_;
  HWND window_;
  std::string caption_;
  TLook look_;
  int contentHeight_ = 0;
};

// The rich hint whose hints the Win32 rich hint window shows.
class TWin32RichHint final : public TRichHint {
 protected:
  THintWindowClass HintWindowClass() const override;
};

}  // namespace kalvero
