#pragma once

// The busy cursor of the whole program: while it is shown, every window of the program answers
// WM_SETCURSOR with the wait cursor instead of its own.

namespace kalvero {

// Shows the wait cursor at once, or gives the windows their own cursors back.
void ShowBusyCursor(bool busy);
bool BusyCursorShown();

}  // namespace kalvero
