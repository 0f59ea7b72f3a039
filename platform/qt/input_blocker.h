#pragma once

// Handling a window's waiting messages without its user input, while a request to close a window
// still gets through.

namespace kalvero {

// Lets the event loop handle what is waiting, except the user's input, which is dropped. On X11
// the input is dropped as it arrives from the server, before Qt sees it (no click moves the focus,
// no key reaches a control), and everything else is handled, a window manager's close request
// among them: Qt counts that request as user input, so excluding user input the usual way would
// hold it until the next modal box opens, which then discards it because the box blocks the
// window. Elsewhere the usual exclusion is used.
void ProcessMessagesWithoutInput();

}  // namespace kalvero
