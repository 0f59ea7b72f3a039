// Reading journals back, without running the program.

#include <malloc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/cli/escaped_text.h"
#include "app/cli/journal.h"
#include "engine/name_patterns.h"
#include "tests/fuzz/journal_reader_harness.h"
#include "tests/support/case_name.h"
#include "tests/support/fuzz_replay.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

const std::string kHeader =
    "kalvero-journal\t2\t2026-12-09T10:00:00+0100\t/t\t2049\t131\t/src\tDD.MM.YYYY - HH.NN.SS\tYYYY.MM.DD\t"
    "date-folders\tsubfolders\trun\n";
const std::string kCopy = "picture\t/src/a.jpg\t2004.08.07/07.08.2004 - 16.45.33.jpg\tcopied\tnone\t12\t-5\t2049\t9\t7\t2004:08:07 16:45:33\t\n";

// The header of a run with a choice on clashes, and its copy named `name` in the date folder.
std::string ChoiceHeader(const std::string& onClash, const std::string& undated = "keep\t") {
  return ReplaceToken(ReplaceToken(kHeader, "kalvero-journal\t2", "kalvero-journal\t3"), "\trun\n",
                      "\trun\t" + onClash + "\t" + undated + "\n");
}
// A picture without a usable date copied under its own name into the folder "undated".
const std::string kUndatedCopy =
    "picture\t/src/c.JPG\tundated/c.JPG\tcopied\tno-usable-date\t0\t0\t0\t0\t0\t\t\n";
std::string CopyNamed(const std::string& name) {
  return ReplaceToken(kCopy, "07.08.2004 - 16.45.33.jpg", name);
}
const std::string kAlreadyThere =
    "picture\t/src/b.jpg\t2004.08.07/07.08.2004 - 16.45.33 (3).jpg\talready-there\tnone\t0\t0\t0\t0\t0\t2004:08:07 16:45:33\t\n";

// The header of a run of the file types `types`, and a copy of a raw file keeping its extension.
std::string TypesHeader(const std::string& types) {
  return ReplaceToken(ReplaceToken(kHeader, "kalvero-journal\t2", "kalvero-journal\t4"), "\trun\n",
                      "\trun\tfail\tkeep\t\t" + types + "\n");
}
const std::string kRawCopy =
    "picture\t/src/r.CR2\t2004.08.07/07.08.2004 - 16.45.33.cr2\tcopied\tnone\t9\t1\t2049\t8\t1\t2004:08:07 16:45:33\t\n";
// A run into nested date folders: its header, the folder line of `path`, and its copy of a.jpg.
const std::string kNestedHeader = ReplaceToken(ChoiceHeader("fail"), "\tYYYY.MM.DD\t", "\tYYYY/MM.DD\t");
std::string NestedFolder(const std::string& path) { return "folder\t" + path + "\t2049\t140\n"; }
const std::string kNestedCopy = ReplaceToken(kCopy, "2004.08.07/", "2004/08.07/");

// A flat numbered run: the header with `pattern` and one copy named `name`.
std::string Numbered(const std::string& pattern, const std::string& name, const std::string& date = "") {
  return "kalvero-journal\t2\tx\t/t\t0\t0\t/src\t" + pattern + "\tYYYY\tflat\tsubfolders\trun\n" +
         "target-folder\t/t\t1\t2\npicture\t/src/a.jpg\t" + name + "\tcopied\tnone\t12\t-5\t1\t3\t7\t" + date + "\t\n";
}

// "2004:8:7 1:2:3" passes the date check and makes the names that its bytes at the tokens' places
// give ("2004.87." and " 1.8:.2004 - 2:...jpg"): a folder and a copy of such a run.
std::string OddDateJournal() {
  const std::string date = "2004:8:7 1:2:3";
  const std::string folder = BuildFolderName("YYYY.MM.DD", date);
  return kHeader + "folder\t" + folder + "\t2049\t132\n" +
         ReplaceToken(ReplaceToken(kCopy, "2004:08:07 16:45:33", date), "2004.08.07/07.08.2004 - 16.45.33.jpg",
                      folder + "/" + BuildTimesInString("DD.MM.YYYY - HH.NN.SS", date) + ".jpg");
}

struct TJournalCase {
  std::string name;
  std::string text;
  std::string error;  // empty: read
  bool cut = false;   // read, its cut last line passed over
};

const std::vector<TJournalCase> kJournals = {
    {"Complete", kHeader + "folder\t2004.08.07\t2049\t132\n" + kCopy, ""},
    {"NumberedWithDate", Numbered("YYYY-FFF", "2004-0012.jpg", "2004:08:07 16:45:33"), ""},
    {"NumberedWithoutDateKeepsTimeTokens", Numbered("Bild HH FFF", "Bild HH 7.jpg"), ""},
    {"NamesOfAnOddDate", OddDateJournal(), ""},
    {"DateTheNameIsNotMadeFrom", ReplaceToken(kHeader + kCopy, "2004:08:07 16:45:33", "2004:08:08 16:45:33"),
     "line 2: a name that the patterns cannot make"},
    {"FolderNoPictureNames", kHeader + "folder\t2004.87.\t2049\t132\n" + kCopy,
     "line 2: a folder that the folder pattern cannot make"},
    {"NestedFolders", kNestedHeader + NestedFolder("2004") + NestedFolder("2004/08.07") + kNestedCopy, ""},
    {"NestedFolderLeavingTheTarget", kNestedHeader + NestedFolder("../08.07") + kNestedCopy,
     "line 2: a folder that the folder pattern cannot make"},
    {"NestedFolderAbsolute", kNestedHeader + NestedFolder("/2004") + kNestedCopy,
     "line 2: a folder that the folder pattern cannot make"},
    {"NestedFolderEmptyLevel", kNestedHeader + NestedFolder("2004//08.07") + kNestedCopy,
     "line 2: a folder that the folder pattern cannot make"},
    {"NestedFolderTooDeep", kNestedHeader + NestedFolder("2004/08.07/09") + kNestedCopy,
     "line 2: a folder that the folder pattern cannot make"},
    {"NestedLevelThePatternCannotMake", kNestedHeader + NestedFolder("2004") + NestedFolder("2004/x") + kNestedCopy,
     "line 3: a folder that the folder pattern cannot make"},
    {"NestedFolderOfASingleLevelPattern", kHeader + NestedFolder("2004/08.07") + kCopy,
     "line 2: a folder that the folder pattern cannot make"},
    {"NestedCopyOfASingleLevelPattern", kHeader + kNestedCopy, "line 2: a name that the patterns cannot make"},
    {"CutLastLine", kHeader + kCopy + "picture\t/src/b.jpg\t2004", "", true},
    {"Empty", "", "the journal is empty"},
    {"OlderVersion", "kalvero-journal\t1\tx\t/t\t/s\tp\tf\tflat\tsubfolders\trun\n",
     "it was written by an older kalvero; it cannot be undone"},
    {"OtherVersion", "kalvero-journal\t5\tx\t/t\t/s\tp\tf\tflat\tsubfolders\trun\n", "line 1: a journal of another version"},
    {"ClashesNumbered", ChoiceHeader("number") + CopyNamed("07.08.2004 - 16.45.33 (2).jpg") + kAlreadyThere, ""},
    {"ClashesSkipped", ChoiceHeader("skip-identical") + kCopy + ReplaceToken(kAlreadyThere, " (3)", ""), ""},
    {"NumberWithoutNumbering", ChoiceHeader("skip-identical") + CopyNamed("07.08.2004 - 16.45.33 (2).jpg"),
     "line 2: a name that the patterns cannot make"},
    {"NumberOne", ChoiceHeader("number") + CopyNamed("07.08.2004 - 16.45.33 (1).jpg"),
     "line 2: a name that the patterns cannot make"},
    {"NumberLeadingZero", ChoiceHeader("number") + CopyNamed("07.08.2004 - 16.45.33 (02).jpg"),
     "line 2: a name that the patterns cannot make"},
    {"UnknownClashChoice", ChoiceHeader("overwrite") + kCopy, "line 1: unknown options"},
    {"ChoiceMissing", ReplaceToken(kHeader, "kalvero-journal\t2", "kalvero-journal\t3") + kCopy,
     "line 1: a header has 15 fields"},
    {"UndatedFolder", ChoiceHeader("fail", "folder\tundated") + "folder\tundated\t2049\t133\n" + kCopy + kUndatedCopy, ""},
    {"UndatedFolderOfAnotherName", ChoiceHeader("fail", "folder\tlost") + kCopy + kUndatedCopy,
     "line 3: a name that the patterns cannot make"},
    {"UndatedCopyWhereTheyAreKept", ChoiceHeader("fail") + kCopy + kUndatedCopy,
     "line 3: a name that the patterns cannot make"},
    {"UndatedFolderWithoutAName", ChoiceHeader("fail", "folder\t") + kCopy, "line 1: unknown options"},
    {"UndatedFolderAPath", ChoiceHeader("fail", "folder\ta/b") + kCopy, "line 1: unknown options"},
    {"DatedByFileTime", ChoiceHeader("fail", "file-time\t") + ReplaceToken(kCopy, "\tnone\t", "\tfile-time\t"), ""},
    {"RawCopy", TypesHeader("jpeg,raw") + kCopy + kRawCopy, ""},
    {"RawCopyInAJpegRun", TypesHeader("jpeg") + kCopy + kRawCopy, "line 3: a name that the patterns cannot make"},
    {"RawCopyNamedJpg", TypesHeader("all") + kCopy + ReplaceToken(kRawCopy, ".cr2", ".jpg"),
     "line 3: a name that the patterns cannot make"},
    {"CopyOfAnUntakenExtension", TypesHeader("all") + kCopy + ReplaceToken(kRawCopy, "r.CR2", "r.xmp"),
     "line 3: a name that the patterns cannot make"},
    {"Unfit", TypesHeader("all") + kCopy + "picture\t/src/x.cr2\t\tnot-examined\tunfit\t0\t0\t0\t0\t0\t\tno TIFF header\n", ""},
    {"UndatedCopyOfAnUntakenType", ReplaceToken(TypesHeader("jpeg"), "keep\t", "folder\tundated") + kCopy +
                                       ReplaceToken(kUndatedCopy, "c.JPG", "c.mov"),
     "line 3: a name that the patterns cannot make"},
    {"UnknownType", TypesHeader("jpeg,gif") + kCopy, "line 1: unknown options"},
    {"TypesMissing", ReplaceToken(ChoiceHeader("fail"), "kalvero-journal\t3", "kalvero-journal\t4") + kCopy,
     "line 1: a header has 16 fields"},
    {"NoJournal", "hello\n", "line 1: no journal of kalvero"},
    {"RelativeTarget", ReplaceToken(kHeader, "\t/t\t", "\tt\t") + kCopy, "line 1: a path that is not absolute"},
    {"CutHeader", kHeader.substr(0, 30), "line 1: no line end (the journal was cut short)"},
    {"LineTooLong", kHeader + std::string(70000, 'x') + "\n", "line 2: a line longer than the journal holds"},
    {"FieldMissing", kHeader + "picture\t/src/a.jpg\ta.jpg\tcopied\tnone\t12\t5\n", "line 2: a picture line has 12 fields"},
    {"UnknownOutcome", kHeader + ReplaceToken(kCopy, "copied", "deleted"), "line 2: an unknown outcome"},
    {"UnknownReason", kHeader + ReplaceToken(kCopy, "none", "bored"), "line 2: an unknown reason"},
    {"BadNumber", kHeader + ReplaceToken(kCopy, "12", "1x"), "line 2: a bad number"},
    {"BadEscape", kHeader + "folder\tx\\q\t1\t2\n", "line 2: a bad escape"},
    {"UnknownKind", kHeader + "remove\t/etc\n", "line 2: an unknown kind of line"},
    {"NulInSource", kHeader + ReplaceToken(kCopy, "/src/a.jpg", "/src/a\\x00.jpg"), "line 2: a source that is not absolute"},
    {"TimeNotDigits", kHeader + ReplaceToken(kCopy, "16.45.33", "16.45.3x"), "line 2: a name that the patterns cannot make"},
    {"NumberWithoutDigits", Numbered("YYYY-FFF", "2004-.jpg", "2004:08:07 16:45:33"), "line 3: a name that the patterns cannot make"},
    {"UndatedWithATarget", kHeader + "picture\t/src/c.jpg\tc.jpg\tundated\tno-usable-date\t0\t0\t0\t0\t0\t\t\n",
     "line 2: a picture without a copy names one"},
    {"FolderInAFlatRun", Numbered("FFF", "1.jpg") + "folder\t2004\t1\t4\n",
     "line 4: a folder that the folder pattern cannot make"},
};

class JournalReaderTest : public testing::TestWithParam<TJournalCase> {};

TEST_P(JournalReaderTest, ReadsOnlyWhatTheWriterWrites) {
  std::istringstream text(GetParam().text);
  std::string error;
  const auto journal = ReadJournal(text, error);
  EXPECT_EQ(journal.has_value(), GetParam().error.empty());
  EXPECT_EQ(error, GetParam().error);
  if (!journal) return;
  EXPECT_EQ(journal->header.target, "/t");
  EXPECT_EQ(journal->lastLineCut, GetParam().cut);
  // Every journal holds a's copy; some also the copy of a picture without a usable date or a raw file's.
  std::size_t copiesOfA = 0;
  journal->copies.ForEach([&copiesOfA](const TJournalCopy& copy) {
    if (copy.source != "/src/a.jpg") {
      EXPECT_EQ(copy.folder + "/" + copy.name, copy.source == "/src/r.CR2" ? "2004.08.07/07.08.2004 - 16.45.33.cr2"
                                                                           : "undated/c.JPG");
      return;
    }
    ++copiesOfA;
    EXPECT_EQ(copy.name.find('/'), std::string::npos) << "a copy's name is one name, in its folder " << copy.folder;
    EXPECT_EQ(copy.facts.lastWriteNanoseconds, -5);
    EXPECT_EQ(copy.facts.changeNanoseconds, 7);
  });
  EXPECT_EQ(copiesOfA, 1u);
}

INSTANTIATE_TEST_SUITE_P(Journals, JournalReaderTest, testing::ValuesIn(kJournals), TCaseName());

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's allocator, which answers for the C library's under it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

// The bytes the heap holds now, as the allocator counts them.
std::size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks + mallinfo2().hblkhd;
#endif
}

// A journal of a run of many pictures, made line by line as it is read and never held whole.
class TLargeJournal final : public std::streambuf {
 public:
  explicit TLargeJournal(int pictures) : pictures_(pictures) { Next(kHeader); }
  std::size_t size = 0;

 protected:
  int_type underflow() override {
    if (made_ == pictures_) return traits_type::eof();
    const std::string number = std::to_string(made_++);
    Next("picture\t/media/anna/EOS_DIGITAL/DCIM/100CANON/IMG_" + number + ".JPG\t2004.08.07/07.08.2004 - 16.45.33.jpg\tcopied\tnone\t3380251\t1091897133000000000\t66306\t" + number +
         "\t1765300000123456789\t2004:08:07 16:45:33\t\n");
    return traits_type::to_int_type(line_[0]);
  }

 private:
  void Next(std::string line) {
    line_ = std::move(line);
    size += line_.size();
    setg(line_.data(), line_.data(), line_.data() + line_.size());
  }

  int pictures_;
  int made_ = 0;
  std::string line_;
};

TEST(JournalReader, KeepsTheCopiesOfALargeJournalInFarLessThanItsSize) {
  TLargeJournal text(50'000);
  std::istream stream(&text);
  std::string error;
  const std::size_t before = HeapInUse();
  const auto journal = ReadJournal(stream, error);
  const std::size_t held = HeapInUse() - before;
  ASSERT_TRUE(journal.has_value()) << error;
  EXPECT_EQ(journal->copies.Size(), 50'000u);
  EXPECT_LT(held, text.size / 2) << "held " << held << " of " << text.size;
  std::size_t visited = 0;
  std::size_t wrong = 0;
  journal->copies.ForEach([&](const TJournalCopy& copy) {
    wrong += copy.facts.identity.inode != visited ||
             copy.source != "/media/anna/EOS_DIGITAL/DCIM/100CANON/IMG_" + std::to_string(visited) + ".JPG";
    ++visited;
  });
  EXPECT_EQ(wrong, 0u) << "each copy as its line records it";
}

// An entry the scan could not examine for each of its reasons.
const std::vector<TScanRecord> kScanRecords = {
    {"/src/a", std::make_error_code(std::errc::permission_denied), false, {}},
    {"/src/b", std::make_error_code(std::errc::filename_too_long), false, {}},
    {"/src/c", std::make_error_code(std::errc::too_many_symbolic_link_levels), true, {}},
    {"/src/d", std::make_error_code(std::errc::no_such_file_or_directory), true, {}},
    {"/src/e", std::make_error_code(std::errc::io_error), false, {}},
    {"/src/f", std::make_error_code(std::errc::too_many_files_open), false, {}},
    {"/src/h.cr2", {}, false, "no TIFF header"},
    {"/src/g", std::make_error_code(std::errc::not_a_directory), false, {}},
};

TEST(JournalWords, EveryReasonIsWrittenAndReadBackInItsOwnWord) {
  TTempFolder folder;
  std::error_code error;
  auto writer = TJournalWriter::Create(folder / "run.tsv", error);
  ASSERT_TRUE(writer) << error.message();
  TJournalHeader header;
  header.target = "/t";
  header.source = "/src";
  header.filePattern = "p";
  header.dateFolders = false;
  writer->Header(header);
  std::vector<std::string> words;
  for (const TPictureReasonWords& row : PictureReasonTable()) {
    const auto outcome = row.reason == TPictureReason::None ? TPictureOutcome::Copied : TPictureOutcome::NotCopied;
    EXPECT_TRUE(writer->Picture({"/src/p.jpg", "p.jpg", outcome, row.reason, {}, {}, "2004:08:07 16:45:33"}));
    EXPECT_EQ(row.phrase.empty(), row.reason == TPictureReason::Other) << row.journalWord;
    words.emplace_back(row.journalWord);
  }
  ASSERT_EQ(kScanRecords.size(), ScanReasonTable().size());
  for (std::size_t i = 0; i < kScanRecords.size(); ++i) {
    const TScanReasonWords& row = ScanReasonTable()[i];
    EXPECT_EQ(ScanReason(kScanRecords[i]), row.reason) << row.journalWord;
    writer->NotExamined(kScanRecords[i]);
    words.emplace_back(row.journalWord);
  }
  writer.reset();
  const std::string text = FileBytes(folder / "run.tsv");
  std::istringstream stream(text);
  std::string readError;
  EXPECT_TRUE(ReadJournal(stream, readError)) << readError << "\n" << text;
  // The reason is the fifth field of each picture line.
  std::vector<std::string> read;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with("picture\t")) continue;
    std::istringstream fields(line);
    std::string field;
    for (int i = 0; i < 5; ++i) std::getline(fields, field, '\t');
    read.push_back(field);
  }
  EXPECT_EQ(read, words);
  // Within each table no two reasons share a word.
  const auto distinct = [](std::vector<std::string> list) {
    std::ranges::sort(list);
    return std::ranges::adjacent_find(list) == list.end();
  };
  const auto scanWords = words.begin() + static_cast<std::ptrdiff_t>(PictureReasonTable().size());
  EXPECT_TRUE(distinct({words.begin(), scanWords}));
  EXPECT_TRUE(distinct({scanWords, words.end()}));
}

TEST(JournalFuzzSeeds, ReadCleanly) { ReplayFuzzInputs("journal_reader_fuzzer", ReadJournalFuzzInput); }

}  // namespace
}  // namespace kalvero
