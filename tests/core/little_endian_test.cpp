// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/little_endian.h"

#include <gtest/gtest.h>

namespace varnelio {
namespace {

TEST(LittleEndian, WhatIsWrittenIsReadBackByteForByte) {
  std::string bytes;
  LittleEndianWriter w(bytes);
  w.raw("MAGI");
  w.u8(0xAB);
  w.u16(0x1234);
  w.u32(0xDEADBEEF);
  w.i64(-2);
  w.bytes("rosa");
  EXPECT_EQ(bytes.substr(0, 11), std::string("MAGI\xAB\x34\x12\xEF\xBE\xAD\xDE", 11));
  LittleEndianReader r(bytes);
  EXPECT_EQ(r.raw(4), "MAGI");
  EXPECT_EQ(r.u8(), 0xAB);
  EXPECT_EQ(r.u16(), 0x1234);
  EXPECT_EQ(r.u32(), 0xDEADBEEFu);
  EXPECT_EQ(r.i64(), -2);
  EXPECT_EQ(r.bytes(), "rosa");
  EXPECT_TRUE(r.ok());
  EXPECT_TRUE(r.atEnd());
}

// A short or damaged file: the reader fails, reads nothing past its bytes, and stays
// failed; a count read from the file is checked before a table is sized from it.
TEST(LittleEndian, ReadingPastTheEndFailsAndStaysFailed) {
  const std::string bytes("\x05\x00\x00\x00" "ab" "\x07\x00", 8);
  LittleEndianReader r(bytes);
  const std::uint32_t count = r.u32();
  EXPECT_EQ(count, 5u);
  EXPECT_TRUE(r.holds(2, 2));
  EXPECT_FALSE(r.holds(count, 1));
  EXPECT_FALSE(r.holds(0xFFFFFFFFu, 4));
  LittleEndianReader lengths(bytes);
  EXPECT_EQ(lengths.bytes(), "");  // a length of 5 with 4 bytes left
  EXPECT_FALSE(lengths.ok());
  EXPECT_EQ(lengths.u16(), 0);
  EXPECT_TRUE(lengths.atEnd());
  LittleEndianReader shortValue(std::string_view("\x01\x02\x03", 3));
  EXPECT_EQ(shortValue.u32(), 0u);
  EXPECT_FALSE(shortValue.ok());
  EXPECT_EQ(shortValue.raw(1), "");
}

}  // namespace
}  // namespace varnelio
