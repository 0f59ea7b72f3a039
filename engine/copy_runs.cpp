#include "engine/error_text.h"
#include "engine/exif_date.h"
#include "engine/name_patterns.h"
#include "engine/sort_engine.h"
#include "platform/file_names.h"
#include "platform/folder_chain.h"

namespace kalvero {
namespace {

// Sets a flag for the life of the object.
class TFlagSetter {
 public:
  explicit TFlagSetter(bool& flag) : flag_(flag) { flag_ = true; }
  TFlagSetter(const TFlagSetter&) = delete;
  TFlagSetter& operator=(const TFlagSetter&) = delete;
  ~TFlagSetter() { flag_ = false; }

 private:
  bool& flag_;
};

// The busy cursor for the life of the object; afterwards the default cursor and `bar` at 0.
class TBusyRun {
 public:
  explicit TBusyRun(TEngineHost& host) : host_(host) { host_.SetBusyCursor(true); }
  TBusyRun(const TBusyRun&) = delete;
  TBusyRun& operator=(const TBusyRun&) = delete;
  ~TBusyRun() {
    host_.SetBusyCursor(false);
    host_.SetBarPosition(0);
  }

 private:
  TEngineHost& host_;
};

std::string Append(const std::string& folder, const std::string& name) { return folder + kPathSeparator + name; }

}  // namespace

std::optional<TRunSummary> TSortEngine::Button1Click() {
  if (running_) return std::nullopt;
  const TFlagSetter running(running_);

  TRun run;
  run.filePattern = host_.Edit1Text();
  if (!CheckInput(run.filePattern)) return std::nullopt;
  run.folderPattern = host_.Edit2Text();
  run.target = host_.Dir2Text();
  const bool dateFolders = host_.Cb2Checked();

  if (!fileSystem_.FolderExists(run.target)) {
    ShowBox(TMessageKind::Information, host_.GetText("msgFolderExists1/3") + run.target +
                                           host_.GetText("msgFolderExists2/3") + "\r\n" +
                                           host_.GetText("msgFolderExists3/3"));
    CreateFolderChain(fileSystem_, run.target);
  }

  run.files = Scan();
  run.numberWidth = std::to_string(run.files->size()).size();

  const TBusyRun busy(host_);
  if (dateFolders)
    CopyFolderFiles(run);
  else
    CopyFiles(run, !ContainsToken(run.filePattern, "FFF"));
  return run.summary;
}

void TSortEngine::CopyFiles(TRun& run, bool byTime) {
  host_.ProcessMessages();
  host_.SetStatusIcon(TStatusIcon::Copying, TRepaint::Now);
  host_.SetStatusText(host_.GetText("filesCopy"));

  // A numbered pattern without date tokens needs no metadata at all.
  const bool readsDates = byTime || ContainsToken(run.filePattern, "YYYY") ||
                          ContainsToken(run.filePattern, "DD") || ContainsToken(run.filePattern, "MM");
  for (std::size_t index = 0; index < run.files->size(); ++index) {
    const std::string& path = (*run.files)[index];
    std::string name = run.filePattern;
    if (readsDates) {
      const std::string date = UsableDate(run, path);
      if (date.empty()) continue;
      name = BuildTimesInString(run.filePattern, date);
    }
    if (!byTime) name = ReplaceToken(name, "FFF", kalvero::FormatSequenceNumber(index, run.numberWidth));
    CopyPicture(run, path, std::nullopt, name);
  }
  Report(run);
}

void TSortEngine::CopyFolderFiles(TRun& run) {
  host_.ProcessMessages();
  host_.SetStatusIcon(TStatusIcon::CreatingFolders, TRepaint::Now);
  host_.SetStatusText(host_.GetText("createFolderStruct"));
  CreateDateFolders(run);

  run.summary.copied = 0;
  host_.SetBarPosition(0);
  host_.SetStatusIcon(TStatusIcon::Copying, TRepaint::Now);
  host_.SetStatusText(host_.GetText("filesCopy"));
  CopyIntoDateFolders(run);
  Report(run);
}

void TSortEngine::CreateDateFolders(TRun& run) {
  // Most pictures share their date with the one before; a folder seen once is not asked for again.
  std::set<std::string> present;
  for (const std::string& path : *run.files) {
    const std::string date = readdatefromexif(fileSystem_, path);
    if (!correctdate(date)) continue;
    const std::string folderName = BuildFolderName(run.folderPattern, date);
    const std::string folder = Append(run.target, folderName);
    if (!IsSinglePathComponent(folderName))
      throw ERunError("Cannot create the folder \"" + folder + "\": the name is not a single folder name");
    if (!present.contains(folderName) && !fileSystem_.FolderExists(folder)) {
      if (const std::error_code error = fileSystem_.CreateFolder(folder))
        throw ERunError("Cannot create the folder \"" + folder + "\": " + error.message());
    }
    present.insert(folderName);
    host_.AdvanceBar();
  }
}

void TSortEngine::CopyIntoDateFolders(TRun& run) {
  for (const std::string& path : *run.files) {
    const std::string date = UsableDate(run, path);
    if (date.empty()) continue;
    CopyPicture(run, path, BuildFolderName(run.folderPattern, date), BuildTimesInString(run.filePattern, date));
  }
}

std::string TSortEngine::UsableDate(TRun& run, const std::string& path) const {
  std::string date = readdatefromexif(fileSystem_, path);
  if (correctdate(date)) return date;
  run.noDateList += " " + path + ",";
  ++run.summary.undated;
  return {};
}

void TSortEngine::CopyPicture(TRun& run, const std::string& source, const std::optional<std::string>& folderName,
                              const std::string& name) {
  const std::string fileName = name + ".jpg";
  // A name made from a hostile date text must not lead out of the target; such a copy fails.
  const bool safe = IsSinglePathComponent(fileName) && (!folderName || IsSinglePathComponent(*folderName));
  const std::string folder = folderName ? Append(run.target, *folderName) : run.target;
  const bool copied = safe && !fileSystem_.CopyToNewFile(source, Append(folder, fileName));
  host_.AdvanceBar();
  if (!copied) {
    run.failedList += " " + source + ",";
    ++run.summary.failed;
    return;
  }
  host_.SetLabel6Caption(std::to_string(++run.summary.copied), TRepaint::Now);
}

void TSortEngine::Report(TRun& run) {
  host_.SetStatusIcon(TStatusIcon::Idle, TRepaint::Now);
  if (run.failedList.empty()) {
    host_.SetStatusText(std::to_string(run.summary.copied) + host_.GetText("filesCopied"));
  } else {
    run.failedList.pop_back();
    ShowBox(TMessageKind::Error, host_.GetText("msgCannotCopy") + run.failedList);
  }
  if (!run.noDateList.empty()) {
    run.noDateList.pop_back();
    ShowBox(TMessageKind::Warning, host_.GetText("msgNoExif") + run.noDateList);
  }
}

}  // namespace kalvero
