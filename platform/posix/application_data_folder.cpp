// The application-data folder of POSIX desktops: the user's configuration folder, named as the
// XDG base-directory convention names it; and the home folder's short form "~".

#include "platform/application_data_folder.h"

namespace kalvero {

std::optional<std::string> NativeApplicationDataFolder(const TEnvironment& environment) {
  if (auto configHome = AbsolutePathVariable(environment, "XDG_CONFIG_HOME")) return configHome;
  const auto home = AbsolutePathVariable(environment, "HOME");
  if (!home) return std::nullopt;
  return *home + (home->ends_with('/') ? ".config" : "/.config");
}

std::string WithHomeFolder(const std::string& typed, const TEnvironment& environment) {
  if (typed != "~" && !typed.starts_with("~/")) return typed;
  const auto home = AbsolutePathVariable(environment, "HOME");
  if (!home) return typed;
  // One separator between the home folder and the rest, also when HOME ends in one.
  return *home + typed.substr(home->ends_with('/') && typed.size() > 1 ? 2 : 1);
}

}  // namespace kalvero
