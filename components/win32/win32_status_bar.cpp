#include "components/win32/win32_status_bar.h"

#include "platform/win32/wide_text.h"

namespace kalvero {
namespace {

UINT EdgeOf(TStatusPanelBevel bevel) { return bevel == TStatusPanelBevel::pbRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER; }

UINT TextAlignment(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::taLeftJustify: return DT_LEFT;
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
  }
  return DT_LEFT;
}

}  // namespace

TWin32StatusBar::TWin32StatusBar()
    : TWin32Control(kControlClass, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT) {}

void TWin32StatusBar::SetColor(TColor color) {
  TStatusBar::SetColor(color);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TWin32StatusBar::SetSizeGrip(bool sizeGrip) {
  TStatusBar::SetSizeGrip(sizeGrip);
  InvalidateRect(Handle(), nullptr, TRUE);
}

// A panel whose text is the same as before is no change (the model reports none), so only a
// different text repaints.
void TWin32StatusBar::PanelsChanged() { InvalidateRect(Handle(), nullptr, TRUE); }

RECT TWin32StatusBar::GripRect() const {
  RECT client;
  GetClientRect(Handle(), &client);
  if (!SizeGrip()) return {0, 0, 0, 0};
  const int size = std::min<int>(client.bottom, GetSystemMetrics(SM_CXVSCROLL));
  return {client.right - size, client.bottom - size, client.right, client.bottom};
}

void TWin32StatusBar::Paint(HDC dc) {
  // The bar's own colour, whatever the window's is: the light lines of the panels show only on it.
  TWin32Control::Paint(dc);
  RECT client;
  GetClientRect(Handle(), &client);
  const HGDIOBJ oldFont = SelectObject(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(Font().Color()));
  const auto edges = PanelEdges(client.right);
  for (std::size_t i = 0; i < edges.size(); ++i) {
    const TStatusPanel& panel = Panels().Panel(static_cast<std::int64_t>(i));
    RECT frame{edges[i].first + kPanelGap, 2, edges[i].second, client.bottom - 1};
    if (frame.right <= frame.left) continue;
    if (panel.Bevel() != TStatusPanelBevel::pbNone) DrawEdge(dc, &frame, EdgeOf(panel.Bevel()), BF_RECT);
    // One line, cut at the panel's end.
    RECT text{frame.left + 2, frame.top, frame.right - 2, frame.bottom};
    const std::wstring line = WideText(panel.Text());
    DrawTextW(dc, line.c_str(), static_cast<int>(line.size()), &text,
              TextAlignment(panel.Alignment()) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  SelectObject(dc, oldFont);
  RECT grip = GripRect();
  if (grip.right > grip.left) DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

bool TWin32StatusBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_SIZE) InvalidateRect(Handle(), nullptr, TRUE);
  // The grip hands the pointer to the frame of the window the bar is in, which then sizes itself.
  if (message == WM_LBUTTONDOWN) {
    const RECT grip = GripRect();
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const HWND root = GetAncestor(Handle(), GA_ROOT);
    if (PtInRect(&grip, at) && (GetWindowLongPtrW(root, GWL_STYLE) & WS_THICKFRAME) != 0) {
      POINT screen = at;
      ClientToScreen(Handle(), &screen);
      ReleaseCapture();
      SendMessageW(root, WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(screen.x, screen.y));
      return true;
    }
  }
  return TWin32Control::HandleMessage(message, wParam, lParam, result);
}

}  // namespace kalvero
