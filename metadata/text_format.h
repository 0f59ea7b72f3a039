#pragma once

// A small formatter for the display patterns of the tag catalogue and the value decoders, in the
// C locale whatever the user's locale ("F2.8", never "F2,8").
//
// Directives: "%s" (a text), "%d" (an integer), "%f" with optional width and precision
// ("%5.2f", "%0.1f"; the precision defaults to 6), and "%%". A field narrower than its width is
// padded with blanks on the left. Each directive takes the next argument; a directive that has no
// argument left, whose argument is of another kind, or that is not one of these, is copied as it
// stands. Nothing in a pattern or an argument can make it read or write outside its data.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace kalvero {

using TFormatArgument = std::variant<std::int64_t, double, std::string_view>;

std::string FormatText(std::string_view pattern, std::initializer_list<TFormatArgument> arguments);

// `value` with `precision` digits after the point, in the C locale.
std::string FormatFixed(double value, int precision);

}  // namespace kalvero
