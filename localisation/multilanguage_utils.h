#pragma once

// The language-script format and its application to components.
//
// A script is a list of lines with one section per language:
//
//   [German]
//   Label1.Caption = 'Quellordner:'
//   msgErrorPath = 'Bitte geben Sie einen Quell- und Zielpfad an!'
//
// Every line is first trimmed of the bytes 0 to 32 at both ends; empty lines are skipped, a line
// beginning with ';' is a comment, a line beginning with '[' opens a section named by the text up
// to the first ']' (not trimmed; no ']' names the empty section). Every other line is an entry of
// the nearest section above it; lines above the first header belong to the empty section. Section
// and language names are compared with A-Z folded; headers of the same name form one section.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvero {

class TComponent;

using TTextLines = std::vector<std::string>;

// Splits a text at LF or CR LF into lines; a final line end does not start another line.
TTextLines SplitLines(std::string_view text);

// Fills `destination` with the trimmed entry lines of the language's section, in script order.
void ExtractSection(const TTextLines& script, TTextLines& destination, std::string_view language);

struct TScriptEntry {
  std::string name;
  std::string value;
};

// Reads "name = value": the name is the text before the first '=', the value the text after it,
// both trimmed. A value both beginning and ending with an apostrophe loses those two (a lone
// apostrophe becomes empty); an apostrophe inside stays as it is. Then every backslash-n becomes
// CR LF. A line without '=' is no entry.
std::optional<TScriptEntry> SplitEntry(std::string_view line);

// The component reached from `root` by a dotted path of component names, each looked up among
// the components owned by the one before; the empty path is the root itself. Null when a part
// names no component.
TComponent* ResolvePath(TComponent& root, std::string_view path);

// Splits `name` at its last '.' into a path and a property name, resolves the path from `owner`
// and sets that property of the target from `value`. A path or property that does not exist
// changes nothing.
void SetPropertyByPath(TComponent& owner, std::string_view name, const std::string& value);

// Applies every entry of `lines`, in order, to the components below `owner`.
void ApplyEntries(TComponent& owner, const TTextLines& lines);

}  // namespace kalvero
