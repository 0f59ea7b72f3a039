#include "engine/run_account.h"

#include <array>
#include <cstddef>

#include "engine/enum_rows.h"
#include "platform/system_errors.h"

namespace kalvero {
namespace {

constexpr std::array<TPictureReasonWords, 14> kPictureReasons = {{
    {TPictureReason::None, "none", "copied"},
    {TPictureReason::NameExists, "name-exists", "the name exists"},
    {TPictureReason::NoSpace, "no-space", "no space left"},
    {TPictureReason::NameTooLong, "name-too-long", "name too long"},
    {TPictureReason::PermissionRefused, "permission-refused", "permission refused"},
    {TPictureReason::Unreadable, "unreadable", "the picture could not be read"},
    {TPictureReason::NoUsableDate, "no-usable-date", "no usable date"},
    {TPictureReason::NoSingleName, "no-single-name", "the name made from its date would leave its folder"},
    {TPictureReason::NoFolder, "no-folder", "its date folder is no folder"},
    {TPictureReason::Other, "other", ""},
    {TPictureReason::NotAJpeg, "not-a-jpeg", "not a JPEG picture"},
    {TPictureReason::RefusedName, "refused-name", "the system refuses the name"},
    {TPictureReason::DatedByFileTime, "file-time", "dated by its file time"},
    {TPictureReason::NotOfTheTypes, "not-of-the-types", "not of the types taken"},
}};

static_assert(RowsInEnumOrder(kPictureReasons));

}  // namespace

std::span<const TPictureReasonWords> PictureReasonTable() { return kPictureReasons; }

const TPictureReasonWords& WordsOf(TPictureReason reason) {
  return kPictureReasons.at(static_cast<std::size_t>(reason));
}

TPictureReason CopyFailureReason(const std::error_code& error) {
  if (error == std::errc::file_exists) return TPictureReason::NameExists;
  // A file-size limit is no full medium: the platform's message names it.
  if (error == std::errc::no_space_on_device || IsQuotaExceeded(error)) return TPictureReason::NoSpace;
  if (error == std::errc::filename_too_long) return TPictureReason::NameTooLong;
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
      error == std::errc::read_only_file_system)
    return TPictureReason::PermissionRefused;
  if (error == std::errc::io_error || error == std::errc::is_a_directory || error == std::errc::invalid_argument)
    return TPictureReason::Unreadable;
  if (error == std::errc::not_a_directory) return TPictureReason::NoFolder;
  return TPictureReason::Other;
}

}  // namespace kalvero
