#pragma once

// Descriptions of the main window and the folder-placeholder help window as the language scripts
// see them: the controls the scripts name, their German design texts, and the language
// components in the windows' component order, holding the real scripts.

#include "components/window_builder.h"

namespace kalvero {

// Form1: the controls, then the older unnamed script, the unnamed synchroniser, lng and lngsync,
// all four with the design language "German".
TWindowDescription MainWindowModel();

// Form3: its controls and Multilanguage1, which has no language of its own.
TWindowDescription FolderHelpWindowModel();

// The model classes and the language components.
TClassRegistry ModelClasses();

}  // namespace kalvero
