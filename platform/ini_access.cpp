#include "platform/ini_access.h"

namespace kalvero {

TIniFile LoadIniFile(const TFileSystem& fileSystem, const std::string& path, std::error_code& error) {
  const auto content = fileSystem.ReadWholeFile(path, kMaxIniFileSize, error);
  if (error == std::errc::no_such_file_or_directory) error.clear();
  return content ? TIniFile(*content) : TIniFile();
}

std::error_code SaveIniFile(TFileSystem& fileSystem, const std::string& path, const TIniFile& ini) {
  return fileSystem.ReplaceFileContent(path, ini.Content());
}

std::string ReadIniValue(const TFileSystem& fileSystem, const std::string& path, std::string_view section,
                         std::string_view key, std::string_view defaultValue) {
  std::error_code ignored;  // an unreadable file reads as an empty one: every key has its default
  return LoadIniFile(fileSystem, path, ignored).ReadValue(section, key, defaultValue);
}

std::error_code WriteIniValues(TFileSystem& fileSystem, const std::string& path, std::string_view section,
                               std::span<const TIniEntry> entries) {
  std::error_code error;
  TIniFile ini = LoadIniFile(fileSystem, path, error);
  for (const TIniEntry& entry : entries) {
    if (error) return error;
    error = ini.WriteValue(section, entry.key, entry.value);
  }
  return error ? error : SaveIniFile(fileSystem, path, ini);
}

std::error_code WriteIniValue(TFileSystem& fileSystem, const std::string& path, std::string_view section,
                              std::string_view key, std::string_view value) {
  const TIniEntry entry{key, value};
  return WriteIniValues(fileSystem, path, section, std::span(&entry, 1));
}

}  // namespace kalvero
