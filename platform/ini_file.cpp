#include "platform/ini_file.h"

#include "platform/ascii_text.h"

namespace kalvero {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\v\f";
constexpr std::string_view kLineEnd = "\r\n";

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  const std::size_t last = text.find_last_not_of(kBlanks);
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string_view Unquote(std::string_view value) {
  const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                      (value.front() == '"' || value.front() == '\'');
  return quoted ? value.substr(1, value.size() - 2) : value;
}

std::string Bounded(std::string_view text) {
  return std::string(text.substr(0, TIniFile::kValueBufferSize - 1));
}

enum class TLineKind { Other, Section, Key };

struct TParsedLine {
  TLineKind kind = TLineKind::Other;
  std::string_view name;   // of the section or key, blanks removed
  std::string_view value;  // of a key line, blanks removed
};

TParsedLine ParseLine(std::string_view text) {
  text = TrimBlanks(text);
  if (text.starts_with('[')) {
    const std::size_t close = text.find(']');
    if (close != std::string_view::npos) return {TLineKind::Section, TrimBlanks(text.substr(1, close - 1)), {}};
  }
  const std::size_t equals = text.find('=');
  if (text.starts_with(';') || equals == std::string_view::npos) return {};
  return {TLineKind::Key, TrimBlanks(text.substr(0, equals)), TrimBlanks(text.substr(equals + 1))};
}

bool HasLineEnd(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

bool IsStorableName(std::string_view name) { return !name.empty() && TrimBlanks(name) == name && !HasLineEnd(name); }

bool IsStorable(std::string_view section, std::string_view key, std::string_view value) {
  return IsStorableName(section) && section.find(']') == std::string_view::npos && IsStorableName(key) &&
         key.find('=') == std::string_view::npos && !key.starts_with(';') && !key.starts_with('[') &&
         !HasLineEnd(value);
}

}  // namespace

TIniFile::TIniFile(std::string_view content) {
  if (content.starts_with(kByteOrderMark)) {
    byteOrderMark_ = true;
    content.remove_prefix(kByteOrderMark.size());
  }
  while (!content.empty()) {
    const std::size_t feed = content.find('\n');
    const std::string_view line = content.substr(0, feed);
    const bool crlf = feed != std::string_view::npos && line.ends_with('\r');
    lines_.push_back({std::string(crlf ? line.substr(0, line.size() - 1) : line),
                      feed == std::string_view::npos ? "" : (crlf ? "\r\n" : "\n")});
    content.remove_prefix(feed == std::string_view::npos ? content.size() : feed + 1);
  }
}

std::optional<std::size_t> TIniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const TParsedLine line = ParseLine(lines_[i].text);
    if (line.kind == TLineKind::Section && SameTextAscii(line.name, section)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> TIniFile::FindKey(std::size_t header, std::string_view key) const {
  for (std::size_t i = header + 1; i < lines_.size(); ++i) {
    const TParsedLine line = ParseLine(lines_[i].text);
    if (line.kind == TLineKind::Section) break;
    if (line.kind == TLineKind::Key && SameTextAscii(line.name, key)) return i;
  }
  return std::nullopt;
}

std::size_t TIniFile::InsertionPoint(std::size_t header) const {
  std::size_t after = header;
  for (std::size_t i = header + 1; i < lines_.size(); ++i) {
    const TLineKind kind = ParseLine(lines_[i].text).kind;
    if (kind == TLineKind::Section) break;
    if (kind == TLineKind::Key) after = i;
  }
  return after + 1;
}

void TIniFile::InsertLine(std::size_t at, std::string text) {
  if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = kLineEnd;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), TLine{std::move(text), std::string(kLineEnd)});
}

std::string TIniFile::ReadValue(std::string_view section, std::string_view key, std::string_view defaultValue) const {
  if (const auto header = FindSection(section)) {
    if (const auto line = FindKey(*header, key)) return Bounded(Unquote(ParseLine(lines_[*line].text).value));
  }
  return Bounded(TrimTrailingBlanks(defaultValue));
}

std::error_code TIniFile::WriteValue(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsStorable(section, key, value)) return std::make_error_code(std::errc::invalid_argument);
  const auto header = FindSection(section);
  if (!header) {
    InsertLine(lines_.size(), "[" + std::string(section) + "]");
    InsertLine(lines_.size(), std::string(key) + "=" + std::string(value));
  } else if (const auto line = FindKey(*header, key)) {
    // The key keeps its spelling from the file; the line is written anew.
    lines_[*line] = {std::string(ParseLine(lines_[*line].text).name) + "=" + std::string(value), std::string(kLineEnd)};
  } else {
    InsertLine(InsertionPoint(*header), std::string(key) + "=" + std::string(value));
  }
  return {};
}

std::string TIniFile::Content() const {
  std::string content(byteOrderMark_ ? kByteOrderMark : std::string_view());
  for (const TLine& line : lines_) content.append(line.text).append(line.end);
  return content;
}

}  // namespace kalvero
