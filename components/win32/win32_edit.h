#pragma once

// The edit box over the system's EDIT window. Every typed printable character passes the model's
// key filter; the length limit holds for what the user types or pastes, never for a text the
// program writes (the system's limit works that way). Only the user's changes come back as
// UserChangedText: a text the program writes is shown without reporting back.

#include <windows.h>

#include <commctrl.h>
#include <imm.h>

#include <functional>
#include <string>

#include "components/win32/win32_control.h"
#include "platform/win32/wide_text.h"

namespace kalvero {

// What an edit box does with its window's messages, apart from its model.
class TWin32EditWindow {
 protected:

  ~TWin32EditWindow() = default;

  // Handles a character message for `window`: runs the character through `control`'s key filter.
  // Answers true when the character is done with (dropped, or typed through `type` as the one
  // character the filter answered), false for a key that is no text.
  static bool FilterCharacter(TEdit& control, HWND window, WPARAM character, wchar_t& pendingHighHalf,
                              const std::function<void(WPARAM)>& type);
  // The text the window shows.
  static std::string WindowText(HWND window);
};

// An edit box model over an EDIT window; the folder edit box builds on it with a model of its own.
template <class TModel>
class TWin32EditControl : public TWin32Control<TModel>, protected TWin32EditWindow {
 public:
  TWin32EditControl()
      : TWin32Control<TModel>(WC_EDITW, WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE) {
    SetMaxLength(this->MaxLength());
  }

  // A box made narrower than its text while it was built keeps its text scrolled to the end; it
  // shows the start again, as a box does whose text the program wrote, unless the user is in it.
  void SetWidth(std::int32_t width) override {
    TWin32Control<TModel>::SetWidth(width);
    ShowStart();
  }
  void SetMaxLength(std::int32_t maxLength) override {
    TModel::SetMaxLength(maxLength);
    SendMessageW(this->Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength), 0);
  }
  // Edit boxes paint their own background colour.
  void SetColor(TColor color) override {
    TModel::SetColor(color);
    InvalidateRect(this->Handle(), nullptr, TRUE);
  }
  HBRUSH ControlColors(HDC dc) override {
    const COLORREF background = ToColorRef(this->Color());
    SetTextColor(dc, ToColorRef(this->Font().Color()));
    SetBkColor(dc, background);
    return brush_.Of(background);
  }
  void Notified(WORD code) override {
    if (code == EN_CHANGE && !showing_) this->UserChangedText(WindowText(this->Handle()));
  }

 protected:
  void ShowText(const std::string& text) override {
    showing_ = true;
    this->ApplyWindowText(text);
    showing_ = false;
    ShowStart();
  }
  void ShowStart() const {
    if (GetFocus() == this->Handle()) return;
    SendMessageW(this->Handle(), EM_SETSEL, 0, 0);
    SendMessageW(this->Handle(), EM_SCROLLCARET, 0, 0);
  }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    // The system's edit box inserts what an input method composed without a character message;
    // the default handling turns it into character messages, which pass the key filter.
    if (message == WM_IME_COMPOSITION && (lParam & GCS_RESULTSTR) != 0) {
      result = DefWindowProcW(this->Handle(), message, wParam, lParam);
      return true;
    }
    if (message == WM_CHAR &&
        FilterCharacter(*this, this->Handle(), wParam, pendingHighHalf_,
                        [&](WPARAM key) { this->CallDefault(message, key, lParam); }))
      return true;
    return TWin32Control<TModel>::HandleMessage(message, wParam, lParam, result);
  }

 private:
  TWin32Brush brush_;
  bool showing_ = false;
  wchar_t pendingHighHalf_ = 0;
};

class TWin32Edit final : public TWin32EditControl<TEdit> {};

}  // namespace kalvero
