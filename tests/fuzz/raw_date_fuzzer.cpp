// libFuzzer target: the date readers of TIFF-based raw files and of .raf over arbitrary bytes, a
// selector byte first.

#include "tests/fuzz/raw_date_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!kalvero::ReadRawDateFuzzInput(data, size)) __builtin_trap();
  return 0;
}
