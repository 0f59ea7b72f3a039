#include <cstdio>
#include <iostream>

#include "app/cli/commands.h"
#include "app/cli/escaped_text.h"
#include "engine/exif_date.h"
#include "platform/file_system.h"

namespace kalvero {

int DateCommand(const std::vector<std::string>& files) {
  TFileSystem& fileSystem = NativeFileSystem();
  int status = kExitSuccess;
  std::string out;
  for (const std::string& file : files) {
    // Raw files, HEIF pictures and videos by their own readers; a file whose header or boxes are
    // not those of its kind is named with the reason.
    const TMediaDate media = ReadCaptureDate(fileSystem, file);
    if (!media.unfitReason.empty()) {
      std::cerr << Escaped(file) << ": " << media.unfitReason << '\n';
      status = kExitReported;
    }
    const std::string& date = media.dateText;
    // Only a file without a date can be missing; the test costs a query, so it waits till then.
    if (date.empty() && !fileSystem.Exists(file)) status = kExitReported;
    out.append(Escaped(date)).append(1, '\t').append(Escaped(file)).append(1, '\n');
    // Written in blocks: the command is called for thousands of files by scripts.
    if (out.size() >= 1 << 16) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return status;
}

}  // namespace kalvero
