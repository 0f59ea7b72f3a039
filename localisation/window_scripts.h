#pragma once

// The language scripts the program's windows hold, compiled into the program from the files in
// localisation/scripts/ (nothing is read at run time).

#include "localisation/multilanguage_utils.h"

namespace kalvero {

// The main window's `lng`: captions, message and status texts, hints.
TTextLines MainWindowScript();
// The main window's older, unnamed script, applied before `lng`.
TTextLines MainWindowOlderScript();
// `Multilanguage1` of the folder-placeholder help window.
TTextLines FolderHelpScript();
// `Multilanguage1` of the file-placeholder help window.
TTextLines FileHelpScript();

}  // namespace kalvero
