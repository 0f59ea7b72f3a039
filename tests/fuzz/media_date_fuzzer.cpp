// libFuzzer target: the date readers of HEIF pictures, videos and CR3 raw files over arbitrary
// bytes, the reader chosen by a selector byte.

#include "tests/fuzz/media_date_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kalvero::ReadMediaDateFuzzInput(data, size);
  return 0;
}
