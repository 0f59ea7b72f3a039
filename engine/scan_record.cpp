#include "engine/scan_record.h"

#include <array>
#include <cstddef>

#include "engine/engine_host.h"
#include "engine/enum_rows.h"
#include "engine/error_text.h"

namespace kalvero {
namespace {

constexpr std::array<TScanReasonWords, 8> kScanReasons = {{
    {TScanReason::AccessRefused, "access-refused"},
    {TScanReason::NameTooLong, "name-too-long"},
    {TScanReason::LinkLoop, "link-loop"},
    {TScanReason::BrokenLink, "broken-link"},
    {TScanReason::InputOutput, "input-output"},
    {TScanReason::TooManyOpenFiles, "too-many-open-files"},
    {TScanReason::Unfit, "unfit"},
    {TScanReason::Other, "not-examinable"},
}};

static_assert(RowsInEnumOrder(kScanReasons));

}  // namespace

std::span<const TScanReasonWords> ScanReasonTable() { return kScanReasons; }

const TScanReasonWords& WordsOf(TScanReason reason) { return kScanReasons.at(static_cast<std::size_t>(reason)); }

TScanReason ScanReason(const TScanRecord& record) {
  if (!record.unfit.empty()) return TScanReason::Unfit;
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
  if (!record.unfit.empty()) return record.unfit;
  if (ScanReason(record) == TScanReason::BrokenLink) return host.ProgramText("reasonBrokenLink");
  return SystemErrorText(record.reason, host);
}

}  // namespace kalvero
