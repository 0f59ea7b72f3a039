#include "tests/support/box_builder.h"

#include <vector>

namespace kalvero {
namespace {

std::string BigEndian(std::uint64_t value, int bytes) {
  std::string text;
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) text += static_cast<char>((value >> shift) & 0xFF);
  return text;
}

std::string Sized(std::uint64_t value, int size) { return BigEndian(value, size); }

// The parts of an item one after the other, with a gap after each.
std::string ItemData(const std::vector<std::string>& parts) {
  std::string data;
  for (const std::string& part : parts) data += part + "GAP!";
  return data;
}

// The meta box of a HEIF picture whose Exif item lies at `start` in the parts `parts`; with
// construction method 1 it lies in the meta box's idat box instead, from its start on.
std::string HeifMeta(const THeifShape& shape, std::uint64_t start, const std::vector<std::string>& parts) {
  const bool inData = shape.constructionMethod == 1;
  const auto infoId = [&](std::uint64_t id) { return shape.infeVersion == 2 ? Be16(id) : Be32(id); };
  std::string infos;
  for (int tile = 0; tile < shape.tiles; ++tile) {
    infos += FullBox("infe", shape.infeVersion, infoId(static_cast<std::uint64_t>(tile) + 2) + Be16(0) + "hvc1");
  }
  infos = FullBox("iinf", 0, Be16(static_cast<std::uint64_t>(shape.tiles) + 1) + infos +
                                 FullBox("infe", shape.infeVersion, infoId(1) + Be16(0) + shape.itemType));
  const int wide = shape.ilocVersion == 2 ? 4 : 2;
  const int baseSize = shape.baseOffset ? 8 : 0;
  std::string locations;
  locations += static_cast<char>(shape.offsetSize * 16 + shape.offsetSize);
  locations += static_cast<char>(baseSize * 16);
  locations += Sized(static_cast<std::uint64_t>(shape.tiles) + 1, wide);
  const auto item = [&](std::uint64_t itemId, int method, std::uint64_t base) {
    std::string bytes = Sized(itemId, wide);
    if (shape.ilocVersion > 0) bytes += Be16(static_cast<std::uint64_t>(method));
    return bytes + Be16(0) + Sized(base, baseSize);
  };
  // The tiles' data: the first byte of the mdat payload.
  for (int tile = 0; tile < shape.tiles; ++tile) {
    locations += item(static_cast<std::uint64_t>(tile) + 2, 0, shape.baseOffset ? start : 0) + Be16(1) +
                 Sized(shape.baseOffset ? 0 : start, shape.offsetSize) + Sized(1, shape.offsetSize);
  }
  const std::uint64_t itemStart = inData ? 0 : start;
  locations += item(1, shape.constructionMethod, shape.baseOffset ? itemStart : 0) + Be16(parts.size());
  std::uint64_t at = shape.baseOffset ? 0 : itemStart;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::uint64_t offset = at + (i == 0 ? shape.offsetShift : 0);
    locations += Sized(offset, shape.offsetSize) + Sized(parts[i].size(), shape.offsetSize);
    at += parts[i].size() + 4;
  }
  const std::string handler = FullBox("hdlr", 0, Be32(0) + "pict" + std::string(13, '\0'));
  return FullBox("meta", 0,
                 handler + infos + FullBox("iloc", shape.ilocVersion, locations) +
                     (inData ? Box("idat", ItemData(parts)) : std::string()));
}

}  // namespace

std::string Be16(std::uint64_t value) { return BigEndian(value, 2); }
std::string Be32(std::uint64_t value) { return BigEndian(value, 4); }
std::string Be64(std::uint64_t value) { return BigEndian(value, 8); }

std::string Box(std::string_view type, std::string_view payload) {
  return Be32(8 + payload.size()) + std::string(type) + std::string(payload);
}

std::string FullBox(std::string_view type, int version, std::string_view payload) {
  return Box(type, std::string(1, static_cast<char>(version)) + std::string(3, '\0') + std::string(payload));
}

std::string HeifFile(std::string_view item, const THeifShape& shape) {
  std::vector<std::string> parts;
  const std::size_t partSize = (item.size() + shape.parts - 1) / shape.parts;
  for (std::size_t at = 0; at < item.size(); at += partSize) parts.emplace_back(item.substr(at, partSize));
  const std::string fileType = Box("ftyp", std::string("heic") + Be32(0) + "mif1heic");
  // The meta box's size does not depend on the offsets it holds.
  const std::size_t metaSize = HeifMeta(shape, 0, parts).size();
  const std::uint64_t start = fileType.size() + metaSize + 8;
  return fileType + HeifMeta(shape, start, parts) +
         Box("mdat", shape.constructionMethod == 1 ? std::string("tile") : ItemData(parts));
}

std::string ExifItem(std::string_view tiff) { return Be32(6) + std::string("Exif\0\0", 6) + std::string(tiff); }

std::string MovieHeader(int version, std::uint64_t created) {
  const std::string times = version == 1 ? Be64(created) + Be64(created) : Be32(created) + Be32(created);
  return FullBox("mvhd", version, times + Be32(600) + std::string(80, '\0'));
}

std::string QuickTimeMeta(std::string_view text, bool isoForm, std::uint32_t dataType) {
  const std::string handler = FullBox("hdlr", 0, Be32(0) + "mdta" + std::string(13, '\0'));
  const std::string title = "org.example.title";
  const std::string created = "com.apple.quicktime.creationdate";
  const std::string keys = FullBox("keys", 0,
                                   Be32(2) + Be32(8 + title.size()) + "mdta" + title + Be32(8 + created.size()) +
                                       "mdta" + created);
  const auto value = [](std::uint32_t index, std::uint32_t type, std::string_view bytes) {
    return Box(Be32(index), Box("data", Be32(type) + Be32(0) + std::string(bytes)));
  };
  const std::string items = Box("ilst", value(1, 1, "A title") + value(2, dataType, text));
  return Box("meta", (isoForm ? std::string(4, '\0') : std::string()) + handler + keys + items);
}

std::string MovieFile(std::string_view movieChildren) {
  return Box("ftyp", std::string("qt  ") + Be32(0) + "qt  ") + Box("mdat", "frames") + Box("moov", movieChildren);
}

std::string Cr3MetadataUuid() { return "\x85\xC0\xB6\x87\x82\x0F\x11\xE0\x81\x11\xF4\xCE\x46\x2B\x6A\x48"; }

std::string Cr3File(std::string_view inside, std::string_view brand, std::string_view uuid) {
  const std::string fileType = Box("ftyp", std::string(brand) + Be32(1) + std::string(brand) + "isom");
  const std::string metadata = Box("uuid", std::string(uuid) + std::string(inside));
  return fileType + Box("moov", metadata + MovieHeader(0, 0)) + Box("mdat", "sensor data");
}

}  // namespace kalvero
