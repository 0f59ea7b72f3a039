// Replays the inputs committed for the metadata reader's fuzz targets through the same code as
// the targets; under the sanitizers a fault fails the test, and so does any exception that a
// target would not let pass.

#include <gtest/gtest.h>

#include "tests/fuzz/fuzz_harness.h"
#include "tests/fuzz/media_date_harness.h"
#include "tests/fuzz/raw_date_harness.h"
#include "tests/support/fuzz_replay.h"

namespace kalvero {
namespace {

TEST(FuzzFindings, LoadFileInputsReadCleanly) { ReplayFuzzInputs("load_file_fuzzer", LoadFileFuzzInput); }

TEST(FuzzFindings, ExifSegmentInputsDecodeCleanly) { ReplayFuzzInputs("exif_segment_fuzzer", DecodeExifFuzzInput); }

TEST(FuzzFindings, MediaDateInputsReadCleanly) { ReplayFuzzInputs("media_date_fuzzer", ReadMediaDateFuzzInput); }
TEST(FuzzFindings, RawDateInputsReadCleanly) { ReplayFuzzInputs("raw_date_fuzzer", ReadRawDateFuzzInput); }

}  // namespace
}  // namespace kalvero
