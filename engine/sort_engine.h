#pragma once

// The photo sorting engine: the operations of the main window that check the patterns, preview
// names, scan the source folder, run the copies and remember the user's choices. It reaches the
// window only through its host; its operations are implemented in pattern_checks.cpp,
// source_scan.cpp, copy_runs.cpp and settings.cpp.

#include <cstddef>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "engine/engine_host.h"
#include "engine/error_text.h"
#include "engine/message_pace.h"
#include "engine/run_choices.h"
#include "engine/scan_record.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/file_system.h"

namespace kalvero {

// The full paths of the pictures found by the last scan, in scan order.
using TFileList = std::vector<std::string>;

// What a copy run did.
struct TRunSummary {
  int copied = 0;
  int failed = 0;       // copies that failed
  int undated = 0;      // pictures without a valid date
  int notExamined = 0;  // entries that the run's scan could not examine
  int others = 0;       // files of the source of no type the run takes, and so not copied
  int alreadyThere = 0;  // pictures whose bytes were at their names already
};

class TSortEngine {
 public:
  TSortEngine(TEngineHost& host, TFileSystem& fileSystem, const TClock& clock)
      : host_(host), fileSystem_(fileSystem), clock_(clock) {}

  // The name preview into `Label9`; run whenever `Edit1`, `Edit2` or `cb2` changed, after a
  // language switch and at start.
  void Edit1Change();

  // Key filters of the two pattern fields: the key, or the null character to drop it.
  static char32_t Edit1KeyPress(char32_t key);
  static char32_t Edit2KeyPress(char32_t key);

  // Decides whether a copy run may start with this file name pattern; a refusal shows its
  // message box first. The last check asks the user before names by time alone are used.
  bool CheckInput(const std::string& filePattern);

  // When `Edit2` is left without all of DD, MM and YYYY: an error box, and the focus goes back.
  void Edit2Exit();

  // The text that replaces FFF for picture n, as wide as the count of files found: as many digits
  // as `Label5` shows, or `width` digits, the width that a run fixed when it started.
  std::string FormatSequenceNumber(std::size_t n, std::optional<std::size_t> width = std::nullopt) const;

  bool correctdate(const std::string& dateText) const;

  // Writes the source folder text; a text different from the current one starts a scan, the
  // same text is no change. Every front end sets the source folder this way.
  void SetSourceFolder(const std::string& text);

  // The scan of the source folder: rebuilds the file list and reports it in the status area,
  // `Label5`, `Label6` and the range of `bar`; keeps what it could not examine. The handler of
  // every change of `dir`. While it walks it lets the window handle its messages, user input
  // included, every 50 ms or so; when these start a newer scan or ask the window to close, it
  // stops there and changes nothing.
  void dirChange();

  // The choices of the runs from now on.
  void SetRunChoices(const TRunChoices& choices) { choices_ = choices; }

  const TFileList& FileList() const { return *fileList_; }
  // What the last scan could not examine, once each, in walk order.
  const TScanRecords& ScanRecords() const { return *scanRecords_; }

  // The click on "Dateien kopieren": checks the patterns and folders, creates a missing target
  // folder, scans again and runs the copy run that the patterns and `cb2` choose, with the busy
  // cursor; cursor and `bar` are restored on every road out. An error that stops the run
  // (ERunError) passes on to the caller's error handler once the run reported what it met before. A click while a run is in progress is
  // ignored. Its scan takes no user input while it walks and always completes; between pictures
  // the run lets the window repaint and answer the desktop every 100 ms or so. Answers what the
  // run did, or nothing when no run took place.
  std::optional<TRunSummary> Button1Click();

  // The settings steps of the window's creation: on the first start (no settings folder and no
  // file) the folder and the default file are made; then every stored choice is applied in
  // order (the language first, so that the scan the source folder starts speaks it) and the
  // preview is refreshed. Without an application-data folder the missing-key values apply.
  void LoadSettings(const TEnvironment& environment);

  // Stores all seven choices with one replacement of the file. A key the file cannot hold keeps
  // its old value while the others are stored; a failed write changes nothing on disk. Errors are
  // answered, not thrown, so the window can close anyway.
  std::error_code SaveSettings(const TEnvironment& environment);

 private:
  // What one run works on, fixed when it starts, so that messages handled during the run (a
  // keystroke, a second scan) cannot change it half way.
  struct TRun {
    std::string filePattern;
    std::string folderPattern;
    TRunChoices choices;
    std::string target;
    std::unique_ptr<TTargetFolder> targetFolder;  // null when the target cannot be opened
    std::error_code targetError;                  // why not
    std::shared_ptr<const TFileList> files;
    TScanRecords records;  // the scan's, and the files whose header does not fit their kind
    std::shared_ptr<const TFileList> others;
    std::size_t numberWidth = 0;  // the digits of the count of files, as `Label5` shows it
    TRunSummary summary;
    std::string failedList;  // " path," for each picture not copied
    std::string noDateList;  // " path," for each picture without a valid date
    std::optional<TMessagePace> pace;  // lets the window's messages through between pictures
    bool undatedFolderMade = false;     // the folder of the pictures without a usable date is there
  };

  // Who started a scan: a change of the source field, or a run, which needs the whole list.
  enum class TScanKind { SourceField, Run };
  // The file list, the records and the other files of one scan: the files of the source of no type
  // the run takes, in walk order, found by the first walk with the same choice of subfolders,
  // hidden ones left out.
  struct TScan {
    std::shared_ptr<const TFileList> files;
    std::shared_ptr<const TScanRecords> records;
    std::shared_ptr<const TFileList> others;
  };
  // What a scan's walks learn of one folder: its identity, or why it has none, and its entries.
  struct TFolderListing {
    std::optional<TFileIdentity> identity;
    std::error_code why;
    std::vector<TFolderEntry> entries;
    std::vector<TUnreadableEntry> unreadable;
  };
  // The state of one walk of GetFilesInDirectory.
  struct TWalk {
    std::set<TFileIdentity> entered;
    std::optional<TFileIdentity> skipped;  // the target folder, never entered below the source
    const std::vector<std::string>* masks = nullptr;  // the masks of all walks of the scan
    // Every folder the scan asked, by its path; none where each walk asks anew.
    std::map<std::string, TFolderListing>* listings = nullptr;
    TScanRecords* records = nullptr;
    std::set<std::string>* recorded = nullptr;
    TFileList* others = nullptr;  // where one walk of a scan collects the other files
    // A scan's walk lets messages through; a scan of the source field stops for good when they
    // started a newer scan than `scanNumber` or asked the window to close.
    TMessagePace* pace = nullptr;
    unsigned scanNumber = 0;
    bool mayStop = false;
    bool stopped = false;
  };

  // Lets every waiting message through once as the copying begins; from then on only what keeps the
  // window alive, between pictures.
  void BeginCopying(TRun& run);
  void CopyFiles(TRun& run, bool byTime);
  void CopyFolderFiles(TRun& run);
  void CreateDateFolders(TRun& run);
  // Makes the date folder of `levels`, outermost first, each level below the one before.
  void MakeDateFolder(TRun& run, const std::vector<std::string>& levels);
  void CopyIntoDateFolders(TRun& run);
  // The date a run names a file by: the date its content holds, or where that is no valid date and
  // the run chose so, the file's last-write time (`byFileTime`); the empty text when neither is
  // valid, and when the file's header does not fit its kind (`unfit` says why).
  struct TRunDate {
    std::string text;
    bool byFileTime = false;
    std::string unfit;
  };
  TRunDate RunDate(const TRun& run, const std::string& path) const;
  // The file's run date. A file that does not fit its kind is listed as not examined; one without a
  // usable date is listed unless the run copies such pictures into a folder of their own.
  TRunDate UsableDate(TRun& run, const std::string& path) const;
  // Lists a file whose header does not fit its kind as not examined; answers whether it did.
  bool ListUnfit(TRun& run, const std::string& path, const TRunDate& date) const;
  // Copies a picture without a usable date, its kind fitting, into the run's folder for them, under
  // its own name.
  void CopyUndated(TRun& run, const std::string& path, const TRunDate& date);
  // Lists and counts a picture without a valid date; answers whether the host kept its account.
  bool ListUndated(TRun& run, const std::string& path) const;
  // Copies one picture to the target folder (or its date folder) under `name` + `extension`, made
  // from the date text `date` (empty where the run reads none), and counts it as copied or failed.
  // A copy made all the same is accounted with `note` as its reason (DatedByFileTime, NoUsableDate).
  void CopyPicture(TRun& run, const std::string& source, const std::string& date,
                   const std::optional<std::string>& folderName, const std::string& name,
                   std::string_view extension, TPictureReason note = TPictureReason::None);
  // Copies `source` to `name` + `extension` in `folder`, and where that name is taken does what the
  // run's clash choice says; `account` receives the name and, for a file already there, its outcome.
  std::error_code CopyOrFindCopy(TRun& run, const std::string& source, const std::string& folder,
                                 const std::string& name, std::string_view extension, TPictureAccount& account);
  // Writes the copies to the medium, reports the run, lists what its scan could not examine and the
  // other files it found, and then raises the `stop` of a run that stopped, or ERunError when the copies could not be written
  // to the medium.
  void Finish(TRun& run, const std::exception_ptr& stop);
  void Report(TRun& run, bool flushed, const std::error_code& flushError);
  void ShowBox(TMessageKind kind, const std::string& text);
  // The scan of dirChange and of a run. A scan puts its list and records in force and shows them
  // unless a newer scan has started meanwhile. Answers them, and a run works on them even when a
  // newer scan has put others in force; answers nothing when a scan of the source field stopped.
  // A run's scan lets no user input through while it walks and always completes.
  std::optional<TScan> Scan(TScanKind kind);
  // The walks of a scan, one per mask of the run's types ("*.jpg" and "*.jpeg" for JPEG pictures,
  // then one per further extension); nothing when the scan stopped.
  std::optional<TScan> WalkSourceFolder(TScanKind kind, unsigned number);
  void ShowScanResult(const TFileList& files);
  // Appends the path of every file below `folder` whose name matches `mask`, depth first: a
  // folder's own files, then each subfolder that is not hidden, in name order. A folder reached
  // again through a link is not entered twice. `walk` keeps what the walk entered, met and
  // collected on the way, and whether it stopped.
  void GetFilesInDirectory(std::string folder, const std::string& mask, bool includeSubfolders, TFileList& list,
                           TWalk& walk) const;
  void Record(TWalk& walk, const std::string& path, const TUnreadableEntry& entry) const;
  // Called before each folder of a walk: lets messages through when it is time. Answers whether
  // the walk goes on.
  bool GoOn(TWalk& walk) const;
  // The error that stops a run at a folder it cannot make.
  ERunError CannotCreateFolder(const std::string& folder, const std::string& reason) const;
  void ShowError(const std::string& text);
  // Whether the system takes the name that a pattern makes for the sample date, `extension` added;
  // shows why not when it refuses it.
  bool CheckSampleName(const std::string& name, std::string_view extension);
  // The texts of two keys on two lines.
  std::string TwoLines(const std::string& firstKey, const std::string& secondKey) const;

  TEngineHost& host_;
  TFileSystem& fileSystem_;
  const TClock& clock_;
  std::shared_ptr<const TFileList> fileList_ = std::make_shared<TFileList>();
  std::shared_ptr<const TScanRecords> scanRecords_ = std::make_shared<TScanRecords>();
  TRunChoices choices_;
  unsigned scanCount_ = 0;  // the scans started so far; a scan's number is the count at its start
  bool running_ = false;
};

}  // namespace kalvero
