#include "components/win32/win32_pictures.h"

#include <cstring>
#include <utility>

#include "platform/win32/wide_text.h"

namespace kalvero {
namespace {

// Where the rows of a resource bitmap start: after its header and, for BI_BITFIELDS, three colour
// masks. The rows run bottom-up when the height is positive.
std::size_t PixelsOffset(const BITMAPINFOHEADER& header) {
  std::size_t offset = header.biSize;
  if (header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER)) offset += 3 * sizeof(DWORD);
  return offset;
}

}  // namespace

TWin32Picture::TWin32Picture(const std::string& name) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const std::wstring resource = WideText(name);
  HRSRC found = FindResourceW(module, resource.c_str(), MAKEINTRESOURCEW(2));  // RT_BITMAP
  if (found == nullptr) return;
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  const auto* start = static_cast<const std::uint8_t*>(loaded != nullptr ? LockResource(loaded) : nullptr);
  if (start == nullptr || size < sizeof(BITMAPINFOHEADER)) return;
  BITMAPINFOHEADER header;
  std::memcpy(&header, start, sizeof header);
  if (header.biSize < sizeof header || header.biBitCount != 32 || header.biPlanes != 1 || header.biWidth <= 0 ||
      header.biHeight == 0 || (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS))
    return;
  // Sizes are compared, never pointers past the resource; a picture's sides stay far below the
  // limit, so their product cannot overflow.
  constexpr LONG kLargestSide = 1 << 15;
  if (header.biWidth > kLargestSide || header.biHeight > kLargestSide || header.biHeight < -kLargestSide) return;
  const int width = header.biWidth;
  const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  const std::size_t pixelsOffset = PixelsOffset(header);
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  if (pixelsOffset > size || rowBytes * static_cast<std::size_t>(height) > size - pixelsOffset) return;
  const std::uint8_t* source = start + pixelsOffset;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return;
  auto* target = static_cast<std::uint8_t*>(bits);
  for (int row = 0; row < height; ++row) {
    const int sourceRow = header.biHeight > 0 ? height - 1 - row : row;
    const std::uint8_t* from = source + rowBytes * static_cast<std::size_t>(sourceRow);
    std::uint8_t* to = target + rowBytes * static_cast<std::size_t>(row);
    // AlphaBlend takes colours premultiplied by their alpha; the files hold them straight.
    for (int x = 0; x < width; ++x) {
      const unsigned alpha = from[4 * x + 3];
      for (int channel = 0; channel < 3; ++channel)
        to[4 * x + channel] = static_cast<std::uint8_t>((from[4 * x + channel] * alpha + 127) / 255);
      to[4 * x + 3] = static_cast<std::uint8_t>(alpha);
    }
  }
  bitmap_ = bitmap;
  pixels_ = static_cast<const std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
}

TWin32Picture::TWin32Picture(TWin32Picture&& other) noexcept
    : bitmap_(std::exchange(other.bitmap_, nullptr)),
      pixels_(std::exchange(other.pixels_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

TWin32Picture& TWin32Picture::operator=(TWin32Picture&& other) noexcept {
  if (this == &other) return *this;
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  bitmap_ = std::exchange(other.bitmap_, nullptr);
  pixels_ = std::exchange(other.pixels_, nullptr);
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  return *this;
}

TWin32Picture::~TWin32Picture() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

void TWin32Picture::Draw(HDC dc, const RECT& box) const {
  if (bitmap_ == nullptr || box.right <= box.left || box.bottom <= box.top) return;
  HDC source = CreateCompatibleDC(dc);
  const HGDIOBJ old = SelectObject(source, bitmap_);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, source, 0, 0, width_, height_,
             blend);
  SelectObject(source, old);
  DeleteDC(source);
}

int TWin32Picture::AlphaAt(int x, int y) const {
  if (pixels_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return static_cast<int>(pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + x] >> 24);
}

}  // namespace kalvero
