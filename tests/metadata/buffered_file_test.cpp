#include "metadata/buffered_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"

namespace kalvero {
namespace {

// Skips and limits across chunk boundaries: what is read after them is exactly the bytes that
// follow, and a limit ends the file for ReadByte, Read and Skip alike.
TEST(BufferedFile, SkipsAndLimitsWhereverTheChunksEnd) {
  std::string content(100000, '\0');
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 % 251);
  struct TCase {
    std::size_t readFirst;
    std::uint64_t skip;
    std::uint64_t limit;
  };
  const std::vector<TCase> cases = {{0, 0, 10}, {3, 16381, 5}, {0, 16384, 40000}, {10, 50000, 1},
                                    {20000, 30000, 0}, {0, 99990, 100}};
  for (const TCase& test : cases) {
    TMemoryFileSystem fileSystem;
    fileSystem.AddFile("f", content);
    std::error_code error;
    const auto file = fileSystem.OpenRead("f", error);
    TBufferedFile reader(*file);
    EXPECT_EQ(reader.Read(test.readFirst), content.substr(0, test.readFirst));
    const std::size_t at = test.readFirst + static_cast<std::size_t>(test.skip);
    EXPECT_EQ(reader.Skip(test.skip), test.skip);
    reader.Limit(test.limit);
    const std::string expected = content.substr(at, static_cast<std::size_t>(test.limit));
    const std::optional<std::uint8_t> first = reader.ReadByte();
    ASSERT_EQ(first.has_value(), !expected.empty()) << at;
    if (!first) continue;
    EXPECT_EQ(static_cast<char>(*first), expected[0]) << at;
    EXPECT_EQ(reader.Read(expected.size() + 10), expected.substr(1)) << at;
    EXPECT_EQ(reader.Skip(5), 0u) << at;
    EXPECT_FALSE(reader.ReadByte().has_value()) << at;
  }
}

}  // namespace
}  // namespace kalvero
