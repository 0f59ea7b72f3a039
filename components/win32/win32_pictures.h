#pragma once

// The program's pictures on Windows: 32-bit bitmaps with an alpha channel, embedded as RT_BITMAP
// resources named after the pictures ("FLAG-EN" for "flag-en"; resource names ignore case). A
// picture is loaded once into a premultiplied DIB section and drawn with its alpha.

#include <windows.h>

#include <cstdint>
#include <string>

namespace kalvero {

class TWin32Picture {
 public:
  TWin32Picture() = default;
  // Loads the picture named `name` from the program's resources; empty when there is none or it is
  // not a 32-bit bitmap.
  explicit TWin32Picture(const std::string& name);
  TWin32Picture(TWin32Picture&& other) noexcept;
  TWin32Picture& operator=(TWin32Picture&& other) noexcept;
  ~TWin32Picture();

  bool Empty() const { return bitmap_ == nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  HBITMAP Handle() const { return bitmap_; }

  // Draws the picture with its top left corner at `x`, `y`, blended over what `dc` holds.
  void Draw(HDC dc, int x, int y) const { Draw(dc, RECT{x, y, x + width_, y + height_}); }
  // Draws the picture scaled into `box`, blended over what `dc` holds.
  void Draw(HDC dc, const RECT& box) const;
  // The alpha (0 to 255) of the pixel at `x`, `y`; 0 outside the picture.
  int AlphaAt(int x, int y) const;

 private:
  HBITMAP bitmap_ = nullptr;
  const std::uint32_t* pixels_ = nullptr;  // top-down, premultiplied BGRA, owned by bitmap_
  int width_ = 0;
  int height_ = 0;
};

}  // namespace kalvero
