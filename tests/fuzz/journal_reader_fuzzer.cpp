// libFuzzer target: the journal that `kalvero undo` reads, over arbitrary bytes.

#include "tests/fuzz/journal_reader_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!kalvero::ReadJournalFuzzInput(data, size)) __builtin_trap();
  return 0;
}
