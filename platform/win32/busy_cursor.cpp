#include "platform/win32/busy_cursor.h"

#include <windows.h>

namespace kalvero {
namespace {

bool busyCursorShown = false;

}  // namespace

void ShowBusyCursor(bool busy) {
  busyCursorShown = busy;
  if (busy) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return;
  }
  // The window under the pointer sets its own cursor again.
  POINT pointer;
  if (GetCursorPos(&pointer)) SetCursorPos(pointer.x, pointer.y);
}

bool BusyCursorShown() { return busyCursorShown; }

}  // namespace kalvero
