#include "engine/sort_engine.h"
#include "platform/file_names.h"

namespace kalvero {

void TSortEngine::SetSourceFolder(const std::string& text) {
  if (text == host_.DirText()) return;
  host_.SetDirText(text);
  dirChange();
}

void TSortEngine::dirChange() { Scan(); }

std::shared_ptr<const TFileList> TSortEngine::Scan() {
  host_.SetStatusIcon(TStatusIcon::Scanning, TRepaint::Now);
  host_.SetStatusText(host_.GetText("searchingFolders"));

  const std::string folder = host_.DirText();
  const bool includeSubfolders = host_.Cb1Checked();
  TFileList found;
  GetFilesInDirectory(folder, "*.jpg", includeSubfolders, found);
  TFileList jpegs;
  GetFilesInDirectory(folder, "*.jpeg", includeSubfolders, jpegs);
  found.insert(found.end(), jpegs.begin(), jpegs.end());
  auto scanned = std::make_shared<const TFileList>(std::move(found));
  fileList_ = scanned;
  const unsigned scan = ++scanCount_;

  host_.ProcessMessages();

  // A scan started while the messages were handled has put its own list in force and shown it.
  if (scan == scanCount_) ShowScanResult(*scanned);
  host_.SetStatusIcon(TStatusIcon::Idle, TRepaint::Later);
  return scanned;
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

void TSortEngine::GetFilesInDirectory(const std::string& folder, const std::string& mask,
                                      bool includeSubfolders, TFileList& list) const {
  std::set<TFileIdentity> entered;
  CollectFiles(folder, mask, includeSubfolders, list, entered);
}

void TSortEngine::CollectFiles(std::string folder, const std::string& mask, bool includeSubfolders,
                               TFileList& list, std::set<TFileIdentity>& entered) const {
  if (const auto identity = fileSystem_.FolderIdentity(folder); !identity || !entered.insert(*identity).second)
    return;
  if (!folder.empty() && folder.back() != kPathSeparator) folder += kPathSeparator;

  const std::vector<TFolderEntry> entries = fileSystem_.ListFolder(folder);
  for (const TFolderEntry& entry : entries)
    if (entry.kind == TEntryKind::File && MatchesMask(entry.name, mask)) list.push_back(folder + entry.name);
  if (!includeSubfolders) return;
  for (const TFolderEntry& entry : entries)
    if (entry.kind == TEntryKind::Folder && !entry.hidden)
      CollectFiles(folder + entry.name, mask, true, list, entered);
}

}  // namespace kalvero
