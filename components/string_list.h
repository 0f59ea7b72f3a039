#pragma once

// Lists of text lines: a language script, the content of a string-list property.

#include <string>
#include <string_view>
#include <vector>

#include "components/persistent.h"

namespace kalvero {

using TTextLines = std::vector<std::string>;

// Splits a text at LF or CR LF into lines; a final line end does not start another line.
TTextLines SplitLines(std::string_view text);

// A string list as a sub-object of a component. Writing a string-list property copies the lines
// into the list the component keeps; its text form is the lines, each ended by CR LF.
class TStringList final : public TPersistent {
 public:
  TStringList() = default;
  explicit TStringList(TTextLines lines) : lines_(std::move(lines)) {}

  // A string list publishes no properties of its own.
  const TPropertyTable& Properties() const override;
  // Copies the lines of another string list.
  void Assign(const TPersistent& source) override;

  const TTextLines& Lines() const { return lines_; }
  void SetLines(TTextLines lines) { lines_ = std::move(lines); }

  std::string Text() const;
  // Replaces the lines by those of `text`, split as SplitLines does.
  void SetText(std::string_view text) { lines_ = SplitLines(text); }

 private:
  TTextLines lines_;
};

}  // namespace kalvero
