#include "engine/scan_record.h"

#include "engine/engine_host.h"

namespace kalvero {

std::string ScanReasonKey(const TScanRecord& record) {
  const std::error_code& reason = record.reason;
  if (reason == std::errc::permission_denied || reason == std::errc::operation_not_permitted)
    return "reasonAccessRefused";
  if (reason == std::errc::filename_too_long) return "reasonNameTooLong";
  if (reason == std::errc::too_many_symbolic_link_levels) return "reasonLinkLoop";
  if (record.link && reason == std::errc::no_such_file_or_directory) return "reasonBrokenLink";
  if (reason == std::errc::io_error) return "reasonInputOutput";
  if (reason == std::errc::too_many_files_open || reason == std::errc::too_many_files_open_in_system)
    return "reasonTooManyOpenFiles";
  return {};
}

std::string ScanReasonText(const TScanRecord& record, const TEngineHost& host) {
  const std::string key = ScanReasonKey(record);
  return key.empty() ? record.reason.message() : host.ProgramText(key);
}

}  // namespace kalvero
