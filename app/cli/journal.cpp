#include "app/cli/journal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <set>
#include <utility>

#include "app/cli/escaped_text.h"
#include "engine/file_types.h"
#include "engine/name_patterns.h"
#include "metadata/exif_info.h"
#include "platform/file_names.h"

namespace kalvero {
namespace {

// The words of the journal for what became of a picture; one the scan could not examine is
// "not-examined".
struct TOutcomeWord {
  TPictureOutcome outcome;
  std::string_view word;
};
constexpr std::array<TOutcomeWord, 5> kOutcomeWords = {{
    {TPictureOutcome::Copied, "copied"},
    {TPictureOutcome::NotCopied, "not-copied"},
    {TPictureOutcome::Undated, "undated"},
    {TPictureOutcome::Other, "other"},
    {TPictureOutcome::AlreadyThere, "already-there"},
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

// The longest line the reader takes: far more than the writer writes for the longest paths and
// names a system takes, escaped, so a file of another kind is refused before it fills the memory.
constexpr std::size_t kLongestLine = 64 << 10;
// The longest name of a folder or file, in bytes, on the file systems the program writes to.
constexpr std::size_t kLongestName = 255;

constexpr std::string_view kOlderJournal = "it was written by an older kalvero; it cannot be undone";

// The path as the journal records it: absolute, with the links of the part that exists resolved,
// without a separator at its end unless it is a root. Paths are UTF-8 (WTF-8 on Windows) on their
// way through std::filesystem, whose narrow strings would use Windows' ANSI code page.
std::string Resolved(const std::string& path) {
  std::error_code error;
  const std::filesystem::path typed(path.empty() ? u8"." : std::u8string(path.begin(), path.end()));
  const auto absolute = std::filesystem::absolute(typed, error);
  auto resolved = std::filesystem::weakly_canonical(absolute, error);
  if (error) resolved = absolute.lexically_normal();
  const std::u8string utf8 = resolved.u8string();
  std::string text(utf8.begin(), utf8.end());
  while (text.size() > std::max<std::size_t>(RootLength(text), 1) && IsPathSeparator(text.back())) text.pop_back();
  return text;
}

bool IsName(std::string_view name) {
  return IsSinglePathComponent(name) && !IsRefusedName(name) && name.size() <= kLongestName;
}

// A path as the writer records it: a root (IsAbsolutePath: no drive-relative "C:x"), or a root
// and names each after one separator.
bool IsRecordedPath(std::string_view path) {
  std::size_t start = RootLength(path);
  if (start == 0) return false;
  if (start == path.size()) return true;
  // A share's root ends before its separator.
  if (!IsPathSeparator(path[start - 1]) && !IsPathSeparator(path[start++])) return false;
  for (;;) {
    std::size_t end = start;
    while (end < path.size() && !IsPathSeparator(path[end])) ++end;
    if (!IsName(path.substr(start, end - start))) return false;
    if (end == path.size()) return true;
    start = end + 1;
  }
}

// Whether the recorded path `folder` is the recorded path `target` or a folder above it.
bool IsTargetOrAbove(std::string_view folder, std::string_view target) {
  if (!target.starts_with(folder)) return false;
  if (folder.size() == target.size() || IsPathSeparator(folder.back())) return true;
  return IsPathSeparator(target[folder.size()]);
}

// How the names a pattern makes look: its bytes, each date token as that many digits, each FFF as
// one or more digits.
constexpr int kDigit = 256;
constexpr int kDigits = 257;
using TShape = std::vector<int>;

void ReplaceInShape(TShape& shape, std::string_view token, int replacement, std::size_t width) {
  TShape result;
  const auto same = [](int element, char byte) { return element == static_cast<unsigned char>(byte); };
  for (std::size_t i = 0; i < shape.size();) {
    if (shape.size() - i >= token.size() && std::equal(shape.begin() + static_cast<std::ptrdiff_t>(i),
                                                       shape.begin() + static_cast<std::ptrdiff_t>(i + token.size()),
                                                       token.begin(), same)) {
      result.insert(result.end(), width, replacement);
      i += token.size();
    } else {
      result.push_back(shape[i++]);
    }
  }
  shape = std::move(result);
}

bool Fits(const TShape& shape, std::string_view name) {
  const auto fits = [](int element, char byte) {
    if (element == kDigit || element == kDigits) return byte >= '0' && byte <= '9';
    return element == static_cast<unsigned char>(byte);
  };
  if (shape.size() > name.size()) return false;
  if (std::ranges::find(shape, kDigits) == shape.end())
    return shape.size() == name.size() && std::equal(shape.begin(), shape.end(), name.begin(), fits);
  // Byte by byte, the places in the shape that the name so far can have reached.
  std::vector<bool> at(shape.size() + 1), next(shape.size() + 1);
  at[0] = true;
  for (const char byte : name) {
    std::fill(next.begin(), next.end(), false);
    for (std::size_t i = 0; i < shape.size(); ++i) {
      if (!at[i] || !fits(shape[i], byte)) continue;
      next[i + 1] = true;
      if (shape[i] == kDigits) next[i] = true;
    }
    std::swap(at, next);
  }
  return at[shape.size()];
}

TShape ShapeOf(std::string_view pattern) {
  TShape shape;
  for (const char byte : pattern) shape.push_back(static_cast<unsigned char>(byte));
  return shape;
}

// The shapes of the levels of the date folders of well-formed dates ("YYYY:MM:DD ..."), outermost
// first: each level of the pattern (between its '/') with each token as that many digits. A folder
// line of another name must be a folder of a picture line.
std::vector<TShape> DigitFolderShapes(std::string_view pattern) {
  std::vector<TShape> shapes;
  for (std::size_t start = 0; start <= pattern.size();) {
    const std::size_t slash = std::min(pattern.find('/', start), pattern.size());
    TShape& shape = shapes.emplace_back(ShapeOf(pattern.substr(start, slash - start)));
    ReplaceInShape(shape, "YYYY", kDigit, 4);
    for (const std::string_view token : {"MM", "DD"}) ReplaceInShape(shape, token, kDigit, 2);
    start = slash + 1;
  }
  return shapes;
}

// The levels of a date folder as the journal records it: its names between the path separators.
std::vector<std::string_view> RecordedLevels(std::string_view folder) {
  std::vector<std::string_view> levels;
  for (std::size_t start = 0; start <= folder.size();) {
    const std::size_t separator = std::min(folder.find(kPathSeparator, start), folder.size());
    levels.push_back(folder.substr(start, separator - start));
    start = separator + 1;
  }
  return levels;
}

// `target` without the number " (n)", n from 2, that a run numbering its clashes puts before the
// extension; `target` itself when it has none.
std::string WithoutClashNumber(std::string_view target) {
  const std::size_t dot = target.rfind('.');
  const std::size_t open = dot == std::string_view::npos ? dot : target.rfind(" (", dot);
  if (open == std::string_view::npos || dot < open + 4 || target[dot - 1] != ')') return std::string(target);
  const std::string_view digits = target.substr(open + 2, dot - 1 - (open + 2));
  const bool numbered = digits.size() <= 4 && std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; }) &&
                        digits.front() != '0' && digits != "1";
  if (!numbered) return std::string(target);
  return std::string(target.substr(0, open)).append(target.substr(dot));
}

// Whether the run with the patterns and types of `header` could have named a copy `target` below
// the target folder for the picture `source` of the date text `date`: the names it makes from that
// date, as the run makes them, FFF as one or more digits, numbered where the run numbered its
// clashes, with the extension of the source's copies. `folder` receives the date folder.
bool IsRunTarget(std::string_view target, std::string_view source, const std::string& date,
                 const TJournalHeader& header, std::string& folder) {
  const auto type = FileTypeOf(source);
  if (!type || !header.types.Has(*type)) return false;
  const std::string unnumbered = header.onClash == TClashChoice::Number ? WithoutClashNumber(target) : "";
  if (!unnumbered.empty()) target = unnumbered;
  if (date.size() > kDateTextLength) return false;
  const std::string& pattern = header.filePattern;
  const bool numbered = !header.dateFolders && ContainsToken(pattern, "FFF");
  const bool readsDates = !numbered || ContainsToken(pattern, "YYYY") || ContainsToken(pattern, "DD") ||
                          ContainsToken(pattern, "MM");
  if (readsDates == date.empty()) return false;
  const std::string name =
      (readsDates ? BuildTimesInString(pattern, date) : pattern) + std::string(CopyExtension(source));
  if (header.dateFolders) {
    folder = DateFolderPath(DateFolderLevels(header.folderPattern, date, true));
    return target == (folder.empty() ? name : folder + kPathSeparator + name);
  }
  if (!numbered) return target == name;
  TShape shape = ShapeOf(name);
  ReplaceInShape(shape, "FFF", kDigits, 1);
  return IsName(target) && Fits(shape, target);
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

struct TReading {
  TJournal journal;
  std::vector<TShape> folderShapes;  // of each level of the folder pattern
  std::size_t line = 0;  // the number of the line being read, from 1
  // The date folders that picture lines name, and the folder lines of other shapes, which must be
  // among them, with their line numbers.
  std::set<std::string> namedFolders;
  std::vector<std::pair<std::size_t, std::string>> otherFolders;
};

std::string ReadHeader(const std::vector<std::string_view>& raw, TReading& reading) {
  if (raw.size() < 2 || raw[0] != "kalvero-journal") return "no journal of kalvero";
  if (raw[1] == "1") return std::string(kOlderJournal);
  // Version 2 has no choice on clashes: its runs failed them; version 3 has no types: its runs took
  // JPEG pictures.
  constexpr std::array<std::pair<std::string_view, std::size_t>, 3> kHeaderFields = {{{"2", 12}, {"3", 15}, {"4", 16}}};
  static_assert(kJournalVersion == 4, "the table names the header's fields of each version read");
  const auto version = std::ranges::find(kHeaderFields, raw[1], &std::pair<std::string_view, std::size_t>::first);
  if (version == kHeaderFields.end()) return "a journal of another version";
  if (raw.size() != version->second) return "a header has " + std::to_string(version->second) + " fields";
  const bool choices = version->second >= 15;
  const auto unescaped = UnescapedFields(raw);
  if (!unescaped) return "a bad escape";
  const std::vector<std::string>& fields = *unescaped;
  TJournalHeader& header = reading.journal.header;
  header = {};
  header.time = fields[2];
  header.target = fields[3];
  header.source = fields[6];
  header.filePattern = fields[7];
  header.folderPattern = fields[8];
  if (!Number(fields[4], header.targetIdentity.device) || !Number(fields[5], header.targetIdentity.inode))
    return "a bad number";
  if (!IsRecordedPath(header.target) || !IsRecordedPath(header.source)) return "a path that is not absolute";
  if (!OneOf(fields[9], "date-folders", "flat", header.dateFolders) ||
      !OneOf(fields[10], "subfolders", "no-subfolders", header.subfolders))
    return "unknown options";
  bool run = false;
  if (!OneOf(fields[11], "run", "plan", run)) return "neither a run nor a plan";
  header.plan = !run;
  if (choices) {
    const auto onClash = ClashChoiceOf(fields[12]);
    const auto undated = UndatedChoiceOf(fields[13]);
    if (!onClash || !undated) return "unknown options";
    header.onClash = *onClash;
    header.undated = *undated;
    header.undatedFolder = fields[14];
    if ((*undated == TUndatedChoice::Folder) != IsName(header.undatedFolder)) return "unknown options";
  }
  if (fields.size() == 16) {
    const auto types = FileTypesOf(fields[15]);
    if (!types) return "unknown options";
    header.types = *types;
  }
  reading.folderShapes = DigitFolderShapes(header.folderPattern);
  return {};
}

std::string ReadFolder(const std::vector<std::string>& fields, TReading& reading) {
  if (fields.size() != 4) return "a folder line has 4 fields";
  TJournalFolder folder{fields[1], {}};
  if (!Number(fields[2], folder.identity.device) || !Number(fields[3], folder.identity.inode)) return "a bad number";
  const TJournalHeader& header = reading.journal.header;
  if (fields[0] == "target-folder") {
    if (!IsRecordedPath(folder.path) || !IsTargetOrAbove(folder.path, header.target))
      return "a folder that is neither the target nor above it";
    reading.journal.targetFolders.push_back(std::move(folder));
  } else {
    const bool undatedFolder = header.undated == TUndatedChoice::Folder && folder.path == header.undatedFolder;
    // A nested date folder has a line for each level the run made, its levels joined by the separator.
    const std::vector<std::string_view> levels = RecordedLevels(folder.path);
    if ((!header.dateFolders && !undatedFolder) || levels.size() > reading.folderShapes.size() ||
        !std::ranges::all_of(levels, IsName))
      return "a folder that the folder pattern cannot make";
    bool fits = true;
    for (std::size_t level = 0; level < levels.size(); ++level)
      fits = fits && Fits(reading.folderShapes[level], levels[level]);
    if (!fits) reading.otherFolders.emplace_back(reading.line, folder.path);
    reading.journal.folders.push_back(std::move(folder));
  }
  return {};
}

std::string ReadPicture(const std::vector<std::string>& fields, TReading& reading) {
  if (fields.size() != 12) return "a picture line has 12 fields";
  const std::string& outcome = fields[3];
  const std::string& reason = fields[4];
  if (!IsOutcomeWord(outcome)) return "an unknown outcome";
  if (!IsReasonWord(reason)) return "an unknown reason";
  TFileFacts facts;
  if (!Number(fields[5], facts.size) || !Number(fields[6], facts.lastWriteNanoseconds) ||
      !Number(fields[7], facts.identity.device) || !Number(fields[8], facts.identity.inode) ||
      !Number(fields[9], facts.changeNanoseconds))
    return "a bad number";
  if (!IsRecordedPath(fields[1])) return "a source that is not absolute";
  const std::string& target = fields[2];
  if (outcome != "copied" && outcome != "not-copied" && outcome != "already-there") {
    if (!target.empty()) return "a picture without a copy names one";
  } else if (const TJournalHeader& header = reading.journal.header;
             header.undated == TUndatedChoice::Folder && fields[10].empty() &&
             target.starts_with(header.undatedFolder + kPathSeparator)) {
    // A picture without a usable date, of a type the run took, keeps its own name in the undated folder.
    const auto type = FileTypeOf(fields[1]);
    if (!IsName(std::string_view(target).substr(header.undatedFolder.size() + 1)) || !type ||
        !header.types.Has(*type) || (outcome == "copied" && reason != "no-usable-date"))
      return "a name that the patterns cannot make";
    reading.namedFolders.insert(header.undatedFolder);
  } else if (!(outcome == "not-copied" && (reason == "no-single-name" || reason == "refused-name"))) {
    // A name made from a hostile date is recorded as it was refused; any other the patterns made.
    std::string folder;
    if (!IsRunTarget(target, fields[1], fields[10], reading.journal.header, folder))
      return "a name that the patterns cannot make";
    // The folder of the copy, and of a nested one each level above it.
    for (std::size_t end = folder.find(kPathSeparator); !folder.empty(); end = folder.find(kPathSeparator, end + 1)) {
      reading.namedFolders.insert(folder.substr(0, end));
      if (end == std::string::npos) break;
    }
  }
  if (outcome == "copied") {
    const std::string_view named(target);
    const std::size_t separator = named.rfind(kPathSeparator);
    const bool inFolder = separator != std::string_view::npos;
    reading.journal.copies.Add(fields[1], inFolder ? named.substr(0, separator) : "",
                               inFolder ? named.substr(separator + 1) : named, facts);
  }
  return {};
}

// Reads one line after the header into the journal; answers what is wrong with it, or nothing.
std::string ReadLine(const std::vector<std::string_view>& raw, TReading& reading) {
  const auto unescaped = UnescapedFields(raw);
  if (!unescaped) return "a bad escape";
  const std::string& kind = unescaped->front();
  if (kind == "folder" || kind == "target-folder") return ReadFolder(*unescaped, reading);
  if (kind == "picture") return ReadPicture(*unescaped, reading);
  return "an unknown kind of line";
}

// Copies are kept as numbers of up to 10 bytes, 7 bits a byte; times, which may lie before 1970,
// with their sign in the lowest bit.
void PutNumber(std::string& block, std::uint64_t number) {
  for (; number >= 0x80; number >>= 7) block += static_cast<char>((number & 0x7F) | 0x80);
  block += static_cast<char>(number);
}

std::uint64_t TakeNumber(const char*& at) {
  std::uint64_t number = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(*at++);
    number |= std::uint64_t{byte & 0x7Fu} << shift;
    if ((byte & 0x80) == 0) return number;
  }
}

std::uint64_t Signed(std::int64_t number) {
  return (static_cast<std::uint64_t>(number) << 1) ^ static_cast<std::uint64_t>(number >> 63);
}

std::int64_t FromSigned(std::uint64_t number) {
  return static_cast<std::int64_t>(number >> 1) ^ -static_cast<std::int64_t>(number & 1);
}

void PutText(std::string& block, std::string_view text) {
  PutNumber(block, text.size());
  block += text;
}

std::string TakeText(const char*& at) {
  const std::size_t size = TakeNumber(at);
  std::string text(at, size);
  at += size;
  return text;
}

// Blocks of copies are this large, or as large as one copy that does not fit.
constexpr std::size_t kBlockSize = 256 << 10;

}  // namespace

std::uint64_t TJournalCopies::FolderNumber(std::string_view folder) {
  if (const auto known = folderNumbers_.find(folder); known != folderNumbers_.end()) return known->second;
  folderNumbers_.emplace(folder, folders_.size());
  folders_.emplace_back(folder);
  return folders_.size() - 1;
}

void TJournalCopies::Add(std::string_view source, std::string_view folder, std::string_view name,
                         const TFileFacts& facts) {
  const std::size_t separator = std::min(source.rfind(kPathSeparator), source.size());
  const std::string_view sourceName = source.substr(std::min(separator + 1, source.size()));
  // Nine numbers of at most 10 bytes each, two of them the lengths of the names.
  const std::size_t largest = 9 * 10 + sourceName.size() + name.size();
  if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < largest)
    blocks_.emplace_back().reserve(std::max(kBlockSize, largest));
  std::string& block = blocks_.back();
  PutNumber(block, FolderNumber(source.substr(0, separator)));
  PutText(block, sourceName);
  PutNumber(block, FolderNumber(folder));
  PutText(block, name);
  PutNumber(block, facts.size);
  PutNumber(block, Signed(facts.lastWriteNanoseconds));
  PutNumber(block, facts.identity.device);
  PutNumber(block, facts.identity.inode);
  PutNumber(block, Signed(facts.changeNanoseconds));
  ++size_;
}

void TJournalCopies::ForEach(const std::function<void(const TJournalCopy&)>& visit) const {
  TJournalCopy copy;
  for (const std::string& block : blocks_) {
    for (const char* at = block.data(); at != block.data() + block.size();) {
      const std::string& sourceFolder = folders_[TakeNumber(at)];
      copy.source = sourceFolder + kPathSeparator + TakeText(at);
      copy.folder = folders_[TakeNumber(at)];
      copy.name = TakeText(at);
      copy.facts.size = TakeNumber(at);
      copy.facts.lastWriteNanoseconds = FromSigned(TakeNumber(at));
      copy.facts.identity.device = TakeNumber(at);
      copy.facts.identity.inode = TakeNumber(at);
      copy.facts.changeNanoseconds = FromSigned(TakeNumber(at));
      visit(copy);
    }
  }
}

std::unique_ptr<TJournalWriter> TJournalWriter::Create(const std::string& path, std::error_code& error) {
  auto file = CreateOutputFile(path, error);
  if (!file) return nullptr;
  return std::unique_ptr<TJournalWriter>(new TJournalWriter(std::move(file)));
}

bool TJournalWriter::Line(const std::vector<std::string>& fields) {
  if (error_) return false;
  std::string line;
  for (const std::string& field : fields) line.append(line.empty() ? "" : "\t").append(Escaped(field));
  line += '\n';
  // Handed to the system at once: a killed run's journal holds every event before it. A failed
  // line is cut off again, so that undo reads everything before the failure; should even that
  // fail, the reader passes over a cut last line.
  error_ = file_->Append(line);
  return !error_;
}

std::string TJournalWriter::Recorded(const TBase& base, const std::string& path) {
  std::string_view rest = path;
  if (!base.typed.empty()) {
    // "src2/a.jpg" does not lie below "src".
    if (!rest.starts_with(base.typed)) return Resolved(path);
    rest.remove_prefix(base.typed.size());
    if (!rest.empty() && !IsPathSeparator(base.typed.back()) && !IsPathSeparator(rest.front())) return Resolved(path);
  }
  while (!rest.empty() && IsPathSeparator(rest.front())) rest.remove_prefix(1);
  if (rest.empty()) return base.resolved;
  std::string recorded = base.resolved;
  if (!IsPathSeparator(recorded.back())) recorded += kPathSeparator;
  return recorded.append(rest);
}

void TJournalWriter::Header(const TJournalHeader& header) {
  source_ = {header.source, Resolved(header.source)};
  target_ = {header.target, Resolved(header.target)};
  Line({"kalvero-journal", std::to_string(kJournalVersion), header.time, target_.resolved,
        std::to_string(header.targetIdentity.device), std::to_string(header.targetIdentity.inode), source_.resolved,
        header.filePattern, header.folderPattern, header.dateFolders ? "date-folders" : "flat",
        header.subfolders ? "subfolders" : "no-subfolders", header.plan ? "plan" : "run",
        std::string(WordOf(header.onClash)), std::string(WordOf(header.undated)), header.undatedFolder,
        WordsOf(header.types)});
}

bool TJournalWriter::FolderMade(const std::string& folder, bool belowTarget, const TFileIdentity& identity) {
  const std::string path = belowTarget ? folder : Resolved(folder);
  // A folder made on the way to a target typed through "missing/.." lies beside it; undo keeps it.
  if (!belowTarget && !IsTargetOrAbove(path, target_.resolved)) return true;
  return Line({belowTarget ? "folder" : "target-folder", path, std::to_string(identity.device),
               std::to_string(identity.inode)});
}

bool TJournalWriter::Picture(const TPictureAccount& account) {
  const TFileFacts copy = account.outcome == TPictureOutcome::Copied ? account.copy : TFileFacts{};
  return Line({"picture", Recorded(source_, account.source), account.target, OutcomeWord(account.outcome),
               std::string(WordsOf(account.reason).journalWord), std::to_string(copy.size),
               std::to_string(copy.lastWriteNanoseconds), std::to_string(copy.identity.device),
               std::to_string(copy.identity.inode), std::to_string(copy.changeNanoseconds), account.date,
               account.error ? account.error.message() : ""});
}

void TJournalWriter::NotExamined(const TScanRecord& record) {
  Line({"picture", Recorded(source_, record.path), "", std::string(kNotExamined),
        std::string(WordsOf(ScanReason(record)).journalWord), "0", "0", "0", "0", "0", "",
        record.unfit.empty() ? record.reason.message() : record.unfit});
}

std::optional<TJournal> ReadJournal(std::istream& in, std::string& error) {
  TReading reading;
  std::vector<char> line(kLongestLine + 1);
  std::size_t number = 0;
  for (;; ++number) {
    in.getline(line.data(), static_cast<std::streamsize>(line.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got == 0 && in.eof()) break;
    // A run killed while it wrote a line leaves it without its end; the lines before are whole.
    if (in.eof() && number > 0) {
      reading.journal.lastLineCut = true;
      break;
    }
    std::string wrong;
    if (in.eof())
      wrong = "no line end (the journal was cut short)";
    else if (in.fail())
      wrong = "a line longer than the journal holds";
    else if (const auto fields = Fields({line.data(), got - 1}); (reading.line = number + 1) == 1)
      wrong = ReadHeader(fields, reading);
    else
      wrong = ReadLine(fields, reading);
    if (!wrong.empty()) {
      error = wrong == kOlderJournal ? wrong : "line " + std::to_string(number + 1) + ": " + wrong;
      return std::nullopt;
    }
  }
  if (number == 0) {
    error = "the journal is empty";
    return std::nullopt;
  }
  for (const auto& [folderLine, folder] : reading.otherFolders) {
    if (reading.namedFolders.contains(folder)) continue;
    error = "line " + std::to_string(folderLine) + ": a folder that the folder pattern cannot make";
    return std::nullopt;
  }
  return std::move(reading.journal);
}

}  // namespace kalvero
