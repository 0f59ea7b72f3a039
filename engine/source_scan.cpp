#include "engine/sort_engine.h"
#include "platform/file_names.h"

namespace kalvero {

void TSortEngine::SetSourceFolder(const std::string& text) {
  if (text == host_.DirText()) return;
  host_.SetDirText(text);
  dirChange();
}

void TSortEngine::dirChange() {
  host_.SetStatusIcon(TStatusIcon::Scanning, TRepaint::Now);
  host_.SetStatusText(host_.GetText("searchingFolders"));

  // The list is built aside and swapped in, so that nothing sees it half built.
  const std::string folder = host_.DirText();
  const bool includeSubfolders = host_.Cb1Checked();
  TFileList found;
  GetFilesInDirectory(folder, "*.jpg", includeSubfolders, found);
  TFileList jpegs;
  GetFilesInDirectory(folder, "*.jpeg", includeSubfolders, jpegs);
  found.insert(found.end(), jpegs.begin(), jpegs.end());
  fileList_ = std::make_shared<const TFileList>(std::move(found));

  host_.ProcessMessages();

  // A scan started while messages were handled has replaced the list; report the list in force.
  if (!fileList_->empty()) {
    const std::string count = std::to_string(fileList_->size());
    host_.SetBarMax(static_cast<int>(fileList_->size()));
    host_.SetLabel5Caption(count);
    host_.SetLabel6Caption("", TRepaint::Later);
    host_.SetStatusText(count + host_.GetText("filesFound"));
  } else {
    host_.SetStatusText(host_.GetText("notFound"));
    host_.SetLabel5Caption("0");
    host_.SetLabel6Caption("", TRepaint::Later);
  }
  host_.SetStatusIcon(TStatusIcon::Idle, TRepaint::Later);
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
