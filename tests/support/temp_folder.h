#pragma once

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes out of scope.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace kalvero {

// The bytes of a file; empty when it cannot be read.
inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

class TTempFolder {
 public:
  TTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kalvero-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::system_error(errno, std::generic_category(), "mkdtemp");
    path_ = pattern;
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  const std::string& Path() const { return path_; }
  // The path of `relative` inside this folder.
  std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

  // Writes a file (its folders created first) and answers its full path.
  std::string Write(const std::string& relative, const std::string& content = "") const {
    const std::filesystem::path file = *this / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return file.string();
  }

  std::string MakeFolder(const std::string& relative) const {
    std::filesystem::create_directories(*this / relative);
    return *this / relative;
  }

 private:
  std::string path_;
};

}  // namespace kalvero
