#include <algorithm>

#include "engine/sort_engine.h"
#include "platform/file_names.h"

namespace kalvero {
namespace {

// Whether `name` is one a walk of the scan looks for.
bool NamedLikeTaken(const std::string& name, const std::vector<std::string>& masks) {
  return std::ranges::any_of(masks, [&name](const std::string& mask) { return MatchesMask(name, mask); });
}

// How often a walk lets the window's messages through: often enough that typing stays fluent.
constexpr std::int64_t kScanMessageInterval = 50;  // milliseconds

}  // namespace

void TSortEngine::SetSourceFolder(const std::string& text) {
  if (text == host_.DirText()) return;
  host_.SetDirText(text);
  dirChange();
}

void TSortEngine::dirChange() { Scan(TScanKind::SourceField); }

std::optional<TSortEngine::TScan> TSortEngine::Scan(TScanKind kind) {
  const unsigned number = ++scanCount_;
  host_.SetStatusIcon(TStatusIcon::Scanning, TRepaint::Now);
  host_.SetStatusText(host_.GetText("searchingFolders"));

  const std::optional<TScan> scan = WalkSourceFolder(kind, number);
  if (!scan) return std::nullopt;
  // A run's scan walks on when a newer scan started meanwhile, which then holds the list in force.
  if (number == scanCount_) {
    fileList_ = scan->files;
    scanRecords_ = scan->records;
  }

  host_.ProcessMessages(true);

  // A scan started while the messages were handled has put its own list in force and shown it.
  if (number == scanCount_) ShowScanResult(*scan->files);
  host_.SetStatusIcon(TStatusIcon::Idle, TRepaint::Later);
  return scan;
}

std::optional<TSortEngine::TScan> TSortEngine::WalkSourceFolder(TScanKind kind, unsigned number) {
  const std::string folder = host_.FolderPath(host_.DirText());
  const bool includeSubfolders = host_.Cb1Checked();
  // A target inside the source is left out, so that a run never copies its own output again.
  std::optional<TFileIdentity> target;
  if (const std::string targetFolder = host_.FolderPath(host_.Dir2Text()); !targetFolder.empty())
    target = fileSystem_.FolderIdentity(targetFolder);
  TScanRecords records;
  std::set<std::string> recorded;
  // The user may type on while the source field's scan walks, which can make it pointless; a run
  // takes no user input meanwhile and needs the whole list.
  const bool sourceField = kind == TScanKind::SourceField;
  TMessagePace pace(host_, clock_, kScanMessageInterval, sourceField);
  const std::vector<std::string> masks = ScanMasks(choices_.types);
  std::map<std::string, TFolderListing> listings;
  const auto walk = [&](const std::string& mask, TFileList& list, TFileList* others) {
    TWalk state{{}, target, &masks, masks.size() > 2 ? &listings : nullptr, &records, &recorded, others,
                &pace, number, sourceField};
    GetFilesInDirectory(folder, mask, includeSubfolders, list, state);
    return !state.stopped;
  };
  TFileList found;
  TFileList others;
  // One walk per mask, in order; each file is counted once, since no name matches two masks. The
  // first walk sees every file and collects those that no walk takes.
  for (std::size_t index = 0; index < masks.size(); ++index) {
    TFileList files;
    if (!walk(masks[index], files, index == 0 ? &others : nullptr)) return std::nullopt;
    found.insert(found.end(), files.begin(), files.end());
  }
  return TScan{std::make_shared<const TFileList>(std::move(found)),
               std::make_shared<const TScanRecords>(std::move(records)),
               std::make_shared<const TFileList>(std::move(others))};
}

void TSortEngine::ShowScanResult(const TFileList& files) {
  if (!files.empty()) {
    const std::string count = std::to_string(files.size());
    host_.SetBarMax(static_cast<int>(files.size()));
    host_.SetLabel5Caption(count);
    host_.SetLabel6Caption("", TRepaint::Later);
    host_.SetStatusText(count + host_.GetText("filesFound"));
  } else {
    host_.SetStatusText(host_.GetText("notFound"));
    host_.SetLabel5Caption("0");
    host_.SetLabel6Caption("", TRepaint::Later);
  }
}

void TSortEngine::GetFilesInDirectory(std::string folder, const std::string& mask, bool includeSubfolders,
                                      TFileList& list, TWalk& walk) const {
  if (!GoOn(walk)) return;
  // A scan of further types walks the tree once per extension: there each folder is asked once, and
  // the later walks take its answers from the scan.
  TFolderListing fresh;
  TFolderListing* kept = &fresh;
  bool ask = true;
  if (walk.listings != nullptr) {
    const auto [at, added] = walk.listings->try_emplace(folder);
    kept = &at->second;
    ask = added;
  }
  TFolderListing& listing = *kept;
  if (ask) listing.identity = fileSystem_.FolderIdentity(folder, &listing.why);
  if (!listing.identity) {
    // A source folder that does not exist (yet: the user may be typing it) is no finding.
    if (listing.why != std::errc::no_such_file_or_directory && listing.why != std::errc::not_a_directory)
      Record(walk, folder, {"", listing.why});
    return;
  }
  if (!walk.entered.insert(*listing.identity).second) return;
  if (!folder.empty() && folder.back() != kPathSeparator) folder += kPathSeparator;

  if (ask) listing.entries = fileSystem_.ListFolder(folder, &listing.unreadable);
  const std::vector<TUnreadableEntry>& unreadable = listing.unreadable;
  const std::vector<TFolderEntry>& entries = listing.entries;
  for (const TUnreadableEntry& entry : unreadable) Record(walk, folder, entry);
  for (const TFolderEntry& entry : entries) {
    if (entry.kind != TEntryKind::File) continue;
    if (MatchesMask(entry.name, mask))
      list.push_back(folder + entry.name);
    else if (walk.others != nullptr && !entry.hidden && !NamedLikeTaken(entry.name, *walk.masks))
      walk.others->push_back(folder + entry.name);
  }
  if (!includeSubfolders) return;
  for (const TFolderEntry& entry : entries) {
    if (entry.kind != TEntryKind::Folder || entry.hidden || entry.identity == walk.skipped) continue;
    GetFilesInDirectory(folder + entry.name, mask, true, list, walk);
  }
}

bool TSortEngine::GoOn(TWalk& walk) const {
  if (walk.stopped) return false;
  if (walk.pace == nullptr || !walk.pace->Step() || !walk.mayStop) return true;
  walk.stopped = walk.scanNumber != scanCount_ || host_.Closing();
  return !walk.stopped;
}

void TSortEngine::Record(TWalk& walk, const std::string& path, const TUnreadableEntry& entry) const {
  if (walk.records == nullptr) return;
  // A folder or entry that vanished between listing and examining is no finding; a link that
  // leads nowhere matters only where it stands for a picture.
  if (entry.link ? !NamedLikeTaken(entry.name, *walk.masks) : entry.reason == std::errc::no_such_file_or_directory) return;
  std::string full = path + entry.name;
  if (entry.name.empty()) {
    while (full.size() > 1 && full.back() == kPathSeparator) full.pop_back();
  }
  if (walk.recorded->insert(full).second) walk.records->push_back({full, entry.reason, entry.link, {}});
}

}  // namespace kalvero
