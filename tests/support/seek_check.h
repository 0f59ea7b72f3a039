#pragma once

// The check shared by the tests of every file system's TReadableFile::SeekTo.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "platform/file_system.h"

namespace kalvero {

// On a file opened on "0123456789": reads after each jump (back, forward, past the end) start
// where the jump led.
inline void ExpectReadsFromEachPlace(TReadableFile& file) {
  for (const auto& [offset, expected] : {std::pair<std::uint64_t, std::string>{7, "789"}, {2, "23456789"},
                                         {50, ""}, {10, ""}, {0, "01234567"}}) {
    ASSERT_TRUE(file.SeekTo(offset));
    std::array<char, 8> buffer{};
    const std::size_t got = file.Read(std::as_writable_bytes(std::span(buffer)));
    EXPECT_EQ(std::string(buffer.data(), got), expected) << "from " << offset;
  }
}

}  // namespace kalvero
