#pragma once

// The standard controls over windows: label, check box, push button, speed button, group box,
// panel, picture and progress bar (the edit box is in win32_edit.h, the status bar in
// win32_status_bar.h). The labels, pictures, speed buttons, group boxes and panels are windows of
// our own class that paint themselves over their parent's background; the others are the system's.

#include "components/image_controls.h"
#include "components/progress_bar.h"
#include "components/win32/win32_control.h"
#include "components/win32/win32_pictures.h"

namespace kalvero {

// A label: its caption in its font over its parent's background; the size of its caption while
// AutoSize is on. Reports the pointer's entering, moving and leaving, and clicks.
class TWin32Label final : public TWin32Control<TLabel> {
 public:
  TWin32Label();
  void SetText(std::string text) override;
  void SetAlignment(TAlignment alignment) override;
  void SetAutoSize(bool autoSize) override;
  void Paint(HDC dc) override;
  bool Transparent() const override { return true; }

 protected:
  void FontChanged() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void MouseEntered() override { Fire(*this, OnMouseEnter, *this); }
  void MouseMoved(int x, int y) override { Fire(*this, OnMouseMove, *this, x, y); }
  void MouseLeft() override { Fire(*this, OnMouseLeave, *this); }

 private:
  void FitToText();
};

// A check box that the user toggles by a click anywhere on it, or by the space bar.
class TWin32CheckBox final : public TWin32Control<TCheckBox> {
 public:
  TWin32CheckBox();
  void SetText(std::string text) override;
  void SetChecked(bool checked) override;
  void Notified(WORD code) override;
};

class TWin32Button final : public TWin32Control<TButton> {
 public:
  TWin32Button();
  void SetText(std::string text) override;
  void Notified(WORD code) override;
};

// A button that never takes the focus: its glyph and its caption beside it; a flat one shows its
// frame only under the pointer.
class TWin32SpeedButton final : public TWin32Control<TSpeedButton> {
 public:
  TWin32SpeedButton();
  void SetText(std::string text) override;
  void SetFlat(bool flat) override;
  void Paint(HDC dc) override;
  bool Transparent() const override { return Flat(); }

 protected:
  void GlyphChanged() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void MouseEntered() override;
  void MouseLeft() override;

 private:
  TWin32Picture glyph_;
  bool hot_ = false;
  bool pressed_ = false;
};

// An etched frame with the caption on its top line; inside, its parent's background.
class TWin32GroupBox final : public TWin32Control<TGroupBox> {
 public:
  TWin32GroupBox();
  void SetText(std::string text) override;
  void Paint(HDC dc) override;
  bool Transparent() const override { return true; }
};

// A container with a raised, lowered or no bevel, over its parent's background.
class TWin32Panel final : public TWin32Control<TPanel> {
 public:
  TWin32Panel();
  void SetBevelOuter(TBevelCut bevel) override;
  void Paint(HDC dc) override;
  bool Transparent() const override { return true; }
};

// A picture drawn with its alpha over its parent's background, at the top left corner.
class TWin32Image final : public TWin32Control<TImage> {
 public:
  TWin32Image();
  void Paint(HDC dc) override;
  bool Transparent() const override { return true; }

 protected:
  void PictureChanged() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  TWin32Picture picture_;
};

// The system's progress bar. A new position is drawn with the next paint, or by Repaint.
class TWin32ProgressBar final : public TWin32Control<TProgressBar> {
 public:
  TWin32ProgressBar();

 protected:
  void ProgressChanged() override;
};

}  // namespace kalvero
