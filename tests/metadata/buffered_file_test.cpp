#include "metadata/buffered_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"

namespace kalvero {
namespace {

// Jumps inside the chunk, forward past it, back before it and past the end each read from where
// they led, and a jump inside the chunk takes nothing more from the file.
TEST(BufferedFile, ReadsFromWhereItWasSoughtTo) {
  std::string content;
  for (int i = 0; i < 10000; ++i) content += "0123456789";
  TMemoryFileSystem fileSystem;
  fileSystem.AddFile("a", content);
  std::error_code error;
  const auto file = fileSystem.OpenRead("a", error);
  ASSERT_NE(file, nullptr);
  TBufferedFile reader(*file);
  struct TJump {
    std::uint64_t offset;
    std::string bytes;
    std::uint64_t fetched;  // by the file after the read
  };
  const std::vector<TJump> jumps = {
      {5, "5678", 16384},    {1003, "3456", 16384}, {50002, "2345", 32768}, {7, "7890", 49152},
      {99998, "89", 49154}, {100000, "", 49154},   {150000, "", 49154},   {16382, "2345", 65538},
  };
  for (const TJump& jump : jumps) {
    ASSERT_TRUE(reader.SeekTo(jump.offset));
    EXPECT_EQ(reader.Read(4), jump.bytes) << "from " << jump.offset;
    EXPECT_EQ(reader.Fetched(), jump.fetched) << "from " << jump.offset;
  }
}

}  // namespace
}  // namespace kalvero
