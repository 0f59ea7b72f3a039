#pragma once

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes out of scope.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
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
  // A new folder of a random name: create_directory answers false when the name is taken.
  TTempFolder() {
    const std::filesystem::path parent = std::filesystem::temp_directory_path();
    std::random_device device;
    for (int attempt = 0; path_.empty(); ++attempt) {
      char name[32];
      std::snprintf(name, sizeof name, "kalvero-test-%08x", device());
      const std::filesystem::path folder = parent / name;
      if (std::filesystem::create_directory(folder)) path_ = folder.string();
      else if (attempt == 100) throw std::runtime_error("No free name for a temporary folder in " + parent.string());
    }
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
