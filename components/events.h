#pragma once

// Event handlers of the component model. A handler slot is a plain function object that can be
// read and assigned, so one control's handler can be run for another ("the handler of Edit1's
// change, with the main window as sender"). Every handler is run through Fire, which hands an
// exception to the application's one error handler: none ever unwinds through the frames of the
// user-interface toolkit that delivered the event.

#include <functional>
#include <string>
#include <utility>

#include "components/colors.h"

namespace kalvero {

class TComponent;
class TControl;

// A handler that is only told what happened, and by whom.
using TNotifyEvent = std::function<void(TComponent& sender)>;
// A typed character, as a Unicode code point; the handler may change it, to U'\0' to drop it.
using TKeyPressEvent = std::function<void(TComponent& sender, char32_t& key)>;
// The mouse pointer over a control, in the control's coordinates.
using TMouseMoveEvent = std::function<void(TComponent& sender, int x, int y)>;

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// What the application knows of a hint about to be shown; the show-hint handlers may change it.
struct THintInfo {
  TControl* hintControl = nullptr;  // the control under the pointer
  TPoint cursorPos;                 // the pointer, in screen coordinates
  TPoint hintPos;                   // where the hint window's top left corner goes
  int hintMaxWidth = 0;             // the widest the hint may be, in pixels
  TColor hintColor = 0;             // the hint's background colour
};

// Before a hint is shown: its text and whether it may show, both changeable.
using TShowHintEvent = std::function<void(std::string& hint, bool& canShow, THintInfo& info)>;
// Before a folder edit box opens its browser: the folder it starts in, changeable.
using TDirectoryDialogEvent = std::function<void(TComponent& sender, std::string& folder)>;

// Hands the exception being handled to the error handler of the application that `component`
// belongs to; without an application in its tree, it passes on.
void HandleEventException(const TComponent& component);

// Runs `handler` with `arguments` when it is set; see HandleEventException.
template <class... Parameters, class... Arguments>
void Fire(const TComponent& component, const std::function<void(Parameters...)>& handler, Arguments&&... arguments) {
  if (!handler) return;
  try {
    handler(std::forward<Arguments>(arguments)...);
  } catch (...) {
    HandleEventException(component);
  }
}

}  // namespace kalvero
