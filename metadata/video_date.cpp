// The date of a video (.mov .mp4 .m4v .3gp): the creation date of the QuickTime metadata (the
// moov box's meta, or the one in moov/udta) as the camera's clock showed it, else the older "©day"
// text of the user data (its own box, or an item of the meta box's list), else the movie header's
// creation time, which is UTC, in the local time zone.

#include <algorithm>
#include <array>

#include "metadata/media_boxes.h"
#include "metadata/media_date.h"
#include "platform/clock.h"

namespace kalvero {
namespace {

using namespace std::string_view_literals;

// The types a movie file may start with.
constexpr std::array kMovieStarts = {"ftyp"sv, "moov"sv, "mdat"sv, "wide"sv, "free"sv, "skip"sv, "pnot"sv};

constexpr std::string_view kCreationDateKey = "com.apple.quicktime.creationdate";
constexpr std::string_view kDayType = "\xA9" "day";
// A date text is a few dozen bytes; a longer value is none.
constexpr std::uint64_t kLongestValue = 256;
constexpr std::uint32_t kUtf8Text = 1;

// Seconds from 1904-01-01 00:00:00 UTC, the movie header's epoch, to 1970-01-01.
constexpr std::uint64_t kUnixEpochIn1904 = 2082844800;
// The last second of the year 9999, the last year that the date text can hold.
constexpr std::uint64_t kLastSecond = 253402300799;

// The index (from 1) of the creation date among the keys of the payload of keys; 0 for none.
//   keys: version(1) flags(3) count(4), then per key: size(4, itself included) namespace(4) name
std::uint64_t CreationDateIndex(std::string_view keys) {
  TByteCursor cursor(keys);
  const std::optional<std::uint64_t> count = cursor.Skip(4) ? cursor.Number(4) : std::nullopt;
  // Every key takes at least 8 bytes, so the end of the payload ends the loop soon.
  for (std::uint64_t index = 1; count && index <= *count; ++index) {
    const std::optional<std::uint64_t> size = cursor.Number(4);
    const std::optional<std::string_view> space = cursor.Take(4);
    if (!size || !space || *size < 8) return 0;
    const std::optional<std::string_view> name = cursor.Take(static_cast<std::size_t>(*size - 8));
    if (!name) return 0;
    if (*space == "mdta" && *name == kCreationDateKey) return index;
  }
  return 0;
}

bool Digits(std::string_view text) {
  return std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

// `value` in decimal, with zeros in front up to `width` digits.
std::string Padded(int value, std::size_t width) {
  const std::string digits = std::to_string(value);
  return std::string(width - std::min(width, digits.size()), '0') + digits;
}

// "2021-07-04T15:30:12+0200" (or with a blank for the T, with fractions or another zone after the
// seconds) as "2021:07:04 15:30:12": the wall-clock time as written, its offset from UTC dropped.
std::string DateOfText(std::string_view text) {
  if (text.size() < 19 || text[4] != '-' || text[7] != '-' || (text[10] != 'T' && text[10] != ' ') ||
      text[13] != ':' || text[16] != ':')
    return {};
  const std::array fields = {text.substr(0, 4),  text.substr(5, 2),  text.substr(8, 2),
                             text.substr(11, 2), text.substr(14, 2), text.substr(17, 2)};
  if (!std::ranges::all_of(fields, Digits)) return {};
  return std::string(fields[0]) + ":" + std::string(fields[1]) + ":" + std::string(fields[2]) + " " +
         std::string(fields[3]) + ":" + std::string(fields[4]) + ":" + std::string(fields[5]);
}

// The text of the value of type `wanted` of an ilst box; empty when it is none or no UTF-8 text.
//   ilst: one box per value, its type the key's index (32 bits) or a name such as "©day", holding
//   data: type(4: 0, then 1 for UTF-8 text) locale(4) value
std::string ValueText(TBoxWalker& walker, const TBox& items, std::string_view wanted) {
  const std::optional<std::vector<TBox>> values = walker.FileBoxes(items.offset, items.offset + items.size);
  if (!values) return {};
  const TBox* value = FindBox(*values, wanted);
  if (value == nullptr) return {};
  const std::optional<std::vector<TBox>> parts = walker.FileBoxes(value->offset, value->offset + value->size);
  const TBox* data = parts ? FindBox(*parts, "data") : nullptr;
  if (data == nullptr || data->size > kLongestValue) return {};
  const std::optional<std::string> bytes = walker.Payload(*data);
  if (!bytes) return {};
  TByteCursor cursor(*bytes);
  const std::optional<std::uint64_t> type = cursor.Number(4);
  if (!type || *type != kUtf8Text || !cursor.Skip(4)) return {};
  return std::string(cursor.Rest());
}

// The children of a QuickTime meta box; none when they cannot be walked.
//   meta: [version(1) flags(3), in the ISO form] hdlr keys ilst
std::optional<std::vector<TBox>> MetaChildren(TBoxWalker& walker, const TBox& meta) {
  // The QuickTime form starts at once with a box, the handler first; the ISO form puts its
  // version and flags before it.
  const std::optional<std::string> head = walker.Read(meta.offset, std::min<std::uint64_t>(meta.size, 12));
  if (!head) return std::nullopt;
  const std::string_view start = *head;
  const bool isoForm = start.size() == 12 && start.substr(4, 4) != "hdlr" && start.substr(8, 4) == "hdlr";
  const std::uint64_t skipped = isoForm ? 4 : 0;
  return walker.FileBoxes(meta.offset + skipped, meta.offset + meta.size);
}

// The creation date of a meta box's keys and items; empty when it has none that reads as a date.
std::string KeyDate(TBoxWalker& walker, const std::vector<TBox>& children) {
  const TBox* keys = FindBox(children, "keys");
  const TBox* items = FindBox(children, "ilst");
  if (keys == nullptr || items == nullptr) return {};
  const std::optional<std::string> keyBytes = walker.Payload(*keys);
  const std::uint64_t index = keyBytes ? CreationDateIndex(*keyBytes) : 0;
  if (index == 0) return {};
  const std::string wanted{static_cast<char>(index >> 24), static_cast<char>(index >> 16),
                           static_cast<char>(index >> 8), static_cast<char>(index)};
  return DateOfText(ValueText(walker, *items, wanted));
}

// The "©day" item of a meta box's list; empty when it has none that reads as a date.
std::string ItemDayDate(TBoxWalker& walker, const std::vector<TBox>& children) {
  const TBox* items = FindBox(children, "ilst");
  return items == nullptr ? std::string() : DateOfText(ValueText(walker, *items, kDayType));
}

// The "©day" text of the user data; empty when it reads as no date.
//   ©day: size(2) language(2) text
std::string UserDataDayDate(TBoxWalker& walker, const TBox& day) {
  if (day.size > kLongestValue) return {};
  const std::optional<std::string> bytes = walker.Payload(day);
  if (!bytes) return {};
  TByteCursor cursor(*bytes);
  const std::optional<std::uint64_t> size = cursor.Number(2);
  const std::optional<std::string_view> text = size && cursor.Skip(2) ? cursor.Take(*size) : std::nullopt;
  return text ? DateOfText(*text) : std::string();
}

// The movie header's creation time in the local time zone; empty when it is 0 (none was set).
//   mvhd: version(1) flags(3) creation time(4, or 8 in version 1) ...
std::string MovieHeaderDate(TBoxWalker& walker, const TBox& header) {
  const std::optional<std::string> bytes = walker.Read(header.offset, std::min<std::uint64_t>(header.size, 12));
  if (!bytes) return {};
  TByteCursor cursor(*bytes);
  const std::optional<std::uint64_t> version = cursor.Number(1);
  const std::optional<std::uint64_t> created =
      version && cursor.Skip(3) ? cursor.Number(*version == 1 ? 8 : 4) : std::nullopt;
  if (!created || *created == 0 || *created > kLastSecond + kUnixEpochIn1904) return {};
  const TLocalDateTime local =
      LocalDateTime(static_cast<std::int64_t>(*created) - static_cast<std::int64_t>(kUnixEpochIn1904));
  return Padded(local.year, 4) + ":" + Padded(local.month, 2) + ":" + Padded(local.day, 2) + " " +
         Padded(local.hour, 2) + ":" + Padded(local.minute, 2) + ":" + Padded(local.second, 2);
}

TMediaDate ReadVideo(TBoxWalker& walker, std::uint64_t fileSize) {
  // The first box's type tells a movie from another file before its sizes are examined.
  if (std::ranges::find(kMovieStarts, walker.FirstType()) == kMovieStarts.end()) return Unfit("no movie boxes");
  const std::optional<std::vector<TBox>> top = walker.FileBoxes(0, fileSize, "moov");
  if (!top) return {};
  const TBox* movie = FindBox(*top, "moov");
  if (movie == nullptr) return Unfit("no moov box");
  const std::optional<std::vector<TBox>> children = walker.FileBoxes(movie->offset, movie->offset + movie->size);
  if (!children) return {};
  // The metadata of the movie, and that of its user data, if any.
  std::optional<std::vector<TBox>> movieMeta, userBoxes, userMeta;
  if (const TBox* meta = FindBox(*children, "meta")) movieMeta = MetaChildren(walker, *meta);
  if (const TBox* userData = FindBox(*children, "udta"); userData != nullptr && walker.fault.empty())
    userBoxes = walker.FileBoxes(userData->offset, userData->offset + userData->size);
  if (const TBox* meta = userBoxes ? FindBox(*userBoxes, "meta") : nullptr; meta != nullptr && walker.fault.empty())
    userMeta = MetaChildren(walker, *meta);
  std::string date;
  for (const auto* metaChildren : {&movieMeta, &userMeta})
    if (date.empty() && *metaChildren && walker.fault.empty()) date = KeyDate(walker, **metaChildren);
  if (date.empty() && userMeta && walker.fault.empty()) date = ItemDayDate(walker, *userMeta);
  if (const TBox* day = userBoxes ? FindBox(*userBoxes, kDayType) : nullptr;
      date.empty() && day != nullptr && walker.fault.empty())
    date = UserDataDayDate(walker, *day);
  const TBox* header = FindBox(*children, "mvhd");
  if (date.empty() && header != nullptr && walker.fault.empty()) date = MovieHeaderDate(walker, *header);
  return TMediaDate{.dateText = date, .unfitReason = {}};
}

}  // namespace

TMediaDate ReadVideoDate(TFileSystem& fileSystem, const std::string& path) {
  return ReadBoxFile(fileSystem, path, ReadVideo);
}

}  // namespace kalvero
