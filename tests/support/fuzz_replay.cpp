#include "tests/support/fuzz_replay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "tests/support/temp_folder.h"

namespace kalvero {

void ReplayFuzzInputs(const std::string& target, const TFuzzHarness& harness) {
  const std::filesystem::path folder = std::filesystem::path(KALVERO_FUZZ_DATA_DIR) / target;
  std::vector<std::filesystem::path> inputs;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) inputs.push_back(entry.path());
  std::ranges::sort(inputs);
  if (inputs.empty()) ADD_FAILURE() << "No inputs in " << folder << "; the committed seed corpus is missing";
  for (const std::filesystem::path& input : inputs) {
    const std::string bytes = FileBytes(input.string());
    EXPECT_TRUE(harness(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())) << input.filename();
  }
}

}  // namespace kalvero
