#pragma once

// A window of its own class: its caption, its frame made from the border style and icons around a
// client area of the designed size, its place on the first showing, its background colour. The
// close box, Alt+F4 and the system menu ask Close. Tab walks the controls in the window's tab chain
// (the dialog keys of the message loop); the focus goes to ActiveControl on every activation.

#include <windows.h>

#include <functional>

#include "components/forms.h"
#include "components/win32/win32_control.h"

namespace kalvero {

class TWin32Form : public TForm, public TWin32Window {
 public:
  TWin32Form();
  ~TWin32Form() override;

  void SetText(std::string text) override;
  void SetColor(TColor color) override;
  void SetLeft(std::int32_t left) override;
  void SetTop(std::int32_t top) override;
  void SetWidth(std::int32_t width) override;
  void SetHeight(std::int32_t height) override;
  void SetClientWidth(std::int32_t width) override;
  void SetClientHeight(std::int32_t height) override;
  void SetBorderStyle(TFormBorderStyle style) override;
  void SetBorderIcons(TBorderIcons icons) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetDoubleBuffered(bool doubleBuffered) override;
  void BringToFront() override;
  void Repaint() override;
  void RepaintAll() override;
  void WatchKeyboardCues(std::function<void()> changed) override;

  // Sets up the tab order of the windows from TabChain.
  void Loaded() override;

 protected:
  void FontChanged() override;
  void PlaceForFirstShowing() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  DWORD Style() const;
  DWORD ExStyle() const;
  void ApplyStyle();
  // Gives the window the frame that holds a client area of ClientWidth x ClientHeight.
  void ApplyClientSize();
  // Left, Top, Width, Height, ClientWidth and ClientHeight follow the window.
  void FrameChanged();
  // Puts the focus on ActiveControl, else on the first control of the tab chain.
  void RestoreFocus();

  std::function<void()> keyboardCuesChanged_;
  bool applying_ = false;
};

}  // namespace kalvero
