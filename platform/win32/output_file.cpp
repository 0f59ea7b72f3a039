// A new file written piece by piece on Windows: created only where nothing of that name exists
// (CREATE_NEW also refuses a link), each piece written after the last whole one and handed to the
// system at once. No one else may write it while it is open.

#include <cstdint>

#include "platform/output_file.h"
#include "platform/win32/api_path.h"
#include "platform/win32/win32_handle.h"

namespace kalvero {
namespace {

class TWindowsOutputFile final : public TOutputFile {
 public:
  explicit TWindowsOutputFile(TWinHandle file) : file_(std::move(file)) {}

  std::error_code Append(std::string_view bytes) override {
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(length_);
    if (!SetFilePointerEx(file_.Get(), end, nullptr, FILE_BEGIN)) return LastWin32Error();
    std::string_view rest = bytes;
    while (!rest.empty()) {
      const DWORD piece = rest.size() > 1u << 30 ? 1u << 30 : static_cast<DWORD>(rest.size());
      DWORD written = 0;
      if (!WriteFile(file_.Get(), rest.data(), piece, &written, nullptr)) return CutBack(LastWin32Error());
      rest.remove_prefix(written);
    }
    length_ += bytes.size();
    return {};
  }

 private:
  // Cuts the file back to the end of the last piece written whole, and answers `error`.
  std::error_code CutBack(std::error_code error) {
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(length_);
    if (SetFilePointerEx(file_.Get(), end, nullptr, FILE_BEGIN)) SetEndOfFile(file_.Get());
    return error;
  }

  TWinHandle file_;
  std::uint64_t length_ = 0;  // up to the end of the last piece written whole
};

}  // namespace

std::unique_ptr<TOutputFile> CreateOutputFile(const std::string& path, std::error_code& error) {
  TWinHandle file(CreateFileW(ApiPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    error = LastWin32Error();
    return nullptr;
  }
  error.clear();
  return std::make_unique<TWindowsOutputFile>(std::move(file));
}

}  // namespace kalvero
