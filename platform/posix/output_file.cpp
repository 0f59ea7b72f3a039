#include "platform/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>

#include "platform/posix/posix_file_system.h"

namespace kalvero {
namespace {

class TPosixOutputFile final : public TOutputFile {
 public:
  explicit TPosixOutputFile(TDescriptor fd) : fd_(std::move(fd)) {}

  std::error_code Append(std::string_view bytes) override {
    const std::error_code error = WriteAll(fd_.Get(), bytes);
    if (!error) {
      length_ += bytes.size();
      return {};
    }
    [[maybe_unused]] const bool cutBack = ::ftruncate(fd_.Get(), static_cast<off_t>(length_)) == 0;
    return error;
  }

 private:
  TDescriptor fd_;
  std::uint64_t length_ = 0;  // up to the end of the last piece written whole
};

}  // namespace

std::unique_ptr<TOutputFile> CreateOutputFile(const std::string& path, std::error_code& error) {
  // O_APPEND: a piece written after a cut goes to the new end, leaving no gap.
  TDescriptor fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0644));
  if (fd.Get() < 0) {
    error = LastError();
    return nullptr;
  }
  error.clear();
  return std::make_unique<TPosixOutputFile>(std::move(fd));
}

}  // namespace kalvero
