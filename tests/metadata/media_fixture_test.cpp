// The date readers on files made by other programs (tests/data/media/make_media.sh), against the
// dates exiftool reads from them, and the movie header's UTC time in the local time zone, which
// TZ sets: POSIX only.

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "metadata/media_date.h"
#include "platform/memory_file_system.h"
#include "tests/metadata/made_media.h"
#include "tests/support/box_builder.h"

namespace kalvero {
namespace {

// Time zones as POSIX rules, so that no zone database is needed.
constexpr const char* kUtc = "UTC0";
constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";

// Sets TZ for the test and gives back the one before.
class ZoneTest : public testing::Test {
 protected:
  ZoneTest() {
    if (const char* zone = std::getenv("TZ")) oldZone_ = zone;
  }
  ~ZoneTest() override {
    if (oldZone_) ::setenv("TZ", oldZone_->c_str(), 1);
    else ::unsetenv("TZ");
  }
  static void SetZone(const char* zone) { ::setenv("TZ", zone, 1); }

 private:
  std::optional<std::string> oldZone_;
};

TEST_F(ZoneTest, MadeFilesGiveTheDatesExiftoolReads) {
  const std::vector<TMadeFile> files = MadeFiles();
  EXPECT_EQ(files.size(), 9u);
  for (const TMadeFile& file : files) {
    for (const auto& [zone, expected] :
         {std::pair{kUtc, file.inUtc}, std::pair{kCentralEurope, file.inCentralEurope}}) {
      SetZone(zone);
      const TMediaDate date = ReadMadeFile(file.path);
      EXPECT_EQ(date.dateText, expected) << file.path << " in " << zone;
      EXPECT_EQ(date.unfitReason, "") << file.path;
    }
  }
}

TEST_F(ZoneTest, MovieHeaderTimeIsShownInTheLocalZone) {
  struct TZoneCase {
    const char* zone;
    int version;
    std::uint64_t created;  // seconds since 1904
    std::string dateText;
  };
  constexpr std::uint64_t k1904To1970 = 2082844800;
  const std::vector<TZoneCase> cases = {
      {kCentralEurope, 0, k1904To1970 + 1091889933, "2004:08:07 16:45:33"},  // summer: UTC+2
      {kCentralEurope, 1, k1904To1970 + 1104663600, "2005:01:02 12:00:00"},  // winter: UTC+1
      {"NST3:30", 0, k1904To1970 + 1104631200, "2005:01:01 22:30:00"},
      {kUtc, 1, 1, "1904:01:01 00:00:01"},
      {kUtc, 1, k1904To1970 + 253402300799, "9999:12:31 23:59:59"},
  };
  for (const TZoneCase& c : cases) {
    SetZone(c.zone);
    TMemoryFileSystem fileSystem;
    fileSystem.AddFile("a.mp4", MovieFile(MovieHeader(c.version, c.created)));
    EXPECT_EQ(ReadVideoDate(fileSystem, "a.mp4").dateText, c.dateText) << c.zone << " " << c.created;
  }
}

}  // namespace
}  // namespace kalvero
