#pragma once

// The bytes of one segment and the reading of multi-byte values from them.
//
// Positions count from 1: position 1 is the first byte of `buffer`. They are 64-bit and signed,
// so that an offset read from a file plus a base never wraps and a base below 1 (the TIFF road)
// can be expressed. Every access is bounded: Holds tells whether bytes lie inside the buffer,
// Bytes cuts at its end, and Read16/Read32 throw std::out_of_range rather than read outside it.

#include <cstdint>
#include <string>
#include <string_view>

namespace kalvero {

// The bytes read as one unsigned number, most significant byte first when `bigEndian`, least
// significant first otherwise; a number of more than four bytes keeps its low 32 bits.
std::uint32_t ReadUnsigned(std::string_view bytes, bool bigEndian);

class TEndianBuffer {
 public:
  // Multi-byte values are stored most significant byte first ("MM") when true, least first ("II").
  bool bigEndian = false;
  std::string buffer;

  void SetBuffer(std::string bytes) { buffer = std::move(bytes); }

  // True when the `count` bytes from position `p` on all lie inside the buffer.
  bool Holds(std::int64_t p, std::uint64_t count) const;

  // Up to `count` bytes from position `p` on, cut at the end of the buffer; empty when `p` lies
  // outside it.
  std::string_view Bytes(std::int64_t p, std::uint64_t count) const;

  std::uint16_t Read16(std::int64_t p) const;
  // The same 32 bits serve as a signed or an unsigned value.
  std::uint32_t Read32(std::int64_t p) const;
};

}  // namespace kalvero
