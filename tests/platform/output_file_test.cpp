#include "platform/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

TEST(OutputFile, NeverTakesTheNameOfAnythingThatIsThere) {
  TTempFolder temp;
  temp.Write("file", "mine");
  temp.MakeFolder("folder");
  std::filesystem::create_symlink(temp / "nowhere", temp / "link");
  for (const char* name : {"file", "folder", "link"}) {
    std::error_code error;
    EXPECT_EQ(CreateOutputFile(temp / name, error), nullptr) << name;
    EXPECT_EQ(error, std::errc::file_exists) << name;
  }
  EXPECT_EQ(FileBytes(temp / "file"), "mine");
  EXPECT_FALSE(std::filesystem::exists(temp / "nowhere")) << "nothing made through the link";
}

TEST(OutputFile, AFailedPieceIsCutOffAndTheNextFollowsTheLastWholeOne) {
  TTempFolder temp;
  std::error_code error = std::make_error_code(std::errc::io_error);
  const auto file = CreateOutputFile(temp / "out", error);
  ASSERT_TRUE(file) << error.message();
  EXPECT_FALSE(error);
  {
    // The second piece is written in part, up to the limit, before the write fails.
    const TFileSizeLimit limit(10);
    EXPECT_FALSE(file->Append("12345\n"));
    EXPECT_EQ(file->Append("1234567890\n"), std::errc::file_too_large);
  }
  EXPECT_EQ(FileBytes(temp / "out"), "12345\n");
  EXPECT_FALSE(file->Append("abc\n"));
  EXPECT_EQ(FileBytes(temp / "out"), "12345\nabc\n");
}

}  // namespace
}  // namespace kalvero
