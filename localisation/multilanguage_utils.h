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

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "components/component.h"
#include "components/string_list.h"

namespace kalvero {

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

// The object reached from `root` by a dotted path. First the component stage: while the path is
// not empty, its first part (up to the first ".") is looked up among the components owned by the
// current component; a part found is taken off the path, a part not found ends this stage. What is
// left of the path is then followed through object properties (ResolvePropertyPath): "StatusBar1.
// Panels[1]" is the second panel of StatusBar1. The empty path is the root itself. Null when a
// part names neither a component nor an object property; ERangeError for an index outside a
// collection.
TPersistent* ResolvePath(TComponent& root, std::string_view path);

// Splits `name` at its last "." into a path and a property name (no "." : the empty path, which
// is `owner` itself), resolves the path from `owner` and sets that property of the target from
// `value`:
// - an integer property takes ParseIntegerValue(value) and is left as it is when that is invalid;
// - an object property holding a string list gets the value's lines (split at CR LF, as the
//   backslash-n escape writes them, or at a lone LF);
// - any other object property is set to the object ResolvePath(owner, value) finds, when that is
//   of the property's class; to nothing when nothing is found; an object of another class leaves
//   it as it is (a font or a collection, which the component keeps, is copied from the object
//   found, and stays as it is when nothing is found);
// - every other kind goes through the generic text service (TPropertyInfo::SetText).
// A path or property that does not exist changes nothing. Throws EComponentError for a value the
// generic service cannot convert and ERangeError for a number outside the property's range or an
// index outside a collection.
void SetPropertyByPath(TComponent& owner, std::string_view name, const std::string& value);

// Applies every entry of `lines`, in order, to the components below `owner`. An error of
// SetPropertyByPath ends the walk: the entries after it are not applied.
void ApplyEntries(TComponent& owner, const TTextLines& lines);

// Reads an integer value of a script, trying in this order: a whole number (components/
// number_text.h: blanks, sign, decimal or "$", "x", "0x" hexadecimal, within 32 bits); the name of
// a cursor, then of a colour, then of a character set (A-Z compared without regard to case);
// "#" followed by hexadecimal digits, read as one number as written (so "#FF0000" is the colour
// red, components/colors.h) that must not exceed 0x7FFFFFFF. nullopt for any other text.
std::optional<std::int32_t> ParseIntegerValue(std::string_view text);

}  // namespace kalvero
