#include "engine/scan_record.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "engine/engine_host.h"

namespace kalvero {
namespace {

using TReasonKey = std::pair<TScanReason, std::string_view>;

// The keys of the program's own texts for the reasons that have one.
constexpr std::array<TReasonKey, 6> kReasonKeys = {{
    {TScanReason::AccessRefused, "reasonAccessRefused"},
    {TScanReason::NameTooLong, "reasonNameTooLong"},
    {TScanReason::LinkLoop, "reasonLinkLoop"},
    {TScanReason::BrokenLink, "reasonBrokenLink"},
    {TScanReason::InputOutput, "reasonInputOutput"},
    {TScanReason::TooManyOpenFiles, "reasonTooManyOpenFiles"},
}};

}  // namespace

TScanReason ScanReason(const TScanRecord& record) {
  const std::error_code& reason = record.reason;
  if (reason == std::errc::permission_denied || reason == std::errc::operation_not_permitted)
    return TScanReason::AccessRefused;
  if (reason == std::errc::filename_too_long) return TScanReason::NameTooLong;
  if (reason == std::errc::too_many_symbolic_link_levels) return TScanReason::LinkLoop;
  if (record.link && reason == std::errc::no_such_file_or_directory) return TScanReason::BrokenLink;
  if (reason == std::errc::io_error) return TScanReason::InputOutput;
  if (reason == std::errc::too_many_files_open || reason == std::errc::too_many_files_open_in_system)
    return TScanReason::TooManyOpenFiles;
  return TScanReason::Other;
}

std::string ScanReasonText(const TScanRecord& record, const TEngineHost& host) {
  const auto key = std::ranges::find(kReasonKeys, ScanReason(record), &TReasonKey::first);
  return key == kReasonKeys.end() ? record.reason.message() : host.ProgramText(std::string(key->second));
}

}  // namespace kalvero
