// The reader over the shared corpus of real camera files and hostile files: every file reads
// without a fault, and the date text agrees with what the corpus notes for it.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "metadata/image_reader.h"
#include "metadata/media_date.h"

namespace kalvero {
namespace {

const std::string kCorpus = KALVERO_CORPUS_DIR;

// The date text that a copy run takes for a file: empty without an Exif segment.
std::string ReaderDate(const std::string& path) {
  TImageReader reader(NativeFileSystem(), 255);
  reader.LoadFile(path);
  return reader.ExifFound() ? reader.exifInfo->dateTime : std::string();
}

std::vector<std::vector<std::string>> ReadTable(const std::string& path) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  while (std::getline(file, line)) {
    std::vector<std::string>& row = rows.emplace_back();
    std::stringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) row.push_back(field);
  }
  return rows;
}

// The date texts that a notes column allows: "-" for none, "A or B" for either.
std::vector<std::string> Allowed(const std::string& column) {
  std::vector<std::string> allowed;
  std::size_t start = 0;
  while (true) {
    const std::size_t found = column.find(" or ", start);
    const std::string choice = column.substr(start, found - start);
    allowed.push_back(choice == "-" ? "" : choice);
    if (found == std::string::npos) return allowed;
    start = found + 4;
  }
}

bool CorpusMissing() { return !NativeFileSystem().FolderExists(kCorpus); }

TEST(Corpus, EveryFileReadsWithoutFault) {
  if (CorpusMissing()) GTEST_SKIP() << "no corpus at " << kCorpus;
  int files = 0;
  for (const std::string folder : {"camera", "tiff", "hostile"}) {
    for (const TFolderEntry& entry : NativeFileSystem().ListFolder(kCorpus + "/" + folder)) {
      TImageReader reader(NativeFileSystem(), 255);
      const bool found = reader.LoadFile(kCorpus + "/" + folder + "/" + entry.name);
      EXPECT_FALSE(reader.errorText.empty() && found) << entry.name;
      ++files;
    }
  }
  EXPECT_GE(files, 265);
}

// Compares the reader's date of each file in `column` of a table with the texts allowed there;
// answers how many files were compared.
int CompareDates(const std::string& table, const std::string& folder, std::size_t column) {
  int compared = 0;
  for (const auto& row : ReadTable(kCorpus + "/" + table)) {
    if (row.size() <= column || row[column] == "?") continue;
    const std::string date = ReaderDate(kCorpus + "/" + folder + row[0]);
    const std::vector<std::string> allowed = Allowed(row[column]);
    EXPECT_TRUE(std::ranges::find(allowed, date) != allowed.end())
        << row[0] << ": read \"" << date << "\", expected " << row[column];
    ++compared;
  }
  return compared;
}

TEST(Corpus, CameraAndTiffDatesMatchTheNotes) {
  if (CorpusMissing()) GTEST_SKIP() << "no corpus at " << kCorpus;
  EXPECT_EQ(CompareDates("notes.tsv", "", 3), 122);
}

TEST(Corpus, HostileDatesAreAmongTheExpected) {
  if (CorpusMissing()) GTEST_SKIP() << "no corpus at " << kCorpus;
  EXPECT_EQ(CompareDates("hostile/MANIFEST.tsv", "hostile/", 2), 90);
}

// The TIFF-type files through the reader of raw files: each gives exiftool's date (the original
// date, else the modify date), and every hostile one is read without a fault, with a date or a
// reason but never both.
TEST(Corpus, TiffFilesThroughTheRawReaderGiveExiftoolsDate) {
  if (CorpusMissing()) GTEST_SKIP() << "no corpus at " << kCorpus;
  int compared = 0;
  for (const auto& row : ReadTable(kCorpus + "/expected.tsv")) {
    if (row.size() < 5 || !row[0].starts_with("tiff/")) continue;
    const TMediaDate date = ReadTiffRawDate(NativeFileSystem(), kCorpus + "/" + row[0]);
    EXPECT_EQ(date.dateText, row[3].empty() ? row[4] : row[3]) << row[0];
    EXPECT_EQ(date.unfitReason, "") << row[0];
    ++compared;
  }
  EXPECT_EQ(compared, 5);
  for (const TFolderEntry& entry : NativeFileSystem().ListFolder(kCorpus + "/hostile")) {
    if (!entry.name.ends_with(".tif") && !entry.name.ends_with(".tiff")) continue;
    const TMediaDate date = ReadTiffRawDate(NativeFileSystem(), kCorpus + "/hostile/" + entry.name);
    EXPECT_TRUE(date.dateText.empty() || date.unfitReason.empty()) << entry.name;
  }
}

}  // namespace
}  // namespace kalvero
