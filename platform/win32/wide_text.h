#pragma once

// Our texts are UTF-8; Windows' wide API takes UTF-16. The conversion happens at that boundary only.

#include <string>
#include <string_view>

namespace kalvero {

// `text` as UTF-16; bytes that are no UTF-8 become U+FFFD.
std::wstring WideText(std::string_view text);

}  // namespace kalvero
