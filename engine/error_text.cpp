#include "engine/error_text.h"

#include <array>

#include "engine/engine_host.h"
#include "platform/system_errors.h"

namespace kalvero {
namespace {

struct TSystemErrorKey {
  std::error_condition condition;
  const char* key;
};

const std::array<TSystemErrorKey, 13> kSystemErrorKeys = {{
    {std::errc::not_a_directory, "reasonNotAFolder"},
    {std::errc::permission_denied, "reasonAccessRefused"},
    {std::errc::operation_not_permitted, "reasonAccessRefused"},
    {std::errc::no_space_on_device, "reasonNoSpace"},
    {std::errc::filename_too_long, "reasonNameTooLong"},
    {std::errc::read_only_file_system, "reasonReadOnly"},
    {std::errc::file_exists, "reasonNameExists"},
    {std::errc::io_error, "reasonInputOutput"},
    {std::errc::no_such_file_or_directory, "reasonNoSuchEntry"},
    {std::errc::too_many_links, "reasonTooManyLinks"},
    {std::errc::too_many_symbolic_link_levels, "reasonLinkLoop"},
    {std::errc::too_many_files_open, "reasonTooManyOpenFiles"},
    {std::errc::too_many_files_open_in_system, "reasonTooManyOpenFiles"},
}};

}  // namespace

std::string SystemErrorText(const std::error_code& error, const TEngineHost& host) {
  // The quota has no portable name: the platform tells it.
  if (IsQuotaExceeded(error)) return host.ProgramText("reasonQuotaExceeded");
  for (const auto& [condition, key] : kSystemErrorKeys)
    if (error == condition) return host.ProgramText(key);
  return error.message();
}

}  // namespace kalvero
