#include "ui/rich_hint/hint_text.h"

#include <algorithm>
#include <array>

namespace kalvero {
namespace {

struct TEntity {
  std::string_view name;
  std::string_view text;
};

// Every name is longer than its text, so each replacement shortens the text and the repetition
// ends. The characters of the Windows ANSI code page are written here in UTF-8.
constexpr auto kEntities = std::to_array<TEntity>({
    {"&amp;", "&&"},
    {"&quot;", "\""},
    {"&sect;", "\xC2\xA7"},
    {"&permil;", "\xE2\x80\xB0"},
    {"&reg;", "\xC2\xAE"},
    {"&copy;", "\xC2\xA9"},
    {"&para;", "\xC2\xB6"},
    {"&trade;", "\xE2\x84\xA2"},
    {"&euro;", "\xE2\x82\xAC"},
});

// Replacing "until none is left" reaches the same text in whatever order the entities are
// replaced: each name holds its only ampersand in front and its only semicolon at the end, so two
// names never overlap. One pass suffices, then: the output so far never holds a name, and a new
// one can only end with the semicolon just appended (no replacement text ends in one).
std::string ReplaceEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    out.push_back(c);
    if (c != ';') continue;
    for (const TEntity& entity : kEntities) {
      if (!std::string_view(out).ends_with(entity.name)) continue;
      out.resize(out.size() - entity.name.size());
      out.append(entity.text);
      break;
    }
  }
  return out;
}

void UnwrapFirstHashTag(std::string& text) {
  const std::size_t open = text.find("<#");
  if (open == std::string::npos) return;
  text.erase(open, 2);
  const std::size_t close = text.find('>', open);
  if (close != std::string::npos) text.erase(close, 1);
}

std::string BreakAtCarriageReturns(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '\n') continue;
    if (c == '\r')
      out.append("<BR>");
    else
      out.push_back(c);
  }
  return out;
}

}  // namespace

std::string CleanHintText(std::string_view text) {
  std::string out = text.find('&') == std::string_view::npos ? std::string(text) : ReplaceEntities(text);
  UnwrapFirstHashTag(out);
  return BreakAtCarriageReturns(out);
}

std::string HintPieceText(std::string_view piece) {
  static constexpr auto kPieceEntities = std::to_array<TEntity>({
      {"&nbsp;", " "},
      {"&lt;", "<"},
      {"&gt;", ">"},
      {"&&", "&"},
  });
  std::string out;
  out.reserve(piece.size());
  std::size_t i = 0;
  while (i < piece.size()) {
    const std::string_view rest = piece.substr(i);
    const auto entity = std::find_if(kPieceEntities.begin(), kPieceEntities.end(),
                                     [rest](const TEntity& e) { return rest.starts_with(e.name); });
    if (entity == kPieceEntities.end()) {
      out.push_back(piece[i++]);
      continue;
    }
    out.append(entity->text);
    i += entity->name.size();
  }
  return out;
}

}  // namespace kalvero
