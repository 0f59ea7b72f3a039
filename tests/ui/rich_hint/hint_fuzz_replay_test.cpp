// Replays the committed inputs of the hint renderer's fuzz target through the target's own code;
// under the sanitizers a fault fails the test, and so does a drawing larger than its measure.

#include <gtest/gtest.h>

#include "tests/fuzz/hint_render_harness.h"
#include "tests/support/fuzz_replay.h"

namespace kalvero {
namespace {

TEST(HintRenderFuzzFindings, CommittedInputsRenderCleanly) {
  ReplayFuzzInputs("hint_render_fuzzer", RenderHintFuzzInput);
}

}  // namespace
}  // namespace kalvero
