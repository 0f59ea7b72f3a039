#include "engine/run_account.h"

namespace kalvero {

TPictureReason CopyFailureReason(const std::error_code& error) {
  if (error == std::errc::file_exists) return TPictureReason::NameExists;
  if (error == std::errc::no_space_on_device || error.value() == EDQUOT || error == std::errc::file_too_large)
    return TPictureReason::NoSpace;
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
