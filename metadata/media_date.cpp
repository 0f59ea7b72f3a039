#include "metadata/media_date.h"

#include <algorithm>
#include <array>

#include "platform/ascii_text.h"
#include "platform/file_names.h"

namespace kalvero {
namespace {

constexpr TMediaGroup kRaw = TMediaGroup::Raw;
constexpr TMediaGroup kHeif = TMediaGroup::Heif;
constexpr TMediaGroup kVideo = TMediaGroup::Video;

constexpr std::array<TMediaKind, 19> kMediaKinds = {{
    {".cr2", kRaw, ReadTiffRawDate},   {".nef", kRaw, ReadTiffRawDate},   {".nrw", kRaw, ReadTiffRawDate},
    {".arw", kRaw, ReadTiffRawDate},   {".sr2", kRaw, ReadTiffRawDate},   {".dng", kRaw, ReadTiffRawDate},
    {".orf", kRaw, ReadTiffRawDate},   {".pef", kRaw, ReadTiffRawDate},   {".rw2", kRaw, ReadTiffRawDate},
    {".srw", kRaw, ReadTiffRawDate},   {".raf", kRaw, ReadRafDate},       {".cr3", kRaw, ReadCr3Date},
    {".heic", kHeif, ReadHeifDate},    {".heif", kHeif, ReadHeifDate},    {".avif", kHeif, ReadHeifDate},
    {".mov", kVideo, ReadVideoDate},   {".mp4", kVideo, ReadVideoDate},   {".m4v", kVideo, ReadVideoDate},
    {".3gp", kVideo, ReadVideoDate},
}};

}  // namespace

std::span<const TMediaKind> MediaKinds() { return kMediaKinds; }

const TMediaKind* MediaKindOf(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || std::any_of(path.begin() + static_cast<std::ptrdiff_t>(dot), path.end(), IsPathSeparator))
    return nullptr;
  const std::string extension = AsciiLowerCase(path.substr(dot));
  const auto kind = std::ranges::find(kMediaKinds, extension, &TMediaKind::extension);
  return kind == kMediaKinds.end() ? nullptr : &*kind;
}

}  // namespace kalvero
