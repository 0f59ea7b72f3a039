#include "components/string_list.h"

namespace kalvero {

TTextLines SplitLines(std::string_view text) {
  TTextLines lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

const TPropertyTable& TStringList::Properties() const {
  static const TPropertyTable table;
  return table;
}

void TStringList::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TStringList*>(&source);
  if (other == nullptr) TPersistent::Assign(source);
  else if (other != this) lines_ = other->lines_;
}

std::string TStringList::Text() const {
  std::string text;
  for (const std::string& line : lines_) text += line + "\r\n";
  return text;
}

}  // namespace kalvero
