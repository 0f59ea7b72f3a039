#pragma once

// What a scan of the source folder could not examine.

#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kalvero {

class TEngineHost;

// A folder that could not be read or entered, or an entry whose type could not be found out, with
// the reason; `link` tells a symbolic link that leads nowhere or round in a loop. A file whose
// header or boxes are not those of its kind has no system error but says why in `unfit`.
struct TScanRecord {
  std::string path;
  std::error_code reason;
  bool link = false;
  std::string unfit;
};

using TScanRecords = std::vector<TScanRecord>;

// Why an entry was not examined, as far as the program has words of its own for it; Other for the
// rest, which the platform's message names.
enum class TScanReason {
  AccessRefused,
  NameTooLong,
  LinkLoop,
  BrokenLink,
  InputOutput,
  TooManyOpenFiles,
  Unfit,
  Other,
};

// A reason in the journal's word (journals already written hold it, so it never changes).
struct TScanReasonWords {
  TScanReason reason;
  std::string_view journalWord;
};

// Every reason, once each.
std::span<const TScanReasonWords> ScanReasonTable();
const TScanReasonWords& WordsOf(TScanReason reason);

TScanReason ScanReason(const TScanRecord& record);

// The record's reason as the user reads it: a broken link, why a file does not fit its kind, or the
// system error as SystemErrorText words it.
std::string ScanReasonText(const TScanRecord& record, const TEngineHost& host);

}  // namespace kalvero
