#include "ui/directory_edit.h"

#include <filesystem>

#include "components/property_kinds.h"
#include "platform/file_names.h"

namespace kalvero {
namespace {

std::string CurrentFolder() {
  std::error_code error;
  return std::filesystem::current_path(error).string();
}

}  // namespace

TDirectoryEdit::TDirectoryEdit() : glyph_(std::make_unique<TPicture>()) {
  glyph_->OnChange = [this] { ButtonChanged(); };
}

const TPropertyTable& TDirectoryEdit::Properties() const {
  static const TPropertyTable table(
      &TEdit::Properties(),
      {TextProperty("BrowseDialogText", &TDirectoryEdit::BrowseDialogText, &TDirectoryEdit::SetBrowseDialogText),
       BooleanProperty("AllowNewFolder", &TDirectoryEdit::AllowNewFolder, &TDirectoryEdit::SetAllowNewFolder),
       IntegerProperty("ButtonWidth", &TDirectoryEdit::ButtonWidth, &TDirectoryEdit::SetButtonWidth, {0, 1024}),
       ObjectProperty("Glyph", &TDirectoryEdit::Glyph, &TDirectoryEdit::SetGlyph)});
  return table;
}

void TDirectoryEdit::SetGlyph(TPicture* glyph) {
  if (glyph != nullptr) glyph_->Assign(*glyph);
}

void TDirectoryEdit::SetButtonWidth(std::int32_t width) {
  if (width == buttonWidth_) return;
  buttonWidth_ = width;
  ButtonChanged();
}

TRect TDirectoryEdit::ButtonRect() const {
  const int left = ClientAreaWidth() - buttonWidth_;
  return {left, 0, left + buttonWidth_, ClientAreaHeight()};
}

TRect TDirectoryEdit::TextRect() const { return {1, 1, ClientAreaWidth() - buttonWidth_ - 4, ClientAreaHeight() + 1}; }

void TDirectoryEdit::Browse() {
  std::string folder = BrowserSelection(Text(), CurrentFolder());
  Fire(*this, OnShowDirectoryDialog, *this, folder);
  const TFolderBrowserRequest request{browseDialogText_, std::move(folder), allowNewFolder_};
  TFolderBrowserAnswer answer;
  try {
    answer = RunFolderBrowser(request);
  } catch (...) {
    return;
  }
  if (answer.confirmed && answer.path && *answer.path != Text()) SetText(*answer.path);
}

std::string BrowserSelection(const std::string& text, const std::string& currentFolder) {
  if (text.empty()) return currentFolder;
  // The root is a separator alone: without it nothing would be left, so it stays.
  if (text.back() == kPathSeparator && text.size() > 1) return text.substr(0, text.size() - 1);
  return text;
}

TPoint BrowserPosition(TPoint belowBox, int boxHeight, TPoint browserSize, TPoint screenEnd) {
  const int x = screenEnd.x < belowBox.x + browserSize.x ? belowBox.x - browserSize.x : belowBox.x;
  const int y = browserSize.y + belowBox.y < screenEnd.y ? belowBox.y : belowBox.y - browserSize.y - boxHeight;
  return {x, y};
}

}  // namespace kalvero
