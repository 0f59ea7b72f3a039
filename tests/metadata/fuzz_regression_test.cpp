// Replays every input that fuzzing once found, kept under tests/data/fuzz/<target>/, through
// the same code as the fuzz target; under the sanitizers a fault fails the test.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/fuzz/fuzz_harness.h"

namespace kalvero {
namespace {

const std::string kFuzzData = KALVERO_FUZZ_DATA_DIR;

template <class Harness>
void ReplayFolder(const std::string& target, Harness harness) {
  for (const TFolderEntry& entry : NativeFileSystem().ListFolder(kFuzzData + "/" + target)) {
    SCOPED_TRACE(entry.name);
    std::ifstream file(kFuzzData + "/" + target + "/" + entry.name, std::ios::binary);
    const std::string input((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    harness(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
  }
}

TEST(FuzzFindings, LoadFileInputsReadCleanly) { ReplayFolder("load_file_fuzzer", LoadFileFuzzInput); }

TEST(FuzzFindings, ExifSegmentInputsDecodeCleanly) { ReplayFolder("exif_segment_fuzzer", DecodeExifFuzzInput); }

}  // namespace
}  // namespace kalvero
