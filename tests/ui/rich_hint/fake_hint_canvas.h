#pragma once

// A canvas of fixed glyph widths for the hint renderer's tests and fuzz target: every character
// (a UTF-8 code point) is 6 pixels wide, 7 in bold, 4 in subscript or superscript; a tab goes on
// to the next multiple of 48 pixels; every font is twice its point size high. It records what is
// drawn, and the image list holds the sizes in `images`.

#include <map>
#include <ostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/rich_hint/hint_canvas.h"

namespace kalvero {

inline void PrintTo(const THintSize& size, std::ostream* out) { *out << size.width << " x " << size.height; }

class TFakeHintCanvas final : public THintCanvas {
 public:
  static constexpr int kCharWidth = 6;
  static constexpr int kBoldCharWidth = 7;
  static constexpr int kScriptCharWidth = 4;
  static constexpr int kTabStop = 48;

  enum class TCall { Text, Rule, Fill, Gradient, Picture, Tile, Bullet, Zigzag };
  struct TDrawn {
    TCall call;
    std::string text;
    TRect box;
    TColor color = clNone;
    TColor background = clNone;
    bool ellipsis = false;
    THintFont font;
  };

  std::vector<TDrawn> drawn;
  std::map<int, THintSize> images;
  std::vector<THintPicture> picturesAsked;
  bool record = true;

  static int Height(const THintFont& font) { return 2 * font.size; }

  THintSize TextExtent(const THintFont& font, std::string_view text) override {
    const int glyph = font.script != THintScript::Normal ? kScriptCharWidth : font.bold ? kBoldCharWidth : kCharWidth;
    int width = 0;
    for (const char c : text) {
      if (c == '\t') width = (width / kTabStop + 1) * kTabStop;
      else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) width += glyph;
    }
    return {width, Height(font)};
  }
  void DrawTextPiece(const THintFont& font, std::string_view text, const TRect& box, TColor color,
                     TColor background, bool ellipsis) override {
    Record(TCall::Text, std::string(text), box, color, background, ellipsis, font);
  }
  void DrawRule(int left, int right, int y, TColor color) override {
    Record(TCall::Rule, {}, {left, y, right, y + 1}, color);
  }
  void FillBox(const TRect& box, TColor color) override { Record(TCall::Fill, {}, box, color); }
  void FillGradient(const TRect& box, TColor from, TColor to, bool vertical) override {
    Record(TCall::Gradient, vertical ? "vertical" : "horizontal", box, from, to);
  }
  std::optional<THintSize> PictureSize(const THintPicture& picture) override {
    picturesAsked.push_back(picture);
    const auto found = images.find(picture.index);
    if (picture.source != THintPictureSource::ImageList || found == images.end()) return std::nullopt;
    return found->second;
  }
  void DrawPicture(const THintPicture& picture, const TRect& box) override {
    Record(TCall::Picture, picture.name, box);
  }
  void TilePicture(const THintPicture& picture, const TRect& box) override { Record(TCall::Tile, picture.name, box); }
  void DrawBullet(const TRect& box, TColor color) override { Record(TCall::Bullet, {}, box, color); }
  void DrawZigzag(int left, int right, int bottom, TColor color) override {
    Record(TCall::Zigzag, {}, {left, bottom - 3, right, bottom}, color);
  }

  // The text pieces drawn, in order.
  std::vector<TDrawn> Texts() const {
    std::vector<TDrawn> texts;
    for (const TDrawn& d : drawn)
      if (d.call == TCall::Text) texts.push_back(d);
    return texts;
  }

 private:
  void Record(TCall call, std::string text, TRect box, TColor color = clNone, TColor background = clNone,
              bool ellipsis = false, THintFont font = {}) {
    if (record) drawn.push_back({call, std::move(text), box, color, background, ellipsis, std::move(font)});
  }
};

}  // namespace kalvero
