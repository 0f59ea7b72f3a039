#pragma once

// The program's own texts that a user reads while it runs, beyond those of the windows' scripts
// (the flush after a copy run, folders a run cannot make, entries a scan could not examine). They
// live in a script of the same format and languages, compiled into the program.

#include <string>
#include <string_view>

#include "components/string_list.h"

namespace kalvero {

TTextLines ProgramScript();

// The text of `key` in `language` (A-Z folded as for window scripts); empty when there is none.
std::string ProgramText(std::string_view language, std::string_view key);

}  // namespace kalvero
