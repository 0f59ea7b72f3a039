#pragma once

// The photo sorting engine: the operations of the main window that check the patterns, preview
// names and (in later files) scan, copy and remember settings. It reaches the window only
// through its host.

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "engine/engine_host.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace kalvero {

// The full paths of the pictures found by the last scan, in scan order.
using TFileList = std::vector<std::string>;

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

  // The text that replaces FFF for picture n, as wide as the count of files found.
  std::string FormatSequenceNumber(std::size_t n) const;

  bool correctdate(const std::string& dateText) const;

  // Writes the source folder text; a text different from the current one starts a scan, the
  // same text is no change. Every front end sets the source folder this way.
  void SetSourceFolder(const std::string& text);

  // The scan of the source folder: rebuilds the file list and reports it in the status area,
  // `Label5`, `Label6` and the range of `bar`. The handler of every change of `dir`.
  void dirChange();

  // Appends the path of every file below `folder` whose name matches `mask`, depth first: a
  // folder's own files, then each subfolder that is not hidden, in name order. A folder reached
  // again through a link is not entered twice.
  void GetFilesInDirectory(const std::string& folder, const std::string& mask, bool includeSubfolders,
                           TFileList& list) const;

  const TFileList& FileList() const { return fileList_; }

 private:
  void CollectFiles(std::string folder, const std::string& mask, bool includeSubfolders, TFileList& list,
                    std::set<TFileIdentity>& entered) const;
  void ShowError(const std::string& text);
  // The texts of two keys on two lines.
  std::string TwoLines(const std::string& firstKey, const std::string& secondKey) const;

  TEngineHost& host_;
  TFileSystem& fileSystem_;
  const TClock& clock_;
  TFileList fileList_;
};

}  // namespace kalvero
