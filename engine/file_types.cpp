#include "engine/file_types.h"

#include <algorithm>
#include <array>
#include <utility>

#include "metadata/media_date.h"
#include "platform/file_names.h"

namespace kalvero {
namespace {

constexpr std::array<std::pair<TFileType, std::string_view>, 4> kTypeWords = {{
    {TFileType::Jpeg, "jpeg"},
    {TFileType::Raw, "raw"},
    {TFileType::Heic, "heic"},
    {TFileType::Video, "video"},
}};

constexpr std::string_view kJpegExtension = ".jpg";

TFileType TypeOf(TMediaGroup group) {
  switch (group) {
    case TMediaGroup::Raw: return TFileType::Raw;
    case TMediaGroup::Heif: return TFileType::Heic;
    case TMediaGroup::Video: break;
  }
  return TFileType::Video;
}

bool IsJpegName(std::string_view path) { return MatchesMask(path, "*.jpg") || MatchesMask(path, "*.jpeg"); }

}  // namespace

std::string WordsOf(TFileTypes types) {
  std::string words;
  for (const auto& [type, word] : kTypeWords) {
    if (!types.Has(type)) continue;
    if (!words.empty()) words += ',';
    words += word;
  }
  return words;
}

std::optional<TFileTypes> FileTypesOf(std::string_view list) {
  TFileTypes types = TFileTypes::None();
  for (std::size_t start = 0;;) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    const std::string_view word = list.substr(start, comma - start);
    if (word == "all") {
      types = TFileTypes::All();
    } else {
      const auto row = std::ranges::find(kTypeWords, word, &std::pair<TFileType, std::string_view>::second);
      if (row == kTypeWords.end()) return std::nullopt;
      types.Add(row->first);
    }
    if (comma == list.size()) return types;
    start = comma + 1;
  }
}

std::vector<std::string> ScanMasks(TFileTypes types) {
  std::vector<std::string> masks;
  if (types.Has(TFileType::Jpeg)) masks = {"*.jpg", "*.jpeg"};
  for (const TMediaKind& kind : MediaKinds())
    if (types.Has(TypeOf(kind.group))) masks.push_back("*" + std::string(kind.extension));
  return masks;
}

std::optional<TFileType> FileTypeOf(std::string_view path) {
  if (const TMediaKind* kind = MediaKindOf(path)) return TypeOf(kind->group);
  if (IsJpegName(path)) return TFileType::Jpeg;
  return std::nullopt;
}

std::string_view CopyExtension(std::string_view path) {
  const TMediaKind* kind = MediaKindOf(path);
  return kind != nullptr ? kind->extension : kJpegExtension;
}

std::string_view LongestCopyExtension(TFileTypes types) {
  std::string_view longest = kJpegExtension;
  for (const TMediaKind& kind : MediaKinds())
    if (types.Has(TypeOf(kind.group)) && kind.extension.size() > longest.size()) longest = kind.extension;
  return longest;
}

}  // namespace kalvero
