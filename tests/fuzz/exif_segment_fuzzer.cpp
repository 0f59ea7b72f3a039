// libFuzzer target: the Exif decoder over an arbitrary APP1 segment.

#include "tests/fuzz/fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kalvero::DecodeExifFuzzInput(data, size);
  return 0;
}
