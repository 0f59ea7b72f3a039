#include "engine/name_patterns.h"

#include <optional>

#include "platform/file_names.h"

namespace kalvero {

std::string ReplaceToken(std::string_view text, std::string_view token, std::string_view replacement) {
  std::string result;
  std::size_t start = 0;
  for (std::size_t found; (found = text.find(token, start)) != std::string_view::npos;
       start = found + token.size()) {
    result.append(text.substr(start, found - start)).append(replacement);
  }
  return result.append(text.substr(start));
}

bool ContainsToken(std::string_view text, std::string_view token) {
  return text.find(token) != std::string_view::npos;
}

bool ContainsAllTokens(std::string_view text, std::initializer_list<std::string_view> tokens) {
  for (std::string_view token : tokens)
    if (!ContainsToken(text, token)) return false;
  return true;
}

namespace {

// Reads the numbers and separators of a date part from left to right.
class TDateScanner {
 public:
  struct TNumber {
    int value = 0;
    std::size_t digits = 0;
  };

  explicit TDateScanner(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }

  std::optional<TNumber> ReadNumber() {
    TNumber number;
    while (!AtEnd() && IsDigit(text_[pos_]) && number.value < 1000) {
      number.value = number.value * 10 + (text_[pos_++] - '0');
      ++number.digits;
    }
    if (number.digits == 0) return std::nullopt;
    return number;
  }

  bool ReadSeparator() {
    if (AtEnd() || text_[pos_] != ':') return false;
    ++pos_;
    return true;
  }

 private:
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(const TDate& date) {
  return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
         date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

[[noreturn]] void ThrowInvalidDate(std::string_view datePart) {
  throw EConvertError("'" + std::string(datePart) + "' is not a valid date");
}

// Characters `first` to `first + count - 1` of the text, counted from 1; those beyond its end
// are left out.
std::string_view Characters(std::string_view text, std::size_t first, std::size_t count) {
  if (first > text.size()) return {};
  return text.substr(first - 1, count);
}

// The characters before the first blank; a text without a blank has an empty date part.
std::string_view DatePart(std::string_view dateText) {
  const std::size_t blank = dateText.find(' ');
  return blank == std::string_view::npos ? std::string_view() : dateText.substr(0, blank);
}

}  // namespace

TDate formatdate(std::string_view datePart, const TClock& clock) {
  TDateScanner scanner(datePart);
  const auto first = scanner.ReadNumber();
  if (!first || !scanner.ReadSeparator()) ThrowInvalidDate(datePart);
  const auto second = scanner.ReadNumber();
  if (!second) ThrowInvalidDate(datePart);

  TDate date;
  if (scanner.AtEnd()) {
    date = {clock.Now().year, first->value, second->value};
  } else {
    if (!scanner.ReadSeparator()) ThrowInvalidDate(datePart);
    const auto third = scanner.ReadNumber();
    if (!third) ThrowInvalidDate(datePart);
    scanner.ReadSeparator();
    if (!scanner.AtEnd()) ThrowInvalidDate(datePart);
    const int century = clock.Now().year / 100 * 100;
    date = {first->digits <= 2 ? century + first->value : first->value, second->value,
            third->value};
  }
  if (!IsValidDate(date)) ThrowInvalidDate(datePart);
  return date;
}

bool correctdate(std::string_view dateText, const TClock& clock) {
  try {
    formatdate(DatePart(dateText), clock);
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}

std::string BuildTimesInString(std::string_view pattern, std::string_view dateText) {
  std::string name = ReplaceToken(pattern, "YYYY", Characters(dateText, 1, 4));
  name = ReplaceToken(name, "DD", Characters(dateText, 9, 2));
  name = ReplaceToken(name, "MM", Characters(dateText, 6, 2));
  name = ReplaceToken(name, "HH", Characters(dateText, 12, 2));
  name = ReplaceToken(name, "NN", Characters(dateText, 15, 2));
  return ReplaceToken(name, "SS", Characters(dateText, 18, 2));
}

std::string FormatSequenceNumber(std::size_t n, std::size_t width) {
  std::string digits = std::to_string(n);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

std::string BuildFolderName(std::string_view folderPattern, std::string_view dateText) {
  const std::string compactDate = ReplaceToken(DatePart(dateText), ":", "");
  std::string name = ReplaceToken(folderPattern, "YYYY", Characters(compactDate, 1, 4));
  name = ReplaceToken(name, "MM", Characters(compactDate, 5, 2));
  return ReplaceToken(name, "DD", Characters(compactDate, 7, 2));
}

std::vector<std::string> DateFolderLevels(std::string_view folderPattern, std::string_view dateText, bool nested) {
  const std::string name = BuildFolderName(folderPattern, dateText);
  std::vector<std::string> levels;
  for (std::size_t start = 0; start <= name.size();) {
    const std::size_t end = nested ? std::min(name.find('/', start), name.size()) : name.size();
    if (end > start) levels.push_back(name.substr(start, end - start));
    start = end + 1;
  }
  return levels;
}

std::string DateFolderPath(const std::vector<std::string>& levels) {
  std::string path;
  for (const std::string& level : levels) path.append(path.empty() ? "" : std::string(1, kPathSeparator)).append(level);
  return path;
}

std::string NamePreview(std::string_view filePattern, std::string_view folderPattern,
                        bool createDateFolders, std::string_view filesFoundCaption) {
  const std::string number =
      filesFoundCaption.empty() ? "001" : FormatSequenceNumber(1, filesFoundCaption.size());
  const std::string name = ReplaceToken(BuildTimesInString(filePattern, kSampleDateText), "FFF", number) + ".jpg";
  if (!createDateFolders) return name;
  return BuildFolderName(folderPattern, kSampleDateText) + " / " + name;
}

char32_t FilterPatternKey(char32_t key) {
  constexpr std::u32string_view kForbidden = U"\"*/:<>?\\|";
  return kForbidden.find(key) == std::u32string_view::npos ? key : U'\0';
}

}  // namespace kalvero
