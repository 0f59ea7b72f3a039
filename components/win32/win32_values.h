#pragma once

// The model's values as the Win32 API takes them: colours, fonts and cursors.

#include <windows.h>

#include <functional>

#include "components/colors.h"
#include "components/cursors.h"
#include "components/font.h"

namespace kalvero {

// A colour of the model as GDI takes it; a system colour is looked up in the desktop's palette now.
COLORREF ToColorRef(TColor color);

// The cursor shown for `cursor`; null for crDefault (the window's own) and for crNone.
HCURSOR CursorOf(TCursor cursor);

// A GDI font made from a model font, deleted with the object.
class TWin32Font {
 public:
  explicit TWin32Font(const TFont& font);
  TWin32Font(const TWin32Font&) = delete;
  TWin32Font& operator=(const TWin32Font&) = delete;
  ~TWin32Font();

  HFONT Handle() const { return font_; }

 private:
  HFONT font_;
};

// A solid brush that is made again only when its colour changes.
class TWin32Brush {
 public:
  TWin32Brush() = default;
  TWin32Brush(const TWin32Brush&) = delete;
  TWin32Brush& operator=(const TWin32Brush&) = delete;
  ~TWin32Brush();

  HBRUSH Of(COLORREF color);

 private:
  HBRUSH brush_ = nullptr;
  COLORREF color_ = 0;
};

// Runs `paint` on an off-screen bitmap of `width` x `height` and copies the result to `dc` in one
// piece, so nothing flickers.
void PaintOffScreen(HDC dc, int width, int height, const std::function<void(HDC)>& paint);

}  // namespace kalvero
