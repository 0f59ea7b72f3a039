#include "app/cli/journal.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <filesystem>

#include "app/cli/escaped_text.h"

namespace kalvero {
namespace {

// The words of the journal for what became of a picture; one the scan could not examine is
// "not-examined".
struct TOutcomeWord {
  TPictureOutcome outcome;
  std::string_view word;
};
constexpr std::array<TOutcomeWord, 3> kOutcomeWords = {{
    {TPictureOutcome::Copied, "copied"},
    {TPictureOutcome::NotCopied, "not-copied"},
    {TPictureOutcome::Undated, "undated"},
}};
constexpr std::string_view kNotExamined = "not-examined";

std::string OutcomeWord(TPictureOutcome outcome) {
  const auto row = std::ranges::find(kOutcomeWords, outcome, &TOutcomeWord::outcome);
  return std::string(row == kOutcomeWords.end() ? "not-copied" : row->word);
}

bool IsOutcomeWord(std::string_view word) {
  return word == kNotExamined || std::ranges::find(kOutcomeWords, word, &TOutcomeWord::word) != kOutcomeWords.end();
}

// A word of either table of reasons: those of the pictures and those of the entries the scan
// could not examine.
bool IsReasonWord(std::string_view word) {
  return std::ranges::find(PictureReasonTable(), word, &TPictureReasonWords::journalWord) !=
             PictureReasonTable().end() ||
         std::ranges::find(ScanReasonTable(), word, &TScanReasonWords::journalWord) != ScanReasonTable().end();
}

// The path as the journal records it: absolute, with the links of the part that exists resolved,
// so that undo finds the run's files from any folder.
std::string Resolved(const std::string& path) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(path.empty() ? "." : path, error);
  const auto resolved = std::filesystem::weakly_canonical(absolute, error);
  return error ? absolute.string() : resolved.string();
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

template <class T>
bool Number(std::string_view text, T& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool OneOf(std::string_view word, std::string_view first, std::string_view second, bool& isFirst) {
  isFirst = word == first;
  return isFirst || word == second;
}

// The fields of a line unescaped; none when one holds a bad escape.
std::optional<std::vector<std::string>> UnescapedFields(const std::vector<std::string_view>& raw) {
  std::vector<std::string> fields;
  for (const std::string_view field : raw) {
    auto text = Unescaped(field);
    if (!text) return std::nullopt;
    fields.push_back(std::move(*text));
  }
  return fields;
}

// Reads one line into the journal; answers what is wrong with it, or nothing.
std::string ReadLine(const std::vector<std::string_view>& raw, TJournal& journal) {
  const auto unescaped = UnescapedFields(raw);
  if (!unescaped) return "a bad escape";
  const std::vector<std::string>& fields = *unescaped;
  const std::string& kind = fields[0];
  if (kind == "folder" || kind == "target-folder") {
    if (fields.size() != 2) return "a folder line has 2 fields";
    (kind == "folder" ? journal.folders : journal.targetFolders).push_back(fields[1]);
    return {};
  }
  if (kind != "picture") return "an unknown kind of line";
  if (fields.size() != 8) return "a picture line has 8 fields";
  TJournalPicture picture{fields[1], fields[2], fields[3], fields[4], 0, 0, fields[7]};
  if (!IsOutcomeWord(picture.outcome)) return "an unknown outcome";
  if (!IsReasonWord(picture.reason)) return "an unknown reason";
  if (!Number(fields[5], picture.size) || !Number(fields[6], picture.lastWrite)) return "a bad number";
  journal.pictures.push_back(std::move(picture));
  return {};
}

std::string ReadHeader(const std::vector<std::string_view>& raw, TJournalHeader& header) {
  if (raw.size() != 10 || raw[0] != "kalvero-journal") return "no journal of kalvero";
  if (raw[1] != std::to_string(kJournalVersion)) return "a journal of another version";
  const auto unescaped = UnescapedFields(raw);
  if (!unescaped) return "a bad escape";
  const std::vector<std::string>& fields = *unescaped;
  header = {fields[2], fields[3], fields[4], fields[5], fields[6]};
  if (!OneOf(fields[7], "date-folders", "flat", header.dateFolders) ||
      !OneOf(fields[8], "subfolders", "no-subfolders", header.subfolders))
    return "unknown options";
  bool run = false;
  if (!OneOf(fields[9], "run", "plan", run)) return "neither a run nor a plan";
  header.plan = !run;
  return {};
}

}  // namespace

std::unique_ptr<TJournalWriter> TJournalWriter::Create(const std::string& path, std::error_code& error) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0644);
  if (fd < 0) {
    error = {errno, std::generic_category()};
    return nullptr;
  }
  error.clear();
  return std::unique_ptr<TJournalWriter>(new TJournalWriter(fd));
}

TJournalWriter::~TJournalWriter() { ::close(fd_); }

bool TJournalWriter::Line(const std::vector<std::string>& fields) {
  if (error_) return false;
  std::string line;
  for (const std::string& field : fields) line.append(line.empty() ? "" : "\t").append(Escaped(field));
  line += '\n';
  // Handed to the system at once: a killed run's journal holds every event before it.
  for (std::string_view rest = line; !rest.empty() && !error_;) {
    const ssize_t written = ::write(fd_, rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) error_ = {errno, std::generic_category()};
    else rest.remove_prefix(static_cast<std::size_t>(written));
  }
  if (error_) {
    // Back to the last complete line, so that undo reads everything before the failure. Should
    // even that fail, the reader passes over a cut last line.
    static_cast<void>(::ftruncate(fd_, length_));
    return false;
  }
  length_ += static_cast<off_t>(line.size());
  return true;
}

void TJournalWriter::Header(const TJournalHeader& header) {
  Line({"kalvero-journal", std::to_string(kJournalVersion), header.time, Resolved(header.target), Resolved(header.source),
        header.filePattern, header.folderPattern, header.dateFolders ? "date-folders" : "flat",
        header.subfolders ? "subfolders" : "no-subfolders", header.plan ? "plan" : "run"});
}

bool TJournalWriter::FolderMade(const std::string& folder, bool belowTarget) {
  return Line({belowTarget ? "folder" : "target-folder", belowTarget ? folder : Resolved(folder)});
}

bool TJournalWriter::Picture(const TPictureAccount& account) {
  const bool copied = account.outcome == TPictureOutcome::Copied;
  return Line({"picture", Resolved(account.source), account.target, OutcomeWord(account.outcome),
        std::string(WordsOf(account.reason).journalWord),
        std::to_string(copied ? account.copy.size : 0), std::to_string(copied ? account.copy.lastWriteNanoseconds : 0),
        account.error ? account.error.message() : ""});
}

void TJournalWriter::NotExamined(const TScanRecord& record) {
  Line({"picture", Resolved(record.path), "", std::string(kNotExamined),
        std::string(WordsOf(ScanReason(record)).journalWord), "0", "0",
        record.reason.message()});
}

std::optional<TJournal> ReadJournal(std::string_view text, std::string& error) {
  TJournal journal;
  std::size_t number = 0;
  for (std::size_t start = 0; start < text.size(); ++number) {
    const std::size_t end = text.find('\n', start);
    // A run killed while it wrote a line leaves it without its end; the lines before are whole.
    if (end == std::string_view::npos && number > 0) {
      journal.lastLineCut = true;
      break;
    }
    if (end == std::string_view::npos) {
      error = "line 1: no line end (the journal was cut short)";
      return std::nullopt;
    }
    const auto fields = Fields(text.substr(start, end - start));
    const std::string wrong = number == 0 ? ReadHeader(fields, journal.header) : ReadLine(fields, journal);
    if (!wrong.empty()) {
      error = "line " + std::to_string(number + 1) + ": " + wrong;
      return std::nullopt;
    }
    start = end + 1;
  }
  if (number == 0) {
    error = "the journal is empty";
    return std::nullopt;
  }
  return journal;
}

}  // namespace kalvero
