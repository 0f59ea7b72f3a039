#pragma once

// The kinds of files a run takes: JPEG pictures, as the window does, and on the command line raw
// files, HEIF pictures and videos besides.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvero {

enum class TFileType { Jpeg, Raw, Heic, Video };

// A set of types; JPEG pictures alone unless told otherwise.
class TFileTypes {
 public:
  static TFileTypes All() { return TFileTypes(0b1111); }
  static TFileTypes None() { return TFileTypes(0); }
  TFileTypes() = default;

  bool Has(TFileType type) const { return (bits_ & Bit(type)) != 0; }
  void Add(TFileType type) { bits_ |= Bit(type); }
  bool JpegOnly() const { return bits_ == Bit(TFileType::Jpeg); }
  friend bool operator==(TFileTypes, TFileTypes) = default;

 private:
  explicit TFileTypes(unsigned bits) : bits_(bits) {}
  static unsigned Bit(TFileType type) { return 1u << static_cast<unsigned>(type); }
  unsigned bits_ = 0b0001;
};

// The types as a list of their words, in the order jpeg, raw, heic, video, joined by commas, as
// the journal records them.
std::string WordsOf(TFileTypes types);
// The types of a list of words joined by commas ("jpeg,raw", "all"); none for an empty list, an
// empty item or an unknown word.
std::optional<TFileTypes> FileTypesOf(std::string_view list);

// The masks of a scan's walks for `types`, in walk order: "*.jpg" and "*.jpeg", then one per
// further extension.
std::vector<std::string> ScanMasks(TFileTypes types);

// The type that the extension of `path` names (letter case ignored); none for any other.
std::optional<TFileType> FileTypeOf(std::string_view path);

// The extension of a copy of `path`: ".jpg" for a JPEG picture, else the file's own, lower-cased.
std::string_view CopyExtension(std::string_view path);
// The longest extension that a copy of a file of `types` gets.
std::string_view LongestCopyExtension(TFileTypes types);

}  // namespace kalvero
