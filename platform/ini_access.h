#pragma once

// INI files on disk: one key read or written per call as the Windows profile functions do, or a
// whole TIniFile loaded, edited in memory and saved with one replacement of the file. Every file
// operation goes through the TFileSystem.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file_system.h"
#include "platform/ini_file.h"

namespace kalvero {

// The largest INI file read. A larger one is treated as unreadable: its keys read as missing and
// it is never written over.
inline constexpr std::uint64_t kMaxIniFileSize = std::uint64_t{1} << 20;

// The INI file at `path`. A file that does not exist is an empty one, without an error. Any other
// failure (no regular file, larger than kMaxIniFileSize, a read error) answers an empty TIniFile
// and sets `error`; such a file must not be saved over, since its lines are unknown.
TIniFile LoadIniFile(const TFileSystem& fileSystem, const std::string& path, std::error_code& error);

// Replaces the file's content with `ini`'s in one step (TFileSystem::ReplaceFileContent).
std::error_code SaveIniFile(TFileSystem& fileSystem, const std::string& path, const TIniFile& ini);

// The value of one key, with the file read for this call (TIniFile::ReadValue); a file that does
// not exist or cannot be read gives the default.
std::string ReadIniValue(const TFileSystem& fileSystem, const std::string& path, std::string_view section,
                         std::string_view key, std::string_view defaultValue);

struct TIniEntry {
  std::string_view key;
  std::string_view value;
};

// Writes the entries, in their order, into `section` with one read and one replacement of the
// file (TIniFile::WriteValue for each); a missing file is created. Nothing is written when the
// existing file cannot be read, an entry cannot be stored or the replacement fails: the error
// says why, and the file is as it was.
std::error_code WriteIniValues(TFileSystem& fileSystem, const std::string& path, std::string_view section,
                               std::span<const TIniEntry> entries);

// One key written as WriteIniValues writes it.
std::error_code WriteIniValue(TFileSystem& fileSystem, const std::string& path, std::string_view section,
                              std::string_view key, std::string_view value);

}  // namespace kalvero
