#pragma once

// The folder edit box over Win32: an EDIT window with the browse button as a child window at its
// right end, where the text never runs, and the shell's folder browser. F4 in the box browses, and
// so does the left button released after it was pressed on the browse button; after a browse by
// the mouse the focus is in the box.

#include <windows.h>

#include <functional>

#include "components/win32/win32_edit.h"
#include "components/win32/win32_pictures.h"
#include "ui/directory_edit.h"

namespace kalvero {

class TWin32DirectoryEdit;

// The browse button: a window of our own class inside the box that never takes the focus, shows
// the glyph with its alpha and looks pressed while the left button holds it over the button.
class TWin32BrowseButton final : public TWin32Window {
 public:
  explicit TWin32BrowseButton(TWin32DirectoryEdit& box);
  ~TWin32BrowseButton() override = default;

  // Loads the glyph of the box.
  void TakeGlyph();
  void Paint(HDC dc) override;
  bool Pressed() const { return pressed_; }

 protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  TWin32DirectoryEdit& box_;
  TWin32Picture glyph_;
  bool held_ = false;     // the left button went down on the button and is not released yet
  bool pressed_ = false;  // held, with the pointer over the button
};

// Runs a folder browser for the box whose window is `box`, which it is modal to.
using TWin32FolderBrowser = std::function<TFolderBrowserAnswer(HWND box, const TFolderBrowserRequest& request)>;

// The shell's folder browser: new style, file-system folders only, the new-folder button as the
// request allows, owned by the box's top-level window, opening on request.selection and placed
// beside the box on the box's monitor (BrowserPosition).
TFolderBrowserAnswer RunShellFolderBrowser(HWND box, const TFolderBrowserRequest& request);

class TWin32DirectoryEdit final : public TWin32EditControl<TDirectoryEdit> {
 public:
  TWin32DirectoryEdit();

  void SetWidth(std::int32_t width) override;
  void SetHeight(std::int32_t height) override;
  // The browser that Browse runs; the shell's unless replaced.
  void SetFolderBrowser(TWin32FolderBrowser browser) { browser_ = std::move(browser); }
  const TWin32BrowseButton& Button() const { return button_; }

  // Browses for the mouse, then moves the focus into the box.
  void BrowseFromButton();

 protected:
  // Shows the glyph and places the button and the text area.
  void ButtonChanged() override;
  // The system's edit box forgets its margins with a new font.
  void FontChanged() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  TFolderBrowserAnswer RunFolderBrowser(const TFolderBrowserRequest& request) override;

 private:
  // Places the button at ButtonRect and ends the text where TextRect does.
  void PlaceButton();

  TWin32BrowseButton button_;
  TWin32FolderBrowser browser_ = RunShellFolderBrowser;
};

}  // namespace kalvero
