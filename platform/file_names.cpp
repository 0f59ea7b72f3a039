#include "platform/file_names.h"

#include "platform/ascii_text.h"

namespace kalvero {

int CompareNames(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(AsciiUpper(a[i]));
    const auto y = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int raw = a.compare(b);  // std::char_traits<char>::compare compares as unsigned char
  return raw < 0 ? -1 : (raw > 0 ? 1 : 0);
}

bool MatchesMask(std::string_view name, std::string_view mask) {
  if (mask == "*.*") return true;
  // Greedy matching with one remembered star: linear in practice, never exponential.
  std::size_t n = 0, m = 0;
  std::size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() && (mask[m] == '?' || AsciiUpper(mask[m]) == AsciiUpper(name[n]))) {
      ++m;
      ++n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

std::vector<std::string> PathNames(std::string_view path) {
  std::vector<std::string> names;
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (!IsPathSeparator(path[i])) continue;
    names.emplace_back(path.substr(start, i - start));
    start = i + 1;
  }
  names.emplace_back(path.substr(start));
  return names;
}

std::pair<std::string_view, std::string_view> SplitLastName(std::string_view path) {
  std::size_t last = path.size();
  while (last > 0 && !IsPathSeparator(path[last - 1])) --last;
  if (last == 0) return {{}, path};
  return {path.substr(0, last - 1), path.substr(last)};
}

bool IsSinglePathComponent(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsPathSeparator(c) || byte < 32 || byte == 127) return false;
  }
  return true;
}

std::string_view WithoutTrailingSeparators(std::string_view path) {
  while (path.size() > 1 && IsPathSeparator(path.back())) path.remove_suffix(1);
  return path;
}

std::string_view ParentFolder(std::string_view path) {
  path = WithoutTrailingSeparators(path);
  std::size_t end = path.size();  // just after the last separator
  while (end > 0 && !IsPathSeparator(path[end - 1])) --end;
  if (end == 0) return {};
  return WithoutTrailingSeparators(path.substr(0, end));
}

}  // namespace kalvero
