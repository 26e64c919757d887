// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Little-endian values in a byte string: a writer that appends them, and a reader
// that never reads past its bytes (a short or damaged input only makes it fail).
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace varnelio {

class LittleEndianWriter {
 public:
  explicit LittleEndianWriter(std::string& out) : out_(out) {}
  void u8(std::uint8_t v) { out_.push_back(static_cast<char>(v)); }
  void u16(std::uint16_t v) { put(v, 2); }
  void u32(std::uint32_t v) { put(v, 4); }
  void u64(std::uint64_t v) { put(v, 8); }
  void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
  void i64(std::int64_t v) { u64(static_cast<std::uint64_t>(v)); }
  // An IEEE 754 single, by its bits.
  void f32(float f) {
    std::uint32_t v;
    std::memcpy(&v, &f, 4);
    u32(v);
  }
  // A length (32 bits) and the bytes.
  void bytes(std::string_view s) {
    u32(static_cast<std::uint32_t>(s.size()));
    out_.append(s);
  }
  // Bytes of a size the format fixes (a magic word, a three-letter name).
  void raw(std::string_view s) { out_.append(s); }

 private:
  void put(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) out_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  }
  std::string& out_;
};

class LittleEndianReader {
 public:
  explicit LittleEndianReader(std::string_view in) : in_(in) {}
  // False once any read went past the end; every later read then gives 0 or "".
  bool ok() const { return ok_; }
  bool atEnd() const { return pos_ == in_.size(); }
  std::size_t remaining() const { return in_.size() - pos_; }
  // Whether count records of size bytes each are there still: checked before a
  // table is sized from a count read in the file, which may be anything.
  bool holds(std::uint64_t count, std::size_t size) const { return ok_ && count <= remaining() / size; }
  std::uint8_t u8() { return static_cast<std::uint8_t>(get(1)); }
  std::uint16_t u16() { return static_cast<std::uint16_t>(get(2)); }
  std::uint32_t u32() { return static_cast<std::uint32_t>(get(4)); }
  std::uint64_t u64() { return get(8); }
  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
  std::int64_t i64() { return static_cast<std::int64_t>(u64()); }
  float f32() {
    const std::uint32_t v = u32();
    float f;
    std::memcpy(&f, &v, 4);
    return f;
  }
  std::string_view bytes() { return raw(u32()); }
  // n bytes as they are.
  std::string_view raw(std::size_t n) {
    if (!ok_ || n > remaining()) return fail(), std::string_view{};
    const std::string_view s = in_.substr(pos_, n);
    pos_ += n;
    return s;
  }

 private:
  void fail() {
    ok_ = false;
    pos_ = in_.size();
  }
  std::uint64_t get(std::size_t n) {
    if (!ok_ || n > remaining()) return fail(), 0;
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < n; ++i) v |= std::uint64_t{static_cast<unsigned char>(in_[pos_ + i])} << (8 * i);
    pos_ += n;
    return v;
  }
  std::string_view in_;
  std::size_t pos_ = 0;
  bool ok_ = true;

 public:
  // Marks the input as not what was expected (a value out of its range): every
  // later read fails too.
  void reject() { fail(); }
};

}  // namespace varnelio
