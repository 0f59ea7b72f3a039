#include "components/font.h"

#include <array>
#include <cstdlib>

#include "components/property_kinds.h"

namespace kalvero {
namespace {

constexpr std::array<std::string_view, 4> kStyleNames = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

// a * b / c rounded half away from zero, for the point and pixel conversions.
std::int32_t MulDivRounded(std::int32_t a, std::int32_t b, std::int32_t c) {
  const std::int64_t product = std::int64_t{a} * b;
  const std::int64_t half = product < 0 ? -c / 2 : c / 2;
  return static_cast<std::int32_t>((product + half) / c);
}

}  // namespace

const TPropertyTable& TFont::Properties() const {
  static const TPropertyTable table(
      nullptr, {TextProperty("Name", &TFont::Name, &TFont::SetName),
                IntegerProperty("Height", &TFont::Height, &TFont::SetHeight, kHeightRange),
                IntegerProperty("Size", &TFont::Size, &TFont::SetSize, kSizeRange),
                EnumSetProperty("Style", &TFont::Style, &TFont::SetStyle, kStyleNames),
                IntegerProperty("Color", &TFont::Color, &TFont::SetColor, kColorRange, ColorNames()),
                IntegerProperty("Charset", &TFont::Charset, &TFont::SetCharset, kCharsetRange, CharsetNames())});
  return table;
}

void TFont::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TFont*>(&source);
  if (other == nullptr) return TPersistent::Assign(source);
  if (other == this) return;
  name_ = other->name_;
  height_ = other->height_;
  style_ = other->style_;
  color_ = other->color_;
  charset_ = other->charset_;
  if (OnChange) OnChange();
}

template <class T>
void TFont::Change(T& field, T value) {
  if (field == value) return;
  field = std::move(value);
  if (OnChange) OnChange();
}

void TFont::SetName(std::string name) { Change(name_, std::move(name)); }
void TFont::SetHeight(std::int32_t height) { Change(height_, height); }
std::int32_t TFont::Size() const { return -MulDivRounded(height_, 72, 96); }
void TFont::SetSize(std::int32_t size) { Change(height_, -MulDivRounded(size, 96, 72)); }
void TFont::SetStyle(TFontStyles style) { Change(style_, style); }
void TFont::SetColor(TColor color) { Change(color_, color); }
void TFont::SetCharset(TFontCharset charset) { Change(charset_, charset); }

}  // namespace kalvero
