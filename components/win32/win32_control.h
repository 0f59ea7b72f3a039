#pragma once

// The link between a model control and the window that shows it. The model control owns its window,
// which it creates with itself (parked in a hidden window until its Parent is set) and destroys in
// its destructor. Every window of ours, of our own classes or of the system's, is subclassed: its
// messages reach TWin32Window::HandleMessage first, and an exception of a handler never leaves the
// window procedure but goes to the application's error handler.
//
// Each setter of the model is overridden to forward the new value to the window. What the user
// does comes back through the model's base setters and raises the model's events.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "components/controls.h"
#include "components/forms.h"
#include "components/win32/win32_values.h"

namespace kalvero {

// The window of a control or of a form, and what every window of ours does with its messages: the
// cursor (the busy one first), the focus, painting (through an off-screen bitmap when double
// buffered), the colours of native controls, the hint of the control under the pointer.
class TWin32Window {
 public:
  // The window classes of our own: controls that paint themselves, and top-level windows.
  static constexpr const wchar_t* kControlClass = L"KalveroControl";
  static constexpr const wchar_t* kFormClass = L"KalveroWindow";

  TWin32Window(const TWin32Window&) = delete;
  TWin32Window& operator=(const TWin32Window&) = delete;

  HWND Handle() const { return handle_; }
  TControl& Control() const { return control_; }

  // Runs one message of the window.
  LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // The background a transparent control shows: its parent's, drawn into `dc` at the control's place.
  void PaintParentBackground(HDC dc) const;
  // Paints the client area into `dc`, as WM_PAINT would: a window of our own class its background
  // (its colour, or its parent's when transparent), a native control itself.
  virtual void Paint(HDC dc);
  // Whether the window shows its parent's background instead of its own colour.
  virtual bool Transparent() const { return false; }
  // A notification of this native window to its parent (WM_COMMAND).
  virtual void Notified(WORD /*code*/) {}
  // The brush that a native control's background takes, with the text colours set in `dc`.
  virtual HBRUSH ControlColors(HDC dc);

 protected:
  // Creates the window of `className`, ours or the system's. A child window is parked until its
  // control's Parent is set.
  TWin32Window(TControl& control, const wchar_t* className, DWORD style, DWORD exStyle = 0);
  virtual ~TWin32Window();

  // Handles a message; answers true with `result` set when done, false to leave it to the window's
  // own procedure.
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The pointer entered the window, moved over it (client coordinates) or left it.
  virtual void MouseEntered() {}
  virtual void MouseMoved(int /*x*/, int /*y*/) {}
  virtual void MouseLeft() {}
  // The window's own procedure.
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam) const;

  HFONT FontHandle() const { return font_ ? font_->Handle() : nullptr; }
  // Makes the font of the window from the model's font.
  void ApplyWindowFont();
  // Sets the window's text.
  void ApplyWindowText(const std::string& text) const;
  // Places the window in the window of the control's Parent (parked when none).
  void ApplyParent();
  void ApplyGeometry() const;
  void ApplyVisible() const;
  // Paints the window now.
  void RepaintNow() const;
  // Whether the left button went down on the window and is now released inside it: a click.
  bool EndsClick(UINT message, LPARAM lParam);
  // Destroys the window before the object goes; the destructor of a form does it while it still is
  // a form.
  void DestroyHandle();

 private:
  void PaintMessage();
  void Track(UINT message, LPARAM lParam);
  bool CursorMessage(LPARAM lParam) const;

  TControl& control_;
  HWND handle_ = nullptr;
  bool ownClass_;
  bool leaveTracked_ = false;
  bool buttonDown_ = false;
  TWin32Brush brush_;
  std::unique_ptr<TWin32Font> font_;
};

// The window of `control`; null for a control without one.
HWND HandleOf(const TControl& control);
// The control that `window` shows; null for a window of no control.
TControl* ControlOf(HWND window);
// The window that the children of `parent` are placed in; the parking window for none.
HWND ChildAreaOf(const TControl* parent);
// The colour a transparent control shows: that of the nearest control around it that paints its
// own background.
TColor BackgroundColorOf(const TControl& control);

// Told by the windows what the pointer and the keys do; the application, for its hints.
class TWin32HintHost {
 public:
  // The pointer rests on `control`, at `pointer` on the screen.
  virtual void PointerRested(TControl& control, POINT pointer) = 0;
  virtual void PointerLeft(TControl& control) = 0;
  // A click, a key, or the window deactivated.
  virtual void InputArrived() = 0;

 protected:
  ~TWin32HintHost() = default;
};

template <class TModel>
class TWin32Control : public TModel, public TWin32Window {
 public:
  TWin32Control(const wchar_t* className, DWORD style, DWORD exStyle = 0)
      : TWin32Window(*this, className, style, exStyle) {
    ApplyWindowFont();
  }

  void SetLeft(std::int32_t left) override {
    TModel::SetLeft(left);
    ApplyGeometry();
  }
  void SetTop(std::int32_t top) override {
    TModel::SetTop(top);
    ApplyGeometry();
  }
  void SetWidth(std::int32_t width) override {
    TModel::SetWidth(width);
    ApplyGeometry();
  }
  void SetHeight(std::int32_t height) override {
    TModel::SetHeight(height);
    ApplyGeometry();
  }
  void SetVisible(bool visible) override {
    TModel::SetVisible(visible);
    ApplyVisible();
  }
  void SetEnabled(bool enabled) override {
    TModel::SetEnabled(enabled);
    EnableWindow(Handle(), enabled ? TRUE : FALSE);
  }
  void SetColor(TColor color) override {
    TModel::SetColor(color);
    InvalidateRect(Handle(), nullptr, TRUE);
  }
  void SetDoubleBuffered(bool doubleBuffered) override {
    TModel::SetDoubleBuffered(doubleBuffered);
    InvalidateRect(Handle(), nullptr, TRUE);
  }
  // The window takes the focus when its window is shown; the model learns of it either way.
  void SetFocus() override {
    const HWND root = GetAncestor(Handle(), GA_ROOT);
    if (this->CanFocus() && root != nullptr && IsWindowVisible(root)) ::SetFocus(Handle());
    TModel::SetFocus();
  }
  void Repaint() override { RepaintNow(); }
  // The window goes while the control is whole: its last messages may still reach it.
  ~TWin32Control() override { DestroyHandle(); }

 protected:
  void FontChanged() override { ApplyWindowFont(); }
  void ParentChanged() override { ApplyParent(); }
};

}  // namespace kalvero
