#pragma once

// The folder edit box: a one-line edit box for a folder path with a small browse button at its
// right end that opens the folder browser, on a click of the button or on F4. Choosing a folder
// other than the one shown writes it as the text, which fires OnChange; the same folder, Cancel,
// or an item that has no path in the file system change nothing.

#include <optional>
#include <string>

#include "components/controls.h"

namespace kalvero {

// What the folder browser is asked to do, and what it answered.
struct TFolderBrowserRequest {
  std::string title;
  std::string selection;  // the folder it opens on, selected
  bool allowNewFolder = true;
};
struct TFolderBrowserAnswer {
  bool confirmed = false;
  // The chosen folder's path; none for an item without a path in the file system.
  std::optional<std::string> path;
};

class TDirectoryEdit : public TEdit {
 public:
  TDirectoryEdit();

  // Adds BrowseDialogText, AllowNewFolder, ButtonWidth and Glyph.
  const TPropertyTable& Properties() const override;

  std::string BrowseDialogText() const { return browseDialogText_; }
  void SetBrowseDialogText(std::string text) { browseDialogText_ = std::move(text); }
  bool AllowNewFolder() const { return allowNewFolder_; }
  void SetAllowNewFolder(bool allow) { allowNewFolder_ = allow; }
  std::int32_t ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(std::int32_t width);
  TPicture& Glyph() const { return *glyph_; }
  void SetGlyph(TPicture* glyph);

  // The box's sunken border, in pixels on each side; the client area lies inside it.
  static constexpr int kBorder = 2;
  std::int32_t ClientAreaWidth() const override { return Width() - 2 * kBorder; }
  std::int32_t ClientAreaHeight() const override { return Height() - 2 * kBorder; }
  // The browse button, in client coordinates: at the client area's right end, ButtonWidth wide,
  // as high as the client area (for a box of 289 x 21: left 267, 18 x 17).
  TRect ButtonRect() const;
  // Where the text goes, in client coordinates, so that it never runs under the button.
  TRect TextRect() const;

  // Opens the folder browser and takes its answer (see the file comment). An exception while it
  // runs counts as Cancel.
  void Browse();

  // The folder the browser opens on, BrowserSelection of the text; the handler may change it, and
  // the browser opens on what it leaves.
  TDirectoryDialogEvent OnShowDirectoryDialog;

 protected:
  // Called after the glyph or the button's width changed.
  virtual void ButtonChanged() {}
  // Runs the platform's folder browser, which opens on request.selection.
  virtual TFolderBrowserAnswer RunFolderBrowser(const TFolderBrowserRequest& request) = 0;

 private:
  std::string browseDialogText_ = "Select Directory";
  bool allowNewFolder_ = true;
  std::int32_t buttonWidth_ = 18;
  std::unique_ptr<TPicture> glyph_;
};

// The folder the browser selects for a box's text: the text with one trailing separator removed
// (the root, a separator alone, stays the root), or the current folder when the text is empty.
std::string BrowserSelection(const std::string& text, const std::string& currentFolder);

// The top left corner of the browser of `browserSize` for a box whose bottom left corner is at
// `belowBox` on a screen whose right and bottom edges are at `screenEnd`, all in the desktop's
// coordinates: below the box, or to its left when it would reach past the screen's right edge, or
// above it when it would reach the bottom edge or beyond.
TPoint BrowserPosition(TPoint belowBox, int boxHeight, TPoint browserSize, TPoint screenEnd);

}  // namespace kalvero
