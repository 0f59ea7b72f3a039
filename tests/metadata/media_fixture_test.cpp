// The date readers on files made by other programs (tests/data/media/make_media.sh), against the
// dates exiftool reads from them, and the movie header's UTC time in the local time zone, which
// TZ sets: POSIX only.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "metadata/media_date.h"
#include "platform/file_system.h"
#include "platform/memory_file_system.h"
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

TMediaDate ReadByExtension(const std::string& path) {
  const std::string extension = path.substr(path.rfind('.'));
  if (extension == ".heic" || extension == ".avif") return ReadHeifDate(NativeFileSystem(), path);
  return ReadVideoDate(NativeFileSystem(), path);
}

TEST_F(ZoneTest, MadeFilesGiveTheDatesExiftoolReads) {
  std::ifstream table(std::string(KALVERO_MEDIA_DIR) + "/dates.txt");
  ASSERT_TRUE(table) << "no dates.txt in " << KALVERO_MEDIA_DIR;
  int rows = 0;
  for (std::string line; std::getline(table, line); ++rows) {
    std::istringstream fields(line);
    std::string name, inUtc, inCentralEurope;
    ASSERT_TRUE(std::getline(fields, name, '\t') && std::getline(fields, inUtc, '\t') &&
                std::getline(fields, inCentralEurope, '\t'))
        << line;
    const std::string path = std::string(KALVERO_MEDIA_DIR) + "/" + name;
    for (const auto& [zone, expected] : {std::pair{kUtc, inUtc}, std::pair{kCentralEurope, inCentralEurope}}) {
      SetZone(zone);
      const TMediaDate date = ReadByExtension(path);
      EXPECT_EQ(date.dateText, expected == "-" ? "" : expected) << name << " in " << zone;
      EXPECT_EQ(date.unfitReason, "") << name;
    }
  }
  EXPECT_EQ(rows, 7);
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
