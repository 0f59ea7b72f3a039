// Journals of Windows paths: drives and shares, both separators, and the names Windows refuses.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/cli/escaped_text.h"
#include "app/cli/journal.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

// A flat numbered run from `source` into `target`, with `chain` as a folder of the target's chain
// that it made and one copy of `picture`.
std::string Journal(const std::string& target, const std::string& source, const std::string& chain,
                    const std::string& picture) {
  return "kalvero-journal\t2\tx\t" + Escaped(target) + "\t0\t0\t" + Escaped(source) +
         "\tFFF\tYYYY\tflat\tsubfolders\trun\ntarget-folder\t" + Escaped(chain) + "\t1\t2\npicture\t" +
         Escaped(picture) + "\t1.jpg\tcopied\tnone\t12\t-5\t1\t3\t7\t\t\n";
}

struct TPathCase {
  std::string name;
  std::string target, source, chain, picture;
  std::string error;  // empty: read
};

const std::vector<TPathCase> kPathCases = {
    {"Drives", "C:\\Sorted", "D:\\DCIM", "C:\\Sorted", "D:\\DCIM\\a.jpg", ""},
    {"ForwardSlashesSeparateToo", "c:/Sorted", "D:\\DCIM", "c:/Sorted", "D:/DCIM/a.jpg", ""},
    {"Shares", "\\\\nas\\photos\\Sorted", "\\\\nas\\card", "\\\\nas\\photos", "\\\\nas\\card\\a.jpg", ""},
    {"DriveRootAboveTheTarget", "C:\\Sorted", "D:\\DCIM", "C:\\", "D:\\DCIM\\a.jpg", ""},
    {"DriveRelativeTarget", "C:Sorted", "D:\\DCIM", "C:Sorted", "D:\\DCIM\\a.jpg", "line 1: a path that is not absolute"},
    {"TargetWithoutDrive", "\\Sorted", "D:\\DCIM", "\\Sorted", "D:\\DCIM\\a.jpg", "line 1: a path that is not absolute"},
    {"ShareWithoutItsName", "\\\\nas", "D:\\DCIM", "\\\\nas", "D:\\DCIM\\a.jpg", "line 1: a path that is not absolute"},
    {"ColonBeyondTheDrive", "C:\\Sorted", "D:\\DCIM:x", "C:\\Sorted", "D:\\DCIM:x\\a.jpg",
     "line 1: a path that is not absolute"},
    {"DeviceInThePath", "C:\\Sorted", "D:\\DCIM", "C:\\Sorted", "D:\\NUL.x\\a.jpg", "line 3: a source that is not absolute"},
    {"EmptyName", "C:\\Sorted", "D:\\DCIM", "C:\\Sorted", "D:\\DCIM\\\\a.jpg", "line 3: a source that is not absolute"},
    {"ChainOnAnotherDrive", "C:\\Sorted", "D:\\DCIM", "D:\\", "D:\\DCIM\\a.jpg",
     "line 2: a folder that is neither the target nor above it"},
    {"ChainBesideTheTarget", "C:\\Sorted", "D:\\DCIM", "C:\\Sort", "D:\\DCIM\\a.jpg",
     "line 2: a folder that is neither the target nor above it"},
};

class JournalPathTest : public testing::TestWithParam<TPathCase> {};

TEST_P(JournalPathTest, ReadsOnlyAbsoluteWindowsPaths) {
  const TPathCase& c = GetParam();
  std::istringstream text(Journal(c.target, c.source, c.chain, c.picture));
  std::string error;
  EXPECT_EQ(ReadJournal(text, error).has_value(), c.error.empty()) << error;
  EXPECT_EQ(error, c.error);
}

INSTANTIATE_TEST_SUITE_P(Paths, JournalPathTest, testing::ValuesIn(kPathCases), TCaseName());

// Nested date folders join their levels with the separator; a forward slash in a recorded folder
// is no separator there.
TEST(JournalReader, ReadsNestedDateFoldersJoinedByTheSeparator) {
  const auto read = [](const std::string& folder) {
    std::istringstream text("kalvero-journal\t2\tx\tC:\\\\Sorted\t1\t2\tD:\\\\DCIM\tHHNNSS\tYYYY/MM.DD\tdate-folders\t"
                            "subfolders\trun\nfolder\t2004\t1\t3\nfolder\t" + Escaped(folder) +
                            "\t1\t4\npicture\tD:\\\\DCIM\\\\a.jpg\t2004\\\\08.07\\\\164533.jpg\tcopied\tnone\t12\t-5\t1\t5\t"
                            "7\t2004:08:07 16:45:33\t\n");
    std::string error;
    auto journal = ReadJournal(text, error);
    return std::make_pair(std::move(journal), error);
  };
  const auto [nested, error] = read("2004\\08.07");
  ASSERT_TRUE(nested) << error;
  nested->copies.ForEach([](const TJournalCopy& copy) {
    EXPECT_EQ(copy.folder, "2004\\08.07");
    EXPECT_EQ(copy.name, "164533.jpg");
  });
  EXPECT_EQ(read("2004/08.07").second, "line 3: a folder that the folder pattern cannot make");
}

TEST(JournalWriter, RecordsAbsoluteWindowsPathsThatItsReaderTakes) {
  TTempFolder folder;
  std::error_code error;
  auto writer = TJournalWriter::Create(folder / "run.tsv", error);
  ASSERT_TRUE(writer) << error.message();
  TJournalHeader header;
  header.target = folder / "Sorted/";
  header.source = folder.Path() + "\\DCIM";
  header.filePattern = "FFF";
  header.dateFolders = false;
  writer->Header(header);
  EXPECT_TRUE(writer->Picture({header.source + "\\a.jpg", "1.jpg", TPictureOutcome::Copied, TPictureReason::None,
                               {}, {}, ""}));
  writer.reset();
  std::istringstream text(FileBytes(folder / "run.tsv"));
  std::string readError;
  const auto journal = ReadJournal(text, readError);
  ASSERT_TRUE(journal) << readError;
  EXPECT_EQ(journal->header.target.substr(1, 2), ":\\");
  EXPECT_TRUE(journal->header.target.ends_with("\\Sorted")) << journal->header.target;
  ASSERT_EQ(journal->copies.Size(), 1u);
  journal->copies.ForEach([&](const TJournalCopy& copy) { EXPECT_EQ(copy.source, journal->header.source + "\\a.jpg"); });
}

}  // namespace
}  // namespace kalvero
