#pragma once

// The descriptions of the three windows beside the main window: the About window Form2 and the
// two help windows that list the tokens of the folder name pattern (Form3) and of the file name
// pattern (Form4). Each is a single-bordered white window with the close box only, "Tahoma" 8
// points, hidden until the main window shows it, centred over the main window on its first
// showing. Their classes (ui/secondary_window_classes.h) wire the handlers once a window is built.

#include <string_view>

#include "components/window_builder.h"

namespace kalvero {

// The maker's web page, opened by a click on the About window's link label.
inline constexpr std::string_view kMakerWebPage = "https://www.example.org/kalvero";

// Form2 of class TForm2: the logo, the title, the maker's link label and the OK button in one
// group box. It has no language script, so its German texts never change.
TWindowDescription AboutWindowDescription();

// Form3 of class TForm3: the tokens of the folder name pattern and two examples. Multilanguage1
// holds the window's script and no language of its own, so the window opens in the program's
// language and follows every switch; the tokens and the examples are never translated.
TWindowDescription FolderHelpWindowDescription();

// Form4 of class TForm4: the tokens of the file name pattern and two examples, with a script like
// Form3's that also translates the examples; the tokens are never translated.
TWindowDescription FileHelpWindowDescription();

}  // namespace kalvero
