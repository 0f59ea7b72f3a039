#pragma once

// What the hint renderer measures and draws with. The renderer (hint_renderer.h) lays out its
// formatted text in whole pixels against this interface alone, so the layout is tested without a
// display; the Qt canvas (qt/qt_hint_canvas.h) measures with the font metrics and draws with a
// painter.
//
// Coordinates are pixels, x to the right, y downwards; a TRect holds its left and top and ends
// before its right and bottom.

#include <optional>
#include <string>
#include <string_view>

#include "components/colors.h"
#include "components/events.h"

namespace kalvero {

struct THintSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const THintSize&, const THintSize&) = default;
};

enum class THintScript { Normal, Subscript, Superscript };

// A font state of the hint text. Subscript and superscript text is set in a font of two thirds
// of the size (at least 1 point) but reports the full font's height, so that it does not change
// the line's height; a canvas draws superscript at the top of the box it gets and subscript at
// the bottom. `angle` (degrees, anticlockwise) turns the text when it is drawn only: it is
// measured as if it were not turned.
struct THintFont {
  std::string name = "Tahoma";
  int size = 8;  // points at 96 dots per inch
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  THintScript script = THintScript::Normal;
  int angle = 0;
  friend bool operator==(const THintFont&, const THintFont&) = default;
};

// A picture that the image tag or the body tag names. Pictures from addresses are never among
// them: the renderer does not load anything from a network.
enum class THintPictureSource {
  ImageList,        // `index` into the hint's image list ("IDX:3")
  SmallSystemIcon,  // the small icon the desktop shows for the file `name` ("SSYS:path")
  LargeSystemIcon,  // the large icon of the file `name` ("LSYS:path")
  Container,        // the picture called `name` in the hint's picture container
};
struct THintPicture {
  THintPictureSource source = THintPictureSource::ImageList;
  int index = 0;
  std::string name;
  friend bool operator==(const THintPicture&, const THintPicture&) = default;
};

class THintCanvas {
 public:
  virtual ~THintCanvas() = default;

  // The extent of `text` (UTF-8) in `font`, set as one line with tabs expanded to the next stop
  // (every 8 average character widths). The height is the font's line height, also for empty
  // text; the renderer takes the height of "gh" as a font's line height.
  virtual THintSize TextExtent(const THintFont& font, std::string_view text) = 0;

  // Draws `text` as one line, tabs expanded, starting at box.left, with the bottom of its extent
  // on box.bottom (see THintFont for subscript and superscript). A `background` other than clNone
  // first fills the box. With `ellipsis`, text wider than the box is cut so that it ends in "..."
  // within the box; without it, the text is drawn whole, even past box.right.
  virtual void DrawTextPiece(const THintFont& font, std::string_view text, const TRect& box, TColor color,
                             TColor background, bool ellipsis) = 0;

  // A rule one pixel high from `left` up to (not including) `right` in row `y`.
  virtual void DrawRule(int left, int right, int y, TColor color) = 0;
  virtual void FillBox(const TRect& box, TColor color) = 0;
  // A gradient from `from` to `to`: top to bottom when `vertical`, else left to right.
  virtual void FillGradient(const TRect& box, TColor from, TColor to, bool vertical) = 0;

  // The natural size of a picture; none when it cannot be had (no such index, name or file).
  virtual std::optional<THintSize> PictureSize(const THintPicture& picture) = 0;
  // The picture scaled into `box`.
  virtual void DrawPicture(const THintPicture& picture, const TRect& box) = 0;
  // The picture repeated at its natural size from box's top left corner, cut at the box.
  virtual void TilePicture(const THintPicture& picture, const TRect& box) = 0;

  // A list bullet: a filled disc 5 pixels across, centred in `box` (the 12-pixel column before a
  // list item's text, as high as the line).
  virtual void DrawBullet(const TRect& box, TColor color) = 0;
  // The wavy underline of marked text: a one-pixel line from `left` to `right` that runs between
  // rows bottom - 3 and bottom - 1 with a period of 4 pixels (up 2 pixels over 2 pixels, down 2
  // over the next 2).
  virtual void DrawZigzag(int left, int right, int bottom, TColor color) = 0;
};

}  // namespace kalvero
