#pragma once

// The journal of a copy run (`kalvero sort --report FILE`), which `kalvero undo` reads to take the
// run back. One line per record, its fields separated by tabs and each field escaped as the
// command line prints outside bytes (app/cli/escaped_text.h), so no name can split or forge a line:
//
//   kalvero-journal 4 <time> <target> <device> <inode> <source> <file pattern> <folder pattern>
//                   date-folders|flat subfolders|no-subfolders run|plan <on clash> <undated>
//                   <undated folder> <types>
//   folder <date folder, below the target> <device> <inode>          a folder the run made; of nested
//                                                                     date folders each level it made,
//                                                                     outermost first, as a relative
//                                                                     path of its levels
//   target-folder <path> <device> <inode>                             a folder of the target's chain it made
//   picture <source> <target below the target folder> <outcome> <reason> <size> <time>
//           <device> <inode> <change time> <date> <detail>
//
// Every path is absolute, resolved once when the run starts (the links of the part that exists
// resolved), so that undo finds the run's files from any folder. The header's device and inode are
// the target folder's, 0 0 when the run had to make it: then the target-folder line of the target
// itself tells them. Types are the words of the run's file types joined by commas ("jpeg,raw"); a
// copy of a raw file, HEIF picture or video keeps its own extension, lower-cased. Outcomes: copied,
// not-copied, undated, not-examined (reason unfit for a file that does not fit its kind), other for
// a file of the source of no type the run takes, and already-there for a picture whose bytes a file
// at its name held (a run's choice on clashes, fail, skip-identical or number, with the numbered
// names " (2)" ... of the last). Pictures without a usable date are kept (keep), copied under their
// own names into the undated folder (folder: copied, reason no-usable-date, no date), or named by
// their file's time (file-time: copied, reason file-time, that time as the date). Versions 3,
// without the types (jpeg), and 2, without these choices either (fail, keep), are read as well.
// Size, time, device, inode and change time are the copy's as its file system keeps them once it is
// under its name, 0 for no copy; times are nanoseconds since 1970. Date is the date text the
// picture's names were made from (empty where the run read none), so that undo can tell the names
// the run made from any other. Detail is the platform's message. A '/' in the folder pattern nests
// the date folders: their paths below the target join the levels with the path separator.

#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/run_account.h"
#include "engine/run_choices.h"
#include "engine/scan_record.h"
#include "platform/file_system.h"
#include "platform/output_file.h"

namespace kalvero {

inline constexpr int kJournalVersion = 4;

struct TJournalHeader {
  std::string time;
  std::string target;  // absolute, resolved when the run started
  TFileIdentity targetIdentity;  // none (0 0) when the run had to make the target
  std::string source;
  std::string filePattern;
  std::string folderPattern;
  bool dateFolders = true;
  bool subfolders = true;
  bool plan = false;  // a dry run's plan, not a run
  TClashChoice onClash = TClashChoice::Fail;
  TUndatedChoice undated = TUndatedChoice::Keep;
  std::string undatedFolder;
  TFileTypes types;
};

// A folder that the run made: a date folder by its path below the target, a folder of the target's
// chain by its path.
struct TJournalFolder {
  std::string path;
  TFileIdentity identity;
  friend bool operator==(const TJournalFolder&, const TJournalFolder&) = default;
};

// A copy that the run made, as undo needs it.
struct TJournalCopy {
  std::string source;  // absolute
  std::string folder;  // its date folder below the target, nested ones as a relative path; empty for the target
  std::string name;
  TFileFacts facts;
};

// The copies of a journal, kept compactly in the order of the journal: the folders of sources and
// copies once each, a copy's names and numbers packed into large blocks. A run of millions of
// pictures is taken back without holding its journal.
class TJournalCopies {
 public:
  // The copy from the absolute path `source` to `name` in `folder`.
  void Add(std::string_view source, std::string_view folder, std::string_view name, const TFileFacts& facts);
  std::size_t Size() const { return size_; }
  void ForEach(const std::function<void(const TJournalCopy&)>& visit) const;

 private:
  struct TTextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
  };
  std::uint64_t FolderNumber(std::string_view folder);

  std::vector<std::string> blocks_;
  std::vector<std::string> folders_;
  std::unordered_map<std::string, std::uint64_t, TTextHash, std::equal_to<>> folderNumbers_;
  std::size_t size_ = 0;
};

struct TJournal {
  TJournalHeader header;
  std::vector<TJournalFolder> folders;        // date folders the run made, in order
  std::vector<TJournalFolder> targetFolders;  // folders of the target's chain it made, outermost first
  TJournalCopies copies;
  bool lastLineCut = false;  // the last line had no line end and was passed over
};

// Writes a journal line by line, each handed to the system as soon as it is complete, so the
// journal of a killed run holds everything up to its last event. It resolves the header's source
// and target once and writes every path of the run absolute, built from them.
class TJournalWriter {
 public:
  // Creates the journal at `path`, which must not exist: the program never replaces a file.
  static std::unique_ptr<TJournalWriter> Create(const std::string& path, std::error_code& error);
  TJournalWriter(const TJournalWriter&) = delete;
  TJournalWriter& operator=(const TJournalWriter&) = delete;

  // The header, with the source and target as the run uses them.
  void Header(const TJournalHeader& header);
  // Each answers whether its line is in the journal. After the first failure to write, the
  // journal ends with the last complete line before it and nothing more is written.
  bool FolderMade(const std::string& folder, bool belowTarget, const TFileIdentity& identity);
  bool Picture(const TPictureAccount& account);
  void NotExamined(const TScanRecord& record);
  // The first failure to write, if any.
  std::error_code Error() const { return error_; }

 private:
  explicit TJournalWriter(std::unique_ptr<TOutputFile> file) : file_(std::move(file)) {}
  bool Line(const std::vector<std::string>& fields);

  // A folder as the run names it, and as the journal records it.
  struct TBase {
    std::string typed;
    std::string resolved;
  };
  // `path`, below `base` as the run names it, as the journal records it.
  static std::string Recorded(const TBase& base, const std::string& path);

  std::unique_ptr<TOutputFile> file_;
  std::error_code error_;
  TBase source_;
  TBase target_;
};

// The journal read from `in`, validated whole; none when anything is not as the writer writes it
// (a wrong version, a line with the wrong number of fields, an unknown kind, outcome or reason, a
// bad escape, a bad number, a path that is not absolute, a name or folder that the header's
// patterns cannot make, a folder of the chain that is not the target or above it), with the line
// and what is wrong in `error`. A last line without its line end, which a killed run leaves, is
// passed over (`lastLineCut`); a header without one is refused.
std::optional<TJournal> ReadJournal(std::istream& in, std::string& error);

}  // namespace kalvero
