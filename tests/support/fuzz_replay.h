#pragma once

// Replays the inputs committed for a fuzz target under tests/data/fuzz/<target>/ (the crafted
// seeds that fuzzing starts from, and every finding kept as a named file) through the target's
// own code, so that a unit test catches again what fuzzing once found.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

namespace kalvero {

// What a fuzz target runs on one input; false for a finding.
using TFuzzHarness = std::function<bool(const std::uint8_t* data, std::size_t size)>;

// Runs `harness` on every input of `target`, in name order, and fails the current test for each
// input it answers false for (under the sanitizers a fault fails it anyway). A missing or empty
// folder fails too: a replay of nothing would pass while testing nothing.
void ReplayFuzzInputs(const std::string& target, const TFuzzHarness& harness);

// The same for a harness that answers nothing: only a fault or an exception is a finding.
template <class Harness>
  requires std::is_void_v<std::invoke_result_t<Harness, const std::uint8_t*, std::size_t>>
void ReplayFuzzInputs(const std::string& target, Harness harness) {
  ReplayFuzzInputs(target, [&harness](const std::uint8_t* data, std::size_t size) {
    harness(data, size);
    return true;
  });
}

}  // namespace kalvero
