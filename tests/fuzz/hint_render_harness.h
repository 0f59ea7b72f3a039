#pragma once

// What the hint renderer's fuzz target runs on one input, shared with the unit test that replays
// its committed inputs. The first four bytes choose the run: byte 0 bit 0 ellipsis mode instead
// of word wrapping, bytes 1-2 the rectangle's width (signed, little-endian), byte 3 its height in
// steps of 4 pixels; the rest is the text. The text is measured, then drawn in the same
// rectangle: the drawn lines are the measured ones up to where drawing stops, so drawing can never
// come out wider or higher.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/ui/rich_hint/fake_hint_canvas.h"
#include "ui/rich_hint/hint_renderer.h"

namespace kalvero {

// False when the drawn size exceeds the measured one.
inline bool RenderHintFuzzInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return true;
  TFakeHintCanvas canvas;
  canvas.record = false;
  canvas.images = {{0, {16, 16}}, {1, {1, 40}}};
  THintOptions options;
  options.wordWrap = (data[0] & 1) == 0;
  const int width = static_cast<std::int16_t>(data[1] | data[2] << 8);
  const TRect rect{3, 2, 3 + width, 2 + 4 * data[3]};
  const std::string_view text(reinterpret_cast<const char*>(data) + 4, size - 4);
  const THintSize measured = RenderHintHtml(canvas, text, rect, options);
  options.draw = true;
  const THintSize drawn = RenderHintHtml(canvas, text, rect, options);
  return measured.width >= 0 && drawn.width <= measured.width && drawn.height <= measured.height;
}

}  // namespace kalvero
