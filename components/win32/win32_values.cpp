#include "components/win32/win32_values.h"

#include <array>
#include <cwchar>

#include "platform/win32/wide_text.h"

namespace kalvero {
namespace {

int SystemColorIndex(TSystemColor color) {
  static constexpr std::array<int, kSystemColorCount> kIndexes = {
      COLOR_WINDOW,          COLOR_WINDOWTEXT,   COLOR_WINDOWFRAME,    COLOR_BTNFACE,       COLOR_BTNTEXT,
      COLOR_BTNSHADOW,       COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT,        COLOR_3DDKSHADOW,    COLOR_HIGHLIGHT,
      COLOR_HIGHLIGHTTEXT,   COLOR_GRAYTEXT,     COLOR_INFOBK,         COLOR_INFOTEXT,      COLOR_MENU,
      COLOR_MENUTEXT,        COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT,   COLOR_INACTIVECAPTION,
      COLOR_INACTIVECAPTIONTEXT, COLOR_ACTIVEBORDER, COLOR_INACTIVEBORDER, COLOR_APPWORKSPACE, COLOR_BACKGROUND,
      COLOR_SCROLLBAR};
  return kIndexes[static_cast<std::size_t>(color)];
}

}  // namespace

COLORREF ToColorRef(TColor color) {
  if (const auto system = SystemColorOf(color)) return GetSysColor(SystemColorIndex(*system));
  return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

HCURSOR CursorOf(TCursor cursor) {
  static const std::array<const wchar_t*, 20> kShapes = {
      nullptr,     IDC_ARROW,  IDC_IBEAM,  IDC_WAIT,    IDC_HAND,        IDC_CROSS, nullptr,
      IDC_SIZEALL, IDC_SIZENS, IDC_SIZEWE, IDC_SIZENESW, IDC_SIZENWSE,   IDC_UPARROW, IDC_NO,
      IDC_APPSTARTING, IDC_HELP, IDC_ARROW, IDC_NO,     IDC_SIZEWE,      IDC_SIZENS};
  if (cursor < 0 || cursor >= static_cast<TCursor>(kShapes.size())) return LoadCursorW(nullptr, IDC_ARROW);
  const wchar_t* shape = kShapes[static_cast<std::size_t>(cursor)];
  return shape != nullptr ? LoadCursorW(nullptr, shape) : nullptr;
}

TWin32Font::TWin32Font(const TFont& font) {
  LOGFONTW description{};
  // Negative: the characters' height; positive: the cell's, as the model has it.
  description.lfHeight = font.Height();
  const TFontStyles style = font.Style();
  description.lfWeight = style.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
  description.lfItalic = style.Contains(TFontStyle::fsItalic) ? TRUE : FALSE;
  description.lfUnderline = style.Contains(TFontStyle::fsUnderline) ? TRUE : FALSE;
  description.lfStrikeOut = style.Contains(TFontStyle::fsStrikeOut) ? TRUE : FALSE;
  description.lfCharSet = static_cast<BYTE>(font.Charset());
  description.lfQuality = DEFAULT_QUALITY;
  const std::wstring name = WideText(font.Name());
  wcsncpy(description.lfFaceName, name.c_str(), LF_FACESIZE - 1);
  font_ = CreateFontIndirectW(&description);
}

TWin32Font::~TWin32Font() {
  if (font_ != nullptr) DeleteObject(font_);
}

TWin32Brush::~TWin32Brush() {
  if (brush_ != nullptr) DeleteObject(brush_);
}

HBRUSH TWin32Brush::Of(COLORREF color) {
  if (brush_ != nullptr && color == color_) return brush_;
  if (brush_ != nullptr) DeleteObject(brush_);
  brush_ = CreateSolidBrush(color);
  color_ = color;
  return brush_;
}

void PaintOffScreen(HDC dc, int width, int height, const std::function<void(HDC)>& paint) {
  const HDC memory = CreateCompatibleDC(dc);
  const HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  paint(memory);
  BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

}  // namespace kalvero
