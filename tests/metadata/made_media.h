#pragma once

// The files of tests/data/media, made by other programs (make_media.sh), with the dates exiftool
// reads from them (dates.txt), and the reader for each.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "metadata/media_date.h"
#include "platform/file_system.h"

namespace kalvero {

struct TMadeFile {
  std::string path;
  std::string inUtc;            // the date with TZ=UTC0; empty for none
  std::string inCentralEurope;  // the date with the zone of Central Europe
};

inline std::vector<TMadeFile> MadeFiles() {
  std::vector<TMadeFile> files;
  std::ifstream table(std::string(KALVERO_MEDIA_DIR) + "/dates.txt");
  for (std::string line; std::getline(table, line);) {
    std::istringstream fields(line);
    TMadeFile file;
    std::getline(fields, file.path, '\t');
    std::getline(fields, file.inUtc, '\t');
    std::getline(fields, file.inCentralEurope, '\t');
    file.path = std::string(KALVERO_MEDIA_DIR) + "/" + file.path;
    for (std::string* date : {&file.inUtc, &file.inCentralEurope}) {
      if (*date == "-") date->clear();
    }
    files.push_back(file);
  }
  return files;
}

// The reader of a made file, by its extension, through the system's file system.
inline TMediaDate ReadMadeFile(const std::string& path) {
  const std::string extension = path.substr(path.rfind('.'));
  if (extension == ".heic" || extension == ".avif") return ReadHeifDate(NativeFileSystem(), path);
  return ReadVideoDate(NativeFileSystem(), path);
}

}  // namespace kalvero
