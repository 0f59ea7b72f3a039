// Replays the committed inputs of the hint renderer's fuzz target (crafted seeds and every finding
// kept as a named file) through the target's own code; under the sanitizers a fault fails the
// test. An empty folder fails too: a replay of nothing would pass while testing nothing.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/fuzz/hint_render_harness.h"

namespace kalvero {
namespace {

TEST(HintRenderFuzzFindings, CommittedInputsRenderCleanly) {
  const std::filesystem::path folder = std::filesystem::path(KALVERO_FUZZ_DATA_DIR) / "hint_render_fuzzer";
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream file(entry.path(), std::ios::binary);
    const std::string input{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(RenderHintFuzzInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size()));
    ++inputs;
  }
  EXPECT_GT(inputs, 0) << "No inputs in " << folder;
}

}  // namespace
}  // namespace kalvero
