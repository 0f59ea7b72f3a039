#include "components/win32/win32_controls.h"

#include <commctrl.h>

#include "platform/win32/wide_text.h"

namespace kalvero {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
// Containers paint around their children, never over them.
constexpr DWORD kContainer = kChild | WS_CLIPCHILDREN;

UINT DrawAlignment(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::taLeftJustify: return DT_LEFT;
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
  }
  return DT_LEFT;
}

// Selects a font into a device context for as long as it lives.
class TSelectedFont {
 public:
  TSelectedFont(HDC dc, HFONT font) : dc_(dc), old_(SelectObject(dc, font)) {}
  TSelectedFont(const TSelectedFont&) = delete;
  TSelectedFont& operator=(const TSelectedFont&) = delete;
  ~TSelectedFont() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Draws `text` in `font` of `control`, in its font's colour (grey when disabled), in `rect`.
void DrawControlText(HDC dc, const TControl& control, HFONT font, const std::wstring& text, RECT rect, UINT format) {
  const TSelectedFont selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, control.Enabled() ? ToColorRef(control.Font().Color()) : GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

SIZE TextExtent(HWND window, HFONT font, const std::wstring& text, int& lineHeight) {
  const HDC dc = GetDC(window);
  SIZE extent{0, 0};
  {
    const TSelectedFont selected(dc, font);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    lineHeight = metrics.tmHeight;
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  }
  ReleaseDC(window, dc);
  return extent;
}

}  // namespace

TWin32Label::TWin32Label() : TWin32Control(kControlClass, kChild) {}

void TWin32Label::SetText(std::string text) {
  TLabel::SetText(std::move(text));
  FitToText();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWin32Label::SetAlignment(TAlignment alignment) {
  TLabel::SetAlignment(alignment);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWin32Label::SetAutoSize(bool autoSize) {
  TLabel::SetAutoSize(autoSize);
  FitToText();
}

void TWin32Label::FontChanged() {
  TWin32Control::FontChanged();
  FitToText();
  InvalidateRect(Handle(), nullptr, TRUE);
}

// An auto-sized label takes the size of its caption in its font: one line high when empty.
void TWin32Label::FitToText() {
  if (!AutoSize()) return;
  int lineHeight = 0;
  const SIZE extent = TextExtent(Handle(), FontHandle(), WideText(Text()), lineHeight);
  SetWidth(extent.cx);
  SetHeight(std::max<int>(extent.cy, lineHeight));
}

void TWin32Label::Paint(HDC dc) {
  TWin32Control::Paint(dc);
  RECT client;
  GetClientRect(Handle(), &client);
  DrawControlText(dc, *this, FontHandle(), WideText(Text()), client, DrawAlignment(Alignment()) | DT_NOPREFIX);
}

bool TWin32Label::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (EndsClick(message, lParam)) Click();
  return TWin32Control::HandleMessage(message, wParam, lParam, result);
}

TWin32CheckBox::TWin32CheckBox() : TWin32Control(WC_BUTTONW, kChild | BS_CHECKBOX) {}

void TWin32CheckBox::SetText(std::string text) {
  TCheckBox::SetText(std::move(text));
  ApplyWindowText(Text());
}

// BM_SETCHECK reports nothing: a program write fires no click.
void TWin32CheckBox::SetChecked(bool checked) {
  TCheckBox::SetChecked(checked);
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TWin32CheckBox::Notified(WORD code) {
  if (code != BN_CLICKED) return;
  const bool checked = !Checked();
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  UserClicked(checked);
}

TWin32Button::TWin32Button() : TWin32Control(WC_BUTTONW, kChild | BS_PUSHBUTTON) {}

void TWin32Button::SetText(std::string text) {
  TButton::SetText(std::move(text));
  ApplyWindowText(Text());
}

void TWin32Button::Notified(WORD code) {
  if (code == BN_CLICKED) Click();
}

TWin32SpeedButton::TWin32SpeedButton() : TWin32Control(kControlClass, kChild) {}

void TWin32SpeedButton::SetText(std::string text) {
  TSpeedButton::SetText(std::move(text));
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWin32SpeedButton::SetFlat(bool flat) {
  TSpeedButton::SetFlat(flat);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWin32SpeedButton::GlyphChanged() {
  glyph_ = TWin32Picture(Glyph().Name());
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWin32SpeedButton::MouseEntered() {
  hot_ = true;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWin32SpeedButton::MouseLeft() {
  hot_ = false;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWin32SpeedButton::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  if (Flat()) {
    TWin32Control::Paint(dc);
  } else {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  }
  const bool down = pressed_ && hot_;
  if (down)
    DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
  else if (!Flat() || hot_)
    DrawEdge(dc, &client, Flat() ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
  // The glyph, then the caption beside it, both centred as one; a pressed button shifts them.
  const std::wstring caption = WideText(Text());
  int lineHeight = 0;
  const SIZE text = caption.empty() ? SIZE{0, 0} : TextExtent(Handle(), FontHandle(), caption, lineHeight);
  const int gap = !glyph_.Empty() && !caption.empty() ? 4 : 0;
  const int shift = down ? 1 : 0;
  int x = (client.right - (glyph_.Width() + gap + text.cx)) / 2 + shift;
  glyph_.Draw(dc, x, (client.bottom - glyph_.Height()) / 2 + shift);
  x += glyph_.Width() + gap;
  if (!caption.empty())
    DrawControlText(dc, *this, FontHandle(), caption, {x, shift, x + text.cx, client.bottom + shift},
                    DT_LEFT | DT_SINGLELINE | DT_VCENTER);
}

bool TWin32SpeedButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const bool click = EndsClick(message, lParam);
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_CAPTURECHANGED) {
    pressed_ = message == WM_LBUTTONDOWN;
    InvalidateRect(Handle(), nullptr, TRUE);
  }
  if (click) Click();
  return TWin32Control::HandleMessage(message, wParam, lParam, result);
}

TWin32GroupBox::TWin32GroupBox() : TWin32Control(kControlClass, kContainer, WS_EX_CONTROLPARENT) {}

void TWin32GroupBox::SetText(std::string text) {
  TGroupBox::SetText(std::move(text));
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWin32GroupBox::Paint(HDC dc) {
  TWin32Control::Paint(dc);
  RECT client;
  GetClientRect(Handle(), &client);
  const std::wstring caption = WideText(Text());
  int lineHeight = 0;
  const SIZE extent = TextExtent(Handle(), FontHandle(), caption, lineHeight);
  RECT frame = client;
  frame.top = lineHeight / 2;
  const RECT captionRect{8, 0, 8 + extent.cx + 4, lineHeight};
  const int saved = SaveDC(dc);
  if (!caption.empty()) ExcludeClipRect(dc, captionRect.left, captionRect.top, captionRect.right, captionRect.bottom);
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  RestoreDC(dc, saved);
  if (!caption.empty()) DrawControlText(dc, *this, FontHandle(), caption, captionRect, DT_CENTER | DT_SINGLELINE);
}

TWin32Panel::TWin32Panel() : TWin32Control(kControlClass, kContainer, WS_EX_CONTROLPARENT) {}

void TWin32Panel::SetBevelOuter(TBevelCut bevel) {
  TPanel::SetBevelOuter(bevel);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWin32Panel::Paint(HDC dc) {
  TWin32Control::Paint(dc);
  RECT client;
  GetClientRect(Handle(), &client);
  if (BevelOuter() == TBevelCut::bvRaised) DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
  if (BevelOuter() == TBevelCut::bvLowered) DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
}

TWin32Image::TWin32Image() : TWin32Control(kControlClass, kChild) {}

void TWin32Image::PictureChanged() {
  picture_ = TWin32Picture(Picture().Name());
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWin32Image::Paint(HDC dc) {
  TWin32Control::Paint(dc);
  picture_.Draw(dc, 0, 0);
}

bool TWin32Image::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (EndsClick(message, lParam)) Click();
  return TWin32Control::HandleMessage(message, wParam, lParam, result);
}

TWin32ProgressBar::TWin32ProgressBar() : TWin32Control(PROGRESS_CLASSW, kChild) { ProgressChanged(); }

// A shown bar would draw the new position at once; with its drawing held the position waits for the
// next paint, as every other control's change does.
void TWin32ProgressBar::ProgressChanged() {
  const HWND bar = Handle();
  const bool shown = (GetWindowLongPtrW(bar, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown) SendMessageW(bar, WM_SETREDRAW, FALSE, 0);
  SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(Min()), Max());
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(Position()), 0);
  if (!shown) return;
  SendMessageW(bar, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(bar, nullptr, TRUE);
}

}  // namespace kalvero
