// Replays the inputs committed for each fuzz target under tests/data/fuzz/<target>/ (the crafted
// seeds that fuzzing starts from, and every finding kept as a named file) through the same code
// as the target; under the sanitizers a fault fails the test, and so does any exception that the
// target would not let pass. A missing or empty folder fails too: a replay of nothing would pass
// while testing nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fuzz/fuzz_harness.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

const std::string kFuzzData = KALVERO_FUZZ_DATA_DIR;

template <class Harness>
void ReplayFolder(const std::string& target, Harness harness) {
  const std::string folder = kFuzzData + "/" + target;
  const std::vector<TFolderEntry> entries = NativeFileSystem().ListFolder(folder);
  ASSERT_FALSE(entries.empty()) << "No inputs in " << folder << "; the committed seed corpus is missing";
  for (const TFolderEntry& entry : entries) {
    SCOPED_TRACE(entry.name);
    const std::string input = FileBytes(folder + "/" + entry.name);
    harness(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
  }
}

TEST(FuzzFindings, LoadFileInputsReadCleanly) { ReplayFolder("load_file_fuzzer", LoadFileFuzzInput); }

TEST(FuzzFindings, ExifSegmentInputsDecodeCleanly) { ReplayFolder("exif_segment_fuzzer", DecodeExifFuzzInput); }

}  // namespace
}  // namespace kalvero
