// Escaping bytes from outside, and reading journals back, without running the program.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/cli/escaped_text.h"
#include "app/cli/journal.h"
#include "tests/fuzz/journal_reader_harness.h"
#include "tests/support/case_name.h"
#include "tests/support/fuzz_replay.h"
#include "tests/support/temp_folder.h"

namespace kalvero {
namespace {

struct TEscapeCase {
  std::string name;
  std::string bytes;
  std::string escaped;
};

const std::vector<TEscapeCase> kEscapes = {
    {"PlainTextAndBlanksStay", "Urlaub 2004/a b.jpg", "Urlaub 2004/a b.jpg"},
    {"Utf8LettersStay", "M\xC3\xBCritz \xE2\x82\xAC \xF0\x9F\x93\xB7", "M\xC3\xBCritz \xE2\x82\xAC \xF0\x9F\x93\xB7"},
    {"ControlBytes", "a\x1b[2J\tb\n\x7f", "a\\x1B[2J\\x09b\\x0A\\x7F"},
    {"Backslash", "a\\b", "a\\\\b"},
    {"C1Controls", "\xC2\x9B" "31m \xC2\xA0", "\\xC2\\x9B31m \xC2\xA0"},
    {"InvalidUtf8", "\xE4rger \xC3 \xED\xA0\x80 \xF5\x80\x80\x80", "\\xE4rger \\xC3 \\xED\\xA0\\x80 \\xF5\\x80\\x80\\x80"},
    {"OverlongForm", "\xC0\xAF", "\\xC0\\xAF"},
    {"CutSequenceAtTheEnd", "ab\xE2\x82", "ab\\xE2\\x82"},
};

class EscapeTest : public testing::TestWithParam<TEscapeCase> {};

TEST_P(EscapeTest, EscapesWhatCouldPlayTricksAndReadsItBack) {
  EXPECT_EQ(Escaped(GetParam().bytes), GetParam().escaped);
  EXPECT_EQ(Unescaped(GetParam().escaped), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Bytes, EscapeTest, testing::ValuesIn(kEscapes), TCaseName());

TEST(Unescaped, RefusesWhatEscapedNeverWrites) {
  for (const char* text : {"a\\", "\\x4", "\\xZZ", "\\y", "\\x41", "\\x1b", "raw\ttab", "raw\x1b"})
    EXPECT_FALSE(Unescaped(text).has_value()) << text;
}

const std::string kHeader =
    "kalvero-journal\t1\t2026-12-09T10:00:00+0100\t/t\t/src\tDD.MM.YYYY - HH.NN.SS\tYYYY.MM.DD\tdate-folders\t"
    "subfolders\trun\n";

struct TJournalCase {
  std::string name;
  std::string text;
  std::string error;  // empty: read
  bool cut = false;   // read, its cut last line passed over
};

const std::string kCopied = "picture\t/src/a.jpg\t2004.08.07/a.jpg\tcopied\tnone\t12\t-5\t\n";

const std::vector<TJournalCase> kJournals = {
    {"Complete", kHeader + "folder\t2004.08.07\n" + kCopied, ""},
    {"Empty", "", "the journal is empty"},
    {"OtherVersion", "kalvero-journal\t2\tx\t/t\t/s\tp\tf\tflat\tsubfolders\trun\n", "line 1: a journal of another version"},
    {"NoJournal", "hello\n", "line 1: no journal of kalvero"},
    {"CutLastLine", kHeader + kCopied + "picture\t/src/b.jpg\t2004", "", true},
    {"CutHeader", kHeader.substr(0, 30), "line 1: no line end (the journal was cut short)"},
    {"FieldMissing", kHeader + "picture\t/src/a.jpg\ta.jpg\tcopied\tnone\t12\t5\n", "line 2: a picture line has 8 fields"},
    {"UnknownOutcome", kHeader + "picture\t/a\ta\tdeleted\tnone\t1\t1\t\n", "line 2: an unknown outcome"},
    {"UnknownReason", kHeader + "picture\t/a\ta\tnot-copied\tbored\t0\t0\t\n", "line 2: an unknown reason"},
    {"BadNumber", kHeader + "picture\t/a\ta\tcopied\tnone\t1x\t0\t\n", "line 2: a bad number"},
    {"BadEscape", kHeader + "folder\tx\\q\n", "line 2: a bad escape"},
    {"UnknownKind", kHeader + "remove\t/etc\n", "line 2: an unknown kind of line"},
};

class JournalReaderTest : public testing::TestWithParam<TJournalCase> {};

TEST_P(JournalReaderTest, ReadsOnlyWhatTheWriterWrites) {
  std::string error;
  const auto journal = ReadJournal(GetParam().text, error);
  EXPECT_EQ(journal.has_value(), GetParam().error.empty());
  EXPECT_EQ(error, GetParam().error);
  if (journal) {
    EXPECT_EQ(journal->header.target, "/t");
    EXPECT_EQ(journal->pictures.size(), 1u);
    EXPECT_EQ(journal->pictures.at(0).lastWrite, -5);
    EXPECT_EQ(journal->lastLineCut, GetParam().cut);
  }
}

INSTANTIATE_TEST_SUITE_P(Journals, JournalReaderTest, testing::ValuesIn(kJournals), TCaseName());

// An entry the scan could not examine for each of its reasons.
const std::vector<TScanRecord> kScanRecords = {
    {"/src/a", std::make_error_code(std::errc::permission_denied)},
    {"/src/b", std::make_error_code(std::errc::filename_too_long)},
    {"/src/c", std::make_error_code(std::errc::too_many_symbolic_link_levels), true},
    {"/src/d", std::make_error_code(std::errc::no_such_file_or_directory), true},
    {"/src/e", std::make_error_code(std::errc::io_error)},
    {"/src/f", std::make_error_code(std::errc::too_many_files_open)},
    {"/src/g", std::make_error_code(std::errc::not_a_directory)},
};

TEST(JournalWords, EveryReasonIsWrittenAndReadBackInItsOwnWord) {
  TTempFolder folder;
  std::error_code error;
  auto writer = TJournalWriter::Create(folder / "run.tsv", error);
  ASSERT_TRUE(writer) << error.message();
  writer->Header({"now", "/t", "/src", "p", "f", true, true, false});
  std::vector<std::string> words;
  for (const TPictureReasonWords& row : PictureReasonTable()) {
    const auto outcome = row.reason == TPictureReason::None ? TPictureOutcome::Copied : TPictureOutcome::NotCopied;
    EXPECT_TRUE(writer->Picture({"/src/p.jpg", "p.jpg", outcome, row.reason, {}, {}}));
    EXPECT_EQ(row.phrase.empty(), row.reason == TPictureReason::Other) << row.journalWord;
    words.emplace_back(row.journalWord);
  }
  ASSERT_EQ(kScanRecords.size(), ScanReasonTable().size());
  for (std::size_t i = 0; i < kScanRecords.size(); ++i) {
    const TScanReasonWords& row = ScanReasonTable()[i];
    EXPECT_EQ(ScanReason(kScanRecords[i]), row.reason) << row.journalWord;
    EXPECT_EQ(row.textKey.empty(), row.reason == TScanReason::Other) << row.journalWord;
    writer->NotExamined(kScanRecords[i]);
    words.emplace_back(row.journalWord);
  }
  writer.reset();
  std::string readError;
  const auto journal = ReadJournal(FileBytes(folder / "run.tsv"), readError);
  ASSERT_TRUE(journal) << readError;
  std::vector<std::string> read;
  for (const TJournalPicture& picture : journal->pictures) read.push_back(picture.reason);
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
