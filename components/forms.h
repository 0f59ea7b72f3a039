#pragma once

// The model of a window: a control that owns every component of the window in one flat list and
// publishes its caption, client size, border, position and the control that holds its focus.
// Windows are built from their descriptions by BuildWindow (components/window_builder.h), which
// calls DoCreate last.

#include <cstdint>
#include <vector>

#include "components/controls.h"

namespace kalvero {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TEnumSet<TBorderIcon>;
// Where a window appears when it is first shown.
enum class TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};

class TForm : public TControl {
 public:
  TForm();

  // Adds Caption, ClientWidth, ClientHeight, BorderStyle, BorderIcons, Position and ActiveControl.
  // Left, Top, Width and Height are the outer frame's, window decoration included.
  const TPropertyTable& Properties() const override;

  std::int32_t ClientWidth() const { return clientWidth_; }
  virtual void SetClientWidth(std::int32_t width);
  std::int32_t ClientHeight() const { return clientHeight_; }
  virtual void SetClientHeight(std::int32_t height);
  std::int32_t ClientAreaWidth() const override { return clientWidth_; }
  std::int32_t ClientAreaHeight() const override { return clientHeight_; }

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  virtual void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
  TBorderIcons BorderIcons() const { return borderIcons_; }
  virtual void SetBorderIcons(TBorderIcons icons) { borderIcons_ = icons; }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }

  // Makes the window visible and brings it to the front; the first showing places it as Position
  // says, every later one keeps the place it had.
  void Show();
  void Hide() { SetVisible(false); }
  virtual void BringToFront() {}
  // Asks CloseQuery; when it agrees, runs OnClose, then the application's main window ends the
  // program and any other window hides.
  void Close();
  // Whether the window may close now; a window class may refuse (and close later itself).
  virtual bool CloseQuery() { return true; }
  bool Shown() const { return shown_; }

  // The control that has, or last had, the keyboard focus in this window; null for none yet.
  TControl* ActiveControl() const { return activeControl_; }
  // Gives the focus to `control` (null: only forgets the active control).
  void SetActiveControl(TControl* control);
  // The keyboard focus landed on `control` of this window. When it comes from another control of
  // the window, that one's OnExit runs. Focus that leaves the window (another window, a message
  // box, the window deactivated) changes nothing, so coming back fires nothing either.
  void FocusMovedTo(TControl& control);

  // The controls that Tab visits, in order: depth first through the window's controls, each
  // parent's children by TabOrder, only those that can take the focus and stop for Tab.
  std::vector<TControl*> TabChain() const;

  // Draws the window and every control in it now.
  virtual void RepaintAll() {}
  // The window's messages: `changed` runs whenever the keyboard cues of the window (underlined
  // access keys, focus rectangles) change, where the desktop reports it; elsewhere never.
  virtual void WatchKeyboardCues(std::function<void()> /*changed*/) {}

  // The window's create handler: runs once, after the window was built and every component of it
  // got its Loaded call. Runs OnCreate unless a window class overrides it.
  virtual void DoCreate() { Fire(*this, OnCreate, *this); }

  TNotifyEvent OnCreate;
  TNotifyEvent OnClose;

 protected:
  // Places the window for its first showing; the Qt-backed window knows the screen.
  virtual void PlaceForFirstShowing() {}
  void Notification(TComponent& destroyed) override;

 private:
  std::int32_t clientWidth_ = 0;
  std::int32_t clientHeight_ = 0;
  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TBorderIcons borderIcons_{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
  TPosition position_ = TPosition::poDesigned;
  TControl* activeControl_ = nullptr;
  bool shown_ = false;
};

// The top left corner of a window of `size` centred over `over` (each division rounded toward
// zero); a negative coordinate becomes 0.
TPoint CentredOver(const TRect& over, TPoint size);

}  // namespace kalvero
