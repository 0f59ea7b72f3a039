#include "localisation/window_scripts.h"

#include <string_view>

namespace kalvero {

extern const std::string_view kMainWindowScript;
extern const std::string_view kMainWindowOlderScript;
extern const std::string_view kFolderHelpScript;
extern const std::string_view kFileHelpScript;

TTextLines MainWindowScript() { return SplitLines(kMainWindowScript); }
TTextLines MainWindowOlderScript() { return SplitLines(kMainWindowOlderScript); }
TTextLines FolderHelpScript() { return SplitLines(kFolderHelpScript); }
TTextLines FileHelpScript() { return SplitLines(kFileHelpScript); }

}  // namespace kalvero
