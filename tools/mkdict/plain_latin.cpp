// SPDX-License-Identifier: GPL-3.0-or-later
#include "mkdict/plain_latin.h"

#include "core/text/cp1252.h"

namespace varnelio::mkdict {

namespace {

// Decodes one UTF-8 sequence at text[i]; returns the code point and advances i.
// A malformed byte is returned as itself, so that nothing is lost silently.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  int extra = 0;
  char32_t cp = b0;
  if (b0 >= 0xF8) {
    ++i;
    return 0xFFFD;
  }
  if (b0 >= 0xF0) {
    extra = 3;
    cp = b0 & 0x07;
  } else if (b0 >= 0xE0) {
    extra = 2;
    cp = b0 & 0x0F;
  } else if (b0 >= 0xC0) {
    extra = 1;
    cp = b0 & 0x1F;
  }
  if (b0 >= 0x80 && extra == 0) {
    ++i;
    return 0xFFFD;
  }
  if (i + extra >= text.size() + (extra ? 0 : 1)) {
    ++i;
    return 0xFFFD;
  }
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  i += 1 + extra;
  return cp;
}


// The plain letter behind a marked one, or 0 when the code point is not a mark.
char32_t plainLetter(char32_t cp) {
  switch (cp) {
    case 0x100: case 0x102: case 0x104: return U'A';
    case 0x101: case 0x103: case 0x105: return U'a';
    case 0x112: case 0x114: return U'E';
    case 0x113: case 0x115: return U'e';
    case 0x12A: case 0x12C: return U'I';
    case 0x12B: case 0x12D: return U'i';
    case 0x14C: case 0x14E: return U'O';
    case 0x14D: case 0x14F: return U'o';
    case 0x16A: case 0x16C: return U'U';
    case 0x16B: case 0x16D: case 0x1EE5: return U'u';  // ụ marks the u of "ngu", "qu"
    case 0x1EE4: return U'U';
    case 0x232: return U'Y';
    case 0x233: return U'y';
    case 0x45E: case 0x443: return U'y';  // Cyrillic ў / у used for a short y
    case 0x456: return U'i';              // Cyrillic і in place of i
    case 0x455: return U's';              // Cyrillic ѕ in place of s
    case 0x15F: return U's';
    default: return 0;
  }
}

}  // namespace

std::string stripQuantities(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const char32_t cp = nextCodePoint(utf8, i);
    if (cp >= 0x300 && cp <= 0x36F) continue;  // combining marks: breve, macron, dot...
    if (const char32_t plain = plainLetter(cp)) {
      out += static_cast<char>(plain);
      continue;
    }
    appendUtf8(out, cp);
  }
  return out;
}

std::string plainLatin(std::string_view utf8) { return cp1252::fromUtf8(stripQuantities(utf8)); }

std::string withoutHomonymNumber(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] >= '0' && text[end - 1] <= '9') --end;
  return std::string(text.substr(0, end));
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace varnelio::mkdict
