// The hint renderer's GDI canvas on a memory device context: measures in points at 96 dots per
// inch as GetTextExtentPoint32W gives them, gradients in bands, pictures, and drawing within
// the measured size.

#include "ui/rich_hint/win32/win32_hint_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/rich_hint/win32_memory_bitmap.h"
#include "tests/ui/rich_hint/script_hints.h"
#include "ui/rich_hint/hint_renderer.h"

namespace kalvero {
namespace {

const THintFont kArial10{"ARIAL", 10};

// The reference: the same text measured by the system, a run at a time, in Arial of 13 pixels (10
// points at 96 dots per inch); sub- and superscript are smaller but keep the line's height.
TEST(Win32HintCanvas, MeasuresAsTheSystemDoesWithTabsExpanded) {
  TMemoryBitmap memory(10, 10);
  TWin32HintCanvas canvas(memory.Dc());
  const HFONT arial = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  const HGDIOBJ old = SelectObject(memory.Dc(), arial);
  const auto system = [&](const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(memory.Dc(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  };
  TEXTMETRICW metrics{};
  GetTextMetricsW(memory.Dc(), &metrics);
  const int stop = 8 * metrics.tmAveCharWidth;
  struct TCase {
    std::string text;
    int width;
  };
  const TCase cases[] = {{"Datum", system(L"Datum")},
                         {"Années", system(L"Ann\u00e9es")},
                         {"        ", 8 * system(L" ")},
                         {"ab\tc", stop + system(L"c")},
                         {"\t\t", 2 * stop},
                         {"", 0}};
  SelectObject(memory.Dc(), old);
  for (const TCase& test : cases)
    EXPECT_EQ(canvas.TextExtent(kArial10, test.text), (THintSize{test.width, metrics.tmHeight})) << test.text;
  THintFont superscript = kArial10;
  superscript.script = THintScript::Superscript;
  EXPECT_LT(canvas.TextExtent(superscript, "x").width, canvas.TextExtent(kArial10, "x").width);
  EXPECT_EQ(canvas.TextExtent(superscript, "x").height, metrics.tmHeight);
  DeleteObject(arial);
}

// Red, green and blue move in equal steps over 48 bands: on 96 rows two rows a band.
TEST(Win32HintCanvas, FillsGradientsInFortyEightBands) {
  TMemoryBitmap memory(96, 96);
  TWin32HintCanvas canvas(memory.Dc());
  canvas.FillGradient({0, 0, 96, 96}, RgbColor(0, 0, 0), RgbColor(0, 0, 235), true);
  EXPECT_EQ(memory.At(5, 0), 0u);
  EXPECT_EQ(memory.At(5, 1), 0u);
  EXPECT_EQ(memory.At(5, 2), 5u);
  EXPECT_EQ(memory.At(5, 95), 235u);
  canvas.FillGradient({0, 0, 96, 10}, RgbColor(0, 0, 0), RgbColor(235, 0, 0), false);
  EXPECT_EQ(memory.At(3, 5), 0x050000u);
  EXPECT_EQ(memory.At(94, 5), 0xEB0000u);
}

TEST(Win32HintCanvas, FindsPicturesInItsListItsContainerAndTheShell) {
  TMemoryBitmap memory(10, 10);
  TWin32HintCanvas canvas(memory.Dc());
  canvas.SetImages({"flag-en", "no such picture"});
  canvas.SetPictures({"Flag-DE"});
  const TTempFolder folder;
  std::string file = folder.Write("notes.txt", "x");
  std::ranges::replace(file, '/', '\\');
  const int small = GetSystemMetrics(SM_CXSMICON), large = GetSystemMetrics(SM_CXICON);
  using enum THintPictureSource;
  struct TCase {
    THintPicture picture;
    std::optional<THintSize> size;
  };
  const TCase cases[] = {{{ImageList, 0, {}}, THintSize{16, 11}},
                         {{ImageList, 1, {}}, std::nullopt},
                         {{ImageList, 2, {}}, std::nullopt},
                         {{ImageList, -1, {}}, std::nullopt},
                         {{Container, 0, "FLAG-de"}, THintSize{16, 11}},
                         {{Container, 0, "flag-en"}, std::nullopt},
                         {{SmallSystemIcon, 0, file}, THintSize{small, small}},
                         {{LargeSystemIcon, 0, file}, THintSize{large, large}}};
  for (const TCase& test : cases)
    EXPECT_EQ(canvas.PictureSize(test.picture), test.size) << static_cast<int>(test.picture.source) << " "
                                                           << test.picture.index << " " << test.picture.name;
}

// Black text on white: every dark pixel lies inside the measured size, from one pixel in, and the
// cut piece of ellipsis mode ends before its box's edge.
TEST(Win32HintCanvas, DrawsTheHintWithinItsMeasuredSizeAndCutsAtTheEdge) {
  TMemoryBitmap memory(400, 400);
  THintOptions options;
  options.fontColor = clBlack;
  const std::string text = ScriptHint("English", "edit2hint");
  THintSize size;
  {
    TWin32HintCanvas canvas(memory.Dc());
    size = RenderHintHtml(canvas, text, {0, 0, 400, 400}, options);
    options.draw = true;
    EXPECT_EQ(RenderHintHtml(canvas, text, {0, 0, 400, 400}, options), size);
    canvas.DrawTextPiece(kArial10, "Ellipsis cuts this long piece", {0, 300, 60, 320}, clBlack, clNone, true);
  }
  int left = 400, right = -1, bottom = -1, cutRight = -1;
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x)
      if (memory.At(x, y) != 0xFFFFFFu) {
        if (y >= 300) {
          cutRight = std::max(cutRight, x);
          continue;
        }
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
      }
  EXPECT_GE(left, 1);
  EXPECT_LE(right, size.width + 1);
  EXPECT_GT(right, size.width / 2);
  EXPECT_LT(bottom, size.height);
  EXPECT_GT(cutRight, 30);
  EXPECT_LT(cutRight, 60);
}

}  // namespace
}  // namespace kalvero
