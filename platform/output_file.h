#pragma once

// A new file that the program writes from its start, piece by piece, each piece handed to the
// system at once: a record that must hold everything up to the moment the program is killed.

#include <memory>
#include <string>
#include <string_view>
#include <system_error>

namespace kalvero {

// A file opened for appending, closed when destroyed.
class TOutputFile {
 public:
  virtual ~TOutputFile() = default;
  // Writes all of `bytes` at the end of the file, going on after interrupted and partial writes.
  // On failure answers the reason and cuts the file back to its length before the call, so that it
  // ends with the last piece written whole (should even that fail, a part of `bytes` stays).
  virtual std::error_code Append(std::string_view bytes) = 0;
};

// Creates the file `path` for appending, readable by everyone and writable by its owner (rw-r--r--
// less the umask, where the system has permission bits). Anything of that name, a symbolic link
// included, fails with file_exists, so no file is ever replaced nor written through a link. On
// failure answers null and sets `error`; on success clears it.
std::unique_ptr<TOutputFile> CreateOutputFile(const std::string& path, std::error_code& error);

}  // namespace kalvero
