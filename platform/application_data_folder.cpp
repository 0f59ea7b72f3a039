#include "platform/application_data_folder.h"

#include "platform/file_names.h"

namespace kalvero {
namespace {

std::string Join(std::string folder, std::string_view name) {
  if (!folder.empty() && folder.back() != kPathSeparator) folder += kPathSeparator;
  return folder.append(name);
}

}  // namespace

std::optional<std::string> ApplicationDataFolder(const TEnvironment& environment) {
  if (auto chosen = AbsolutePathVariable(environment, "KALVERO_APPDATA")) return chosen;
  return NativeApplicationDataFolder(environment);
}

std::optional<std::string> AbsolutePathVariable(const TEnvironment& environment, const std::string& name) {
  auto value = environment.Variable(name);
  if (!value || !IsAbsolutePath(*value)) return std::nullopt;
  return value;
}

std::optional<std::string> SettingsFolder(const TEnvironment& environment) {
  const auto base = ApplicationDataFolder(environment);
  if (!base) return std::nullopt;
  return Join(Join(*base, "Vandrel"), "Kalvero");
}

std::optional<std::string> SettingsFilePath(const TEnvironment& environment) {
  const auto folder = SettingsFolder(environment);
  if (!folder) return std::nullopt;
  return Join(*folder, "kalvero.ini");
}

}  // namespace kalvero
