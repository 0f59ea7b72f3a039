#pragma once

// The hint renderer's canvas over GDI: text measured with GetTextExtentPoint32W and drawn with
// ExtTextOutW on a device context. Font sizes are points at 96 dots per inch, as the desktop's
// fonts are given (a negative lfHeight of size * 96 / 72 pixels). Tabs are expanded by hand, to the
// next multiple of 8 average character widths, so that measuring and drawing agree. Pictures come
// from the program's resources by the names of the hint's image list and picture container, and
// system icons from the shell; nothing is ever loaded from a network.

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/rich_hint/hint_canvas.h"

namespace kalvero {

class TWin32Picture;

class TWin32HintCanvas final : public THintCanvas {
 public:
  // Measures and draws on `dc`, which must outlive the canvas; the canvas leaves its selected
  // font and its text settings as they were.
  explicit TWin32HintCanvas(HDC dc);
  TWin32HintCanvas(const TWin32HintCanvas&) = delete;
  TWin32HintCanvas& operator=(const TWin32HintCanvas&) = delete;
  ~TWin32HintCanvas() override;

  // The picture names of the hint's image list ("IDX:n" is the n-th) and of its picture container
  // (found with A-Z folded).
  void SetImages(std::vector<std::string> images) { images_ = std::move(images); }
  void SetPictures(std::vector<std::string> pictures) { pictures_ = std::move(pictures); }

  THintSize TextExtent(const THintFont& font, std::string_view text) override;
  void DrawTextPiece(const THintFont& font, std::string_view text, const TRect& box, TColor color,
                     TColor background, bool ellipsis) override;
  void DrawRule(int left, int right, int y, TColor color) override;
  void FillBox(const TRect& box, TColor color) override;
  // In 48 bands of equal size, red, green and blue each moving in equal steps from band to band.
  void FillGradient(const TRect& box, TColor from, TColor to, bool vertical) override;
  std::optional<THintSize> PictureSize(const THintPicture& picture) override;
  void DrawPicture(const THintPicture& picture, const TRect& box) override;
  void TilePicture(const THintPicture& picture, const TRect& box) override;
  void DrawBullet(const TRect& box, TColor color) override;
  void DrawZigzag(int left, int right, int bottom, TColor color) override;

 private:
  // A picture as the canvas draws it: a resource picture, or a system icon at its size.
  struct TShownPicture;

  HFONT FontOf(const THintFont& font);
  // Selects the font of `font` into the device context; answers its metrics.
  TEXTMETRICW Select(const THintFont& font);
  std::optional<TShownPicture> Load(const THintPicture& picture) const;
  // The width of `text` set from x = 0 with tabs expanded; `run(text, x)` for each run between tabs.
  template <class Run>
  int WalkTabs(const std::wstring& text, int stop, Run run);

  HDC dc_;
  HGDIOBJ originalFont_;
  std::vector<std::pair<THintFont, HFONT>> fonts_;
  std::vector<std::string> images_;
  std::vector<std::string> pictures_;
};

}  // namespace kalvero
