#pragma once

// The bytes of an INI file, read and edited in memory as the Windows profile functions read and
// write one key of a file, so that several keys cost one read and one write of the file.
//
// A file is lines ended by LF or CR LF; the last line may have no end, and a UTF-8 byte-order mark
// before the first line is skipped. Blanks are space, tab, CR, vertical tab and form feed. After
// leading blanks, a line is
//   - a section header: '[', the name up to the first ']' (blanks around it removed), anything
//     after the ']' ignored;
//   - a comment: ';' and anything after it;
//   - a key line: a key, '=' and the value (blanks around both removed; the first '=' divides);
//   - or anything else (blank or not), which is kept and never read.
// Section and key names are compared with A-Z and a-z folded together, every other byte as it
// is. Only the first section of a name counts: a later one of the same name is kept as it is
// but never read or written. Lines before the first header belong to no section. Any bytes are
// accepted, of any length; nothing is validated or converted.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kalvero {

class TIniFile {
 public:
  // The reader's buffer: a value comes back with at most kValueBufferSize - 1 bytes.
  static constexpr std::size_t kValueBufferSize = 2048;

  // An empty file.
  TIniFile() = default;
  // The file with these bytes.
  explicit TIniFile(std::string_view content);

  // The value of `key` in `section`: the value of its first key line, without one pair of quotes
  // (double or single, the same at both ends) that encloses it. Without such a key (or section)
  // it is `defaultValue` without its trailing blanks. Either is cut to kValueBufferSize - 1 bytes.
  std::string ReadValue(std::string_view section, std::string_view key, std::string_view defaultValue) const;

  // Sets `key` in `section` to `value`, written as "key=value" with CR LF. The first key line of
  // that key is replaced (keeping the key's letter case as it stands in the file); a missing key
  // is added after the last key line of the section (directly after its header when it has none),
  // so blank and comment lines that lead to the next section stay with it; a missing section is
  // added at the end of the file, its header followed by the key line. A last line without an end
  // gets CR LF before anything is added after it. Every other line stays byte for byte.
  // The value is written as it stands; blanks or quotes around it are dropped when it is read.
  // Refused with invalid_argument, changing nothing, when a name could not be found again or the
  // value would end the line: a line end in any of them, an empty name, a name with blanks around
  // it, ']' in the section name, '=' in the key or a key that begins with ';' or '['.
  std::error_code WriteValue(std::string_view section, std::string_view key, std::string_view value);

  // The bytes of the file, as it was given except for the lines that WriteValue wrote.
  std::string Content() const;

 private:
  struct TLine {
    std::string text;  // without its end
    std::string end;   // "\r\n", "\n", or "" for a last line without an end
  };

  // The index of the header of the first section called `section`, or none.
  std::optional<std::size_t> FindSection(std::string_view section) const;
  // The index of the first key line of `key` in the section whose header is at `header`, or none.
  std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
  // Where a new key of the section whose header is at `header` goes.
  std::size_t InsertionPoint(std::size_t header) const;
  // Inserts a CR LF-ended line before index `at`; the line before it gets an end if it has none.
  void InsertLine(std::size_t at, std::string text);

  bool byteOrderMark_ = false;
  std::vector<TLine> lines_;
};

}  // namespace kalvero
