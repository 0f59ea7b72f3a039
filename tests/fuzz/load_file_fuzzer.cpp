// libFuzzer target: LoadFile over arbitrary bytes, as a JPEG or, on a flag byte, a TIFF file.

#include "tests/fuzz/fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kalvero::LoadFileFuzzInput(data, size);
  return 0;
}
