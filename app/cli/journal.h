#pragma once

// The journal of a copy run (`kalvero sort --report FILE`), which `kalvero undo` reads to take the
// run back. One line per record, its fields separated by tabs and each field escaped as the
// command line prints outside bytes (app/cli/escaped_text.h), so no name can split or forge a line:
//
//   kalvero-journal 1 <time> <target> <source> <file pattern> <folder pattern>
//                   date-folders|flat subfolders|no-subfolders run|plan
//   folder <date folder, below the target>                  a folder the run made
//   target-folder <path>                                     a folder of the target's chain it made
//   picture <source> <target below the target folder> <outcome> <reason> <size> <time> <detail>
//
// The target, the source and the paths of target-folder and picture lines are absolute, with the
// links of the part that exists resolved, so that undo finds them from any folder. Outcomes:
// copied, not-copied, undated, not-examined. Size and time (nanoseconds since 1970) are the copy's
// as its file system keeps them, 0 for no copy. Detail is the platform's message.

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "engine/run_account.h"
#include "engine/scan_record.h"

namespace kalvero {

inline constexpr int kJournalVersion = 1;

struct TJournalHeader {
  std::string time;
  std::string target;  // absolute, resolved when the run started
  std::string source;
  std::string filePattern;
  std::string folderPattern;
  bool dateFolders = true;
  bool subfolders = true;
  bool plan = false;  // a dry run's plan, not a run
};

struct TJournalPicture {
  std::string source;
  std::string target;
  std::string outcome;
  std::string reason;
  std::uint64_t size = 0;
  std::int64_t lastWrite = 0;
  std::string detail;
};

struct TJournal {
  TJournalHeader header;
  std::vector<std::string> folders;        // date folders the run made, in order
  std::vector<std::string> targetFolders;  // folders of the target's chain it made, outermost first
  std::vector<TJournalPicture> pictures;
  bool lastLineCut = false;  // the last line had no line end and was passed over
};

// Writes a journal line by line, each handed to the system as soon as it is complete, so the
// journal of a killed run holds everything up to its last event. It makes the paths given to it
// absolute as it writes them.
class TJournalWriter {
 public:
  // Creates the journal at `path`, which must not exist: the program never replaces a file.
  static std::unique_ptr<TJournalWriter> Create(const std::string& path, std::error_code& error);
  TJournalWriter(const TJournalWriter&) = delete;
  TJournalWriter& operator=(const TJournalWriter&) = delete;
  ~TJournalWriter();

  void Header(const TJournalHeader& header);
  // Each answers whether its line is in the journal. After the first failure to write, the
  // journal ends with the last complete line before it and nothing more is written.
  bool FolderMade(const std::string& folder, bool belowTarget);
  bool Picture(const TPictureAccount& account);
  void NotExamined(const TScanRecord& record);
  // The first failure to write, if any.
  std::error_code Error() const { return error_; }

 private:
  explicit TJournalWriter(int fd) : fd_(fd) {}
  bool Line(const std::vector<std::string>& fields);

  int fd_;
  off_t length_ = 0;  // up to the end of the last complete line
  std::error_code error_;
};

// The journal in `text`; none when anything is not as the writer writes it (a wrong version, a
// line with the wrong number of fields, an unknown kind, outcome or reason, a bad escape, a bad
// number), with the line and what is wrong in `error`. A last line without its line end, which a
// killed run leaves, is passed over (`lastLineCut`); a header without one is refused.
std::optional<TJournal> ReadJournal(std::string_view text, std::string& error);

}  // namespace kalvero
