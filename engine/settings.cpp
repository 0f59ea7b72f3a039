#include "engine/settings.h"

#include <charconv>
#include <climits>

#include "engine/sort_engine.h"
#include "platform/application_data_folder.h"
#include "platform/folder_chain.h"
#include "platform/ini_access.h"

namespace kalvero {

namespace {

constexpr std::string_view kSection = "pref";

// The exact content of the file written at the first start.
std::string DefaultSettingsFile() {
  const auto line = [](std::string_view key, std::string_view value) {
    return std::string(key) + '=' + std::string(value) + "\r\n";
  };
  return "[pref]\r\n" + line("lng", kDefaultLanguage) + line("source", "") + line("target", "") + line("cb1", "1") +
         line("cb2", "1") + line("folder", kDefaultFolderPattern) + line("file", kDefaultFilePattern);
}

// The INI reader removes surrounding blanks and one pair of enclosing quotes; a value that would
// lose either is written inside double quotes, so that a folder named with a trailing blank
// comes back as it was. Other values are written as they stand.
std::string Quoted(const std::string& value) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
  const bool enclosed = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
  if (value.empty() || (!isBlank(value.front()) && !isBlank(value.back()) && !enclosed)) return value;
  return '"' + value + '"';
}

bool ReadBoolean(const TIniFile& ini, std::string_view key, bool missing) {
  const auto number = ParseIniInteger(ini.ReadValue(kSection, key, missing ? "1" : "0"));
  return number ? *number != 0 : missing;
}

TStoredSettings FromIni(const TIniFile& ini) {
  TStoredSettings settings;
  settings.language = ini.ReadValue(kSection, "lng", settings.language);
  settings.source = ini.ReadValue(kSection, "source", settings.source);
  settings.target = ini.ReadValue(kSection, "target", settings.target);
  settings.includeSubfolders = ReadBoolean(ini, "cb1", settings.includeSubfolders);
  settings.createDateFolders = ReadBoolean(ini, "cb2", settings.createDateFolders);
  settings.folderPattern = ini.ReadValue(kSection, "folder", settings.folderPattern);
  settings.filePattern = ini.ReadValue(kSection, "file", settings.filePattern);
  return settings;
}

}  // namespace

std::optional<long> ParseIniInteger(const std::string& text) {
  std::string_view digits = text;
  const bool negative = digits.starts_with('-');
  if (negative || digits.starts_with('+')) digits.remove_prefix(1);
  int base = 10;
  if (digits.starts_with('$')) {
    digits.remove_prefix(1);
    base = 16;
  } else if (digits.starts_with("0x") || digits.starts_with("0X")) {
    digits.remove_prefix(2);
    base = 16;
  }
  unsigned long magnitude = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  // Hexadecimal may fill all 32 bits (two's complement); decimal must fit a signed 32-bit value.
  const unsigned long limit = base == 16 ? 0xFFFFFFFFul : (negative ? 0x80000000ul : 0x7FFFFFFFul);
  if (magnitude > limit) return std::nullopt;
  const long value = base == 16 ? static_cast<long>(static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude)))
                                : static_cast<long>(magnitude);
  return negative ? -value : value;
}

std::optional<TStoredSettings> ReadStoredSettings(const TFileSystem& fileSystem, const TEnvironment& environment) {
  const auto file = SettingsFilePath(environment);
  if (!file || !fileSystem.FileFacts(*file)) return std::nullopt;
  std::error_code error;
  return FromIni(LoadIniFile(fileSystem, *file, error));
}

void TSortEngine::LoadSettings(const TEnvironment& environment) {
  const auto folder = SettingsFolder(environment);
  const auto file = SettingsFilePath(environment);
  if (folder && file && !fileSystem_.FolderExists(*folder) && !fileSystem_.FileFacts(*file)) {
    CreateFolderChain(fileSystem_, *folder);
    fileSystem_.ReplaceFileContent(*file, DefaultSettingsFile());
  }
  const TStoredSettings settings = ReadStoredSettings(fileSystem_, environment).value_or(TStoredSettings());
  host_.SetLanguage(settings.language);
  SetSourceFolder(settings.source);
  host_.SetDir2Text(settings.target);
  host_.SetCb1Checked(settings.includeSubfolders);
  host_.SetCb2Checked(settings.createDateFolders);
  host_.SetEdit2Text(settings.folderPattern);
  host_.SetEdit1Text(settings.filePattern);
  Edit1Change();
}

std::error_code TSortEngine::SaveSettings(const TEnvironment& environment) {
  const auto file = SettingsFilePath(environment);
  if (!file) return {};
  std::error_code error;
  TIniFile ini = LoadIniFile(fileSystem_, *file, error);
  if (error) return error;  // its lines are unknown, so it is not written over

  const std::pair<const char*, std::string> values[] = {
      {"lng", host_.Language()},     {"source", host_.DirText()},
      {"target", host_.Dir2Text()},  {"cb1", host_.Cb1Checked() ? "1" : "0"},
      {"cb2", host_.Cb2Checked() ? "1" : "0"}, {"folder", host_.Edit2Text()},
      {"file", host_.Edit1Text()}};
  // A value the file cannot hold (a line break in a folder name) keeps its old value; the
  // others are still saved.
  std::error_code refused;
  for (const auto& [key, value] : values)
    if (const std::error_code keyError = ini.WriteValue(kSection, key, Quoted(value)); keyError && !refused)
      refused = keyError;
  if (const std::error_code saveError = SaveIniFile(fileSystem_, *file, ini)) return saveError;
  return refused;
}

}  // namespace kalvero
