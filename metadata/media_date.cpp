#include "metadata/media_date.h"

#include <algorithm>
#include <array>

#include "platform/ascii_text.h"
#include "platform/file_names.h"

namespace kalvero {
namespace {

constexpr std::array<TMediaKind, 19> kMediaKinds = {{
    {".cr2", ReadTiffRawDate}, {".nef", ReadTiffRawDate}, {".nrw", ReadTiffRawDate}, {".arw", ReadTiffRawDate},
    {".sr2", ReadTiffRawDate}, {".dng", ReadTiffRawDate}, {".orf", ReadTiffRawDate}, {".pef", ReadTiffRawDate},
    {".rw2", ReadTiffRawDate}, {".srw", ReadTiffRawDate}, {".raf", ReadRafDate},     {".cr3", ReadCr3Date},
    {".heic", ReadHeifDate},   {".heif", ReadHeifDate},   {".avif", ReadHeifDate},   {".mov", ReadVideoDate},
    {".mp4", ReadVideoDate},   {".m4v", ReadVideoDate},   {".3gp", ReadVideoDate},
}};

}  // namespace

const TMediaKind* MediaKindOf(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || std::any_of(path.begin() + static_cast<std::ptrdiff_t>(dot), path.end(), IsPathSeparator))
    return nullptr;
  const std::string extension = AsciiLowerCase(path.substr(dot));
  const auto kind = std::ranges::find(kMediaKinds, extension, &TMediaKind::extension);
  return kind == kMediaKinds.end() ? nullptr : &*kind;
}

}  // namespace kalvero
