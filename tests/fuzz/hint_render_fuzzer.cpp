// libFuzzer target: the hint renderer's clean-up, tags and layout over arbitrary text, measured
// and drawn on a canvas of fixed glyph widths, with and without word wrapping.

#include "tests/fuzz/hint_render_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!kalvero::RenderHintFuzzInput(data, size)) __builtin_trap();
  return 0;
}
