// `kalvero sort --types`: raw files, HEIF pictures and videos beside the JPEG pictures of a card.

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>

#include "tests/app/command_line_test.h"
#include "tests/support/case_name.h"
#include "tests/support/exif_builder.h"

namespace kalvero {
namespace {

namespace fs = std::filesystem;

// The lines of `text` that hold a tab: a dry run's plan, one line per file.
std::set<std::string> PlanLines(const std::string& text) {
  std::set<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.find('\t') != std::string::npos) lines.insert(line);
  return lines;
}

// Every regular file below `folder`, by its path relative to it.
std::set<std::string> FilesBelow(const fs::path& folder) {
  std::set<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) files.insert(entry.path().lexically_relative(folder).string());
  return files;
}

class TypesTest : public CommandLineTest {
 protected:
  // A file of the media fixtures, copied into the work folder as `name`.
  void Fixture(const std::string& fixture, const std::string& name) const {
    work.Write(name, FileBytes(fs::path(KALVERO_MEDIA_DIR) / fixture));
  }

  TProgramResult Sort(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), {KALVERO_PROGRAM, "sort", "src", "t"});
    auto environment = Environment();
    environment["TZ"] = "UTC";
    return RunProgram(arguments, work.Path(), environment);
  }
};

// A card of every kind goes through the safest import: every picture and video once in the target
// with its date and its own extension, two of one second numbered, the one already imported left
// as it is, the undated one in its folder, the file that does not fit its kind and the sidecar
// reported. The dry run predicts it; undo takes it back and leaves what was there before.
TEST_F(TypesTest, TheWholeCardGoesInOnceAndComesBackOut) {
  work.Write("src/DCIM/IMG_1.JPG", PictureTakenAt("2004:08:07 16:45:33"));
  work.Write("src/DCIM/IMG_2.JPG", PictureTakenAt("2004:08:07 16:45:33") + "another shot");
  work.Write("src/DCIM/IMG_1.xmp", "<x:xmpmeta/>");
  work.Write("src/DCIM/BAD.CR2", "no raw file at all");
  Fixture("dated.dng", "src/DCIM/IMG_3.DNG");
  Fixture("ifd0-at-16.cr2", "src/DCIM/IMG_4.CR2");
  Fixture("fuji.raf", "src/DCIM/DSCF5.RAF");
  Fixture("picture.heic", "src/phone/IMG_6.HEIC");
  Fixture("picture.avif", "src/phone/IMG_7.avif");
  Fixture("movie.mp4", "src/phone/VID_8.mp4");
  Fixture("clip.mov", "src/phone/IMG_9.MOV");
  Fixture("undated.m4v", "src/phone/VID_10.m4v");
  // Imported before: the same bytes at the name this run makes.
  Fixture("dated.dng", "t/2019.07.14/14.07.2019 - 09.10.11.dng");
  const std::vector<std::string> choices = {"--types", "all", "--on-clash", "number", "--undated", "folder", "undated"};
  const std::vector<std::pair<std::string, std::string>> copies = {
      {"src/DCIM/IMG_1.JPG", "2004.08.07/07.08.2004 - 16.45.33.jpg"},
      {"src/DCIM/IMG_2.JPG", "2004.08.07/07.08.2004 - 16.45.33 (2).jpg"},
      {"src/DCIM/IMG_4.CR2", "2018.01.02/02.01.2018 - 03.04.05.cr2"},
      {"src/DCIM/DSCF5.RAF", "2012.11.10/10.11.2012 - 09.08.07.raf"},
      {"src/phone/IMG_6.HEIC", "2019.06.15/15.06.2019 - 10.20.30.heic"},
      {"src/phone/IMG_7.avif", "2019.06.15/15.06.2019 - 10.20.30.avif"},
      {"src/phone/VID_8.mp4", "2020.08.09/09.08.2020 - 10.11.12.mp4"},
      {"src/phone/IMG_9.MOV", "2021.07.04/04.07.2021 - 15.30.12.mov"},
      {"src/phone/VID_10.m4v", "undated/VID_10.m4v"},
  };
  const std::string summary =
      "copied 9, not copied 0, without a usable date 0, not examined 1, other files 1, already there 1";
  const std::string reported = "src/DCIM/BAD.CR2: no TIFF header\n";

  std::vector<std::string> arguments = choices;
  arguments.push_back("--dry-run");
  const auto plan = Sort(arguments);
  EXPECT_EQ(plan.exitStatus, 1) << plan.err;
  EXPECT_NE(plan.out.find(summary), std::string::npos) << plan.out;
  EXPECT_EQ(plan.err, reported);

  arguments.back() = "--verbose";
  arguments.insert(arguments.end(), {"--report", "run.tsv"});
  const auto run = Sort(arguments);
  EXPECT_EQ(run.exitStatus, 1) << run.err;
  EXPECT_NE(run.out.find(summary), std::string::npos) << run.out;
  EXPECT_NE(run.err.find(reported), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("src/DCIM/IMG_1.xmp: not of the types taken\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("src/DCIM/IMG_3.DNG: already there: t/2019.07.14/14.07.2019 - 09.10.11.dng\n"),
            std::string::npos)
      << run.err;

  std::set<std::string> expected = {"2019.07.14/14.07.2019 - 09.10.11.dng"};
  const std::set<std::string> planned = PlanLines(plan.out);
  for (const auto& [source, copy] : copies) {
    expected.insert(copy);
    EXPECT_EQ(FileBytes(work / ("t/" + copy)), FileBytes(work / source)) << copy;
    EXPECT_TRUE(planned.contains(source + "\tt/" + copy)) << source << " not planned as " << copy;
  }
  EXPECT_EQ(FilesBelow(work / "t"), expected);
  EXPECT_TRUE(planned.contains("src/DCIM/IMG_3.DNG\talready there: t/2019.07.14/14.07.2019 - 09.10.11.dng"));
  EXPECT_TRUE(planned.contains("src/DCIM/IMG_1.xmp\tnot of the types taken"));

  const auto undone = Kalvero({"undo", "run.tsv"});
  EXPECT_EQ(undone.exitStatus, 0) << undone.out << undone.err;
  EXPECT_EQ(FilesBelow(work / "t"), std::set<std::string>{"2019.07.14/14.07.2019 - 09.10.11.dng"});
  EXPECT_FALSE(fs::exists(work / "t/undated")) << "the folders the run made go too";
}

struct TTypesCase {
  std::string name;
  std::vector<std::string> arguments;
  int exitStatus;
  std::set<std::string> copies;  // below the target
  std::string err;               // what standard error says, in part
};

const std::vector<TTypesCase> kTypesCases = {
    {"JpegByDefault", {"--pattern", "YYYY HHNNSS"}, 0, {"2004 164533.jpg"}, ""},
    {"RawOnly", {"--types", "raw", "--pattern", "YYYY HHNNSS", "--verbose"}, 0, {"2018 030405.cr2"},
     "src/a.jpg: not of the types taken\n"},
    {"TwoTypes", {"--types=heic,jpeg", "--pattern", "YYYY HHNNSS"}, 0, {"2004 164533.jpg", "2019 102030.heic"}, ""},
    {"UnfitWithoutDateTokens", {"--types", "all", "--pattern", "FFF"}, 1, {"0.jpg", "1.cr2", "2.heic"},
     "src/d.mov: no movie boxes\n"},
    {"UnknownType", {"--types", "jpeg,gif"}, 2, {}, "--types takes a list of jpeg, raw, heic, video or all"},
    {"EmptyItem", {"--types", "raw,"}, 2, {}, "--types takes a list"},
};

class TypesChoiceTest : public TypesTest, public testing::WithParamInterface<TTypesCase> {};

// The list names what a run takes, in the order of its walks; a file that claims a kind it does not
// fit is never copied, even where no name needs its date.
TEST_P(TypesChoiceTest, TheListNamesWhatIsTaken) {
  work.Write("src/a.jpg", PictureTakenAt("2004:08:07 16:45:33"));
  Fixture("ifd0-at-16.cr2", "src/b.CR2");
  Fixture("picture.heic", "src/c.heic");
  work.Write("src/d.mov", "not a movie");
  std::vector<std::string> arguments = GetParam().arguments;
  arguments.insert(arguments.end(), {"--no-date-folders", "--yes"});
  const auto run = Sort(arguments);
  EXPECT_EQ(run.exitStatus, GetParam().exitStatus) << run.err;
  EXPECT_NE(run.err.find(GetParam().err), std::string::npos) << run.err;
  EXPECT_EQ(fs::exists(work / "t") ? FilesBelow(work / "t") : std::set<std::string>{}, GetParam().copies) << run.out;
}

INSTANTIATE_TEST_SUITE_P(Lists, TypesChoiceTest, testing::ValuesIn(kTypesCases), TCaseName());

}  // namespace
}  // namespace kalvero
