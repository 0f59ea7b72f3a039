#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "metadata/media_date.h"

namespace kalvero {
namespace {

// A file's kind comes from the extension of its own name alone, its letters folded.
TEST(MediaKind, ComesFromTheExtensionOfTheFilesOwnName) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"IMG_0001.CR2", ".cr2"},     {"dcim/IMG_0001.Cr3", ".cr3"}, {"phone.HEIC", ".heic"},
      {"clip.3GP", ".3gp"},         {"a.b.mov", ".mov"},           {"x.jpg", ""},
      {"x.JPEG", ""},               {"folder.mov/clip", ""},       {"no-extension", ""},
      {".mp4", ".mp4"},             {"x.mp4.part", ""},            {"x.cr", ""},
  };
  for (const auto& [path, extension] : cases) {
    const TMediaKind* kind = MediaKindOf(path);
    EXPECT_EQ(kind != nullptr ? std::string(kind->extension) : "", extension) << path;
  }
}

}  // namespace
}  // namespace kalvero
