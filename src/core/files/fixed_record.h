// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fixed-size records, the shape of the analysis file and of both dictionaries: a
// 16-bit little-endian integer at offset 0, then Windows-1252 text fields of fixed
// widths, padded with blanks. One codec for all three.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace varnelio::fixed_record {

// The low 16 bits of the value, little-endian, at the start of the record.
inline void putInt16(char* record, std::int64_t value) {
  const auto low = static_cast<std::uint16_t>(static_cast<std::uint64_t>(value));
  record[0] = static_cast<char>(low & 0xFF);
  record[1] = static_cast<char>(low >> 8);
}

// The integer at the start of a record; a byte missing from a short record counts
// as zero.
inline std::int16_t getInt16(std::string_view record) {
  const auto lo = record.size() > 0 ? static_cast<unsigned char>(record[0]) : 0u;
  const auto hi = record.size() > 1 ? static_cast<unsigned char>(record[1]) : 0u;
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

// A text longer than its field loses its end; a shorter one is padded with blanks.
inline void putField(char* record, std::size_t offset, std::size_t width, std::string_view text) {
  const std::size_t n = std::min(width, text.size());
  std::copy_n(text.data(), n, record + offset);  // an empty view may hold no pointer
  std::memset(record + offset + n, ' ', width - n);
}

// The bytes of a field as stored; what a short record lacks is simply absent.
inline std::string_view getField(std::string_view record, std::size_t offset, std::size_t width) {
  return offset >= record.size() ? std::string_view{} : record.substr(offset, width);
}

}  // namespace varnelio::fixed_record
