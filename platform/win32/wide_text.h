#pragma once

// Our texts and paths are UTF-8 bytes; Windows' wide API takes UTF-16. The conversion happens at that
// boundary only, and loses nothing: a file name that is no valid UTF-16 (a lone surrogate) travels
// as WTF-8, the surrogate written as the three bytes UTF-8 would give it, and comes back unchanged.

#include <string>
#include <string_view>

namespace kalvero {

// `text` as UTF-16; a byte that begins no valid sequence (UTF-8, or WTF-8's lone surrogates)
// becomes U+FFFD.
std::wstring WideText(std::string_view text);

// `text` as WTF-8: UTF-8, with each lone surrogate in three bytes.
std::string NarrowText(std::wstring_view text);

}  // namespace kalvero
