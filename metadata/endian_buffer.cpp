#include "metadata/endian_buffer.h"

#include <algorithm>
#include <stdexcept>

namespace kalvero {

std::uint32_t ReadUnsigned(std::string_view bytes, bool bigEndian) {
  // Unsigned arithmetic wraps, which keeps exactly the low 32 bits of a longer number.
  std::uint32_t value = 0;
  auto add = [&value](char c) { value = value * 256u + static_cast<unsigned char>(c); };
  if (bigEndian) {
    std::ranges::for_each(bytes, add);
  } else {
    std::for_each(bytes.rbegin(), bytes.rend(), add);
  }
  return value;
}

bool TEndianBuffer::Holds(std::int64_t p, std::uint64_t count) const {
  if (p < 1 || static_cast<std::uint64_t>(p) > buffer.size() + 1) return false;
  return count <= buffer.size() - static_cast<std::uint64_t>(p - 1);
}

std::string_view TEndianBuffer::Bytes(std::int64_t p, std::uint64_t count) const {
  if (!Holds(p, 0)) return {};
  const std::size_t offset = static_cast<std::size_t>(p - 1);
  return std::string_view(buffer).substr(offset, std::min<std::uint64_t>(count, buffer.size() - offset));
}

std::uint16_t TEndianBuffer::Read16(std::int64_t p) const {
  if (!Holds(p, 2)) throw std::out_of_range("16-bit value outside the segment");
  return static_cast<std::uint16_t>(ReadUnsigned(Bytes(p, 2), bigEndian));
}

std::uint32_t TEndianBuffer::Read32(std::int64_t p) const {
  if (!Holds(p, 4)) throw std::out_of_range("32-bit value outside the segment");
  return ReadUnsigned(Bytes(p, 4), bigEndian);
}

}  // namespace kalvero
