#pragma once

// How the program's message loops handle messages: the one loop of the application, and the
// passes that a long run makes to keep its windows answering.

#include <windows.h>

namespace kalvero {

// Handles one message: the keyboard navigation of the top-level window it is for comes first (Tab,
// Shift+Tab, arrows, Enter, Escape, access keys), as in a dialog box, then translation and dispatch.
void DispatchProgramMessage(MSG& message);

// Whether a message is the user's input to a window's client area: keys and the mouse over the
// controls. The title bar's clicks, the close box and Alt+F4 are not: they ask to close or move.
bool IsClientInput(const MSG& message);

// Handles every message waiting for this thread. Without user input, client input is dropped
// unread, so no click or key reaches a control while a run works, and everything else is handled:
// paints, timers, sent messages and the requests to close. Answers false when it met WM_QUIT,
// which it posts again for the loop that waits for it.
bool PumpWaitingMessages(bool userInput);

}  // namespace kalvero
