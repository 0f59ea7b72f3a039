#pragma once

// The font of a control or a window, a sub-object that the control keeps. Height is in pixels:
// negative for the height of the characters, positive for the height of the character cell.
// Size is in points at 96 dots per inch, derived from Height (Size = -Height * 72 / 96, rounded),
// so the windows' "height 11 pixels" font is Height -11, Size 8.

#include <functional>
#include <string>

#include "components/charsets.h"
#include "components/colors.h"
#include "components/enum_set.h"
#include "components/persistent.h"

namespace kalvero {

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TEnumSet<TFontStyle>;

class TFont final : public TPersistent {
 public:
  static constexpr TIntegerRange kHeightRange{-2048, 2048};
  static constexpr TIntegerRange kSizeRange{-1536, 1536};

  // Publishes Name, Height, Size, Style, Color and Charset.
  const TPropertyTable& Properties() const override;
  // Copies every value of another font; OnChange is called once.
  void Assign(const TPersistent& source) override;

  std::string Name() const { return name_; }
  void SetName(std::string name);
  std::int32_t Height() const { return height_; }
  void SetHeight(std::int32_t height);
  std::int32_t Size() const;
  void SetSize(std::int32_t size);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset charset);

  // Called after a value changed (not when a value is written again unchanged).
  std::function<void()> OnChange;

 private:
  template <class T>
  void Change(T& field, T value);

  std::string name_ = "Tahoma";
  std::int32_t height_ = -11;
  TFontStyles style_;
  TColor color_ = clWindowText;
  TFontCharset charset_ = kDefaultCharset;
};

}  // namespace kalvero
