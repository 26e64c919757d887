// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/morphology/latin_spelling.h"

#include <array>

#include "core/text/cp1252.h"

namespace varnelio::latin {

namespace {

// One byte of a key for each byte of a word; 0 where the byte stands for two
// letters (æ, œ).
struct KeyTable {
  std::array<unsigned char, 256> key{};
  constexpr KeyTable() {
    for (int i = 0; i < 256; ++i) key[i] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; ++c) key[c] = static_cast<unsigned char>(c + 32);
    key['j'] = key['J'] = 'i';
    key['v'] = key['V'] = 'u';
    const auto vowels = [&](const char* codes, char plain) {
      for (const char* p = codes; *p; ++p) key[static_cast<unsigned char>(*p)] = static_cast<unsigned char>(plain);
    };
    // Both cases of à á â ã ä å, è é ê ë, ì í î ï, ò ó ô õ ö, ù ú û ü, ý ÿ.
    vowels("\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5", 'a');
    vowels("\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", 'e');
    vowels("\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", 'i');
    vowels("\xD2\xD3\xD4\xD5\xD6\xF2\xF3\xF4\xF5\xF6", 'o');
    vowels("\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", 'u');
    vowels("\xDD\xFD\xFF\x9F", 'y');
    key[0xC6] = key[0xE6] = 0;  // Æ æ
    key[0x8C] = key[0x9C] = 0;  // Œ œ
  }
};
constexpr KeyTable kKeys{};

int romanDigit(char c) {
  switch (c | 0x20) {
    case 'i': return 1;
    case 'v': return 5;
    case 'x': return 10;
    case 'l': return 50;
    case 'c': return 100;
    case 'd': return 500;
    case 'm': return 1000;
    default: return 0;
  }
}

}  // namespace

void appendKey(std::string& out, std::string_view word) {
  for (const char ch : word) {
    const auto c = static_cast<unsigned char>(ch);
    const unsigned char k = kKeys.key[c];
    if (k) {
      out += static_cast<char>(k);
    } else {
      out += (c == 0xC6 || c == 0xE6) ? 'a' : 'o';
      out += 'e';
    }
  }
}

std::string keyOf(std::string_view word) {
  std::string out;
  out.reserve(word.size() + 2);
  appendKey(out, word);
  return out;
}

int romanNumeralValue(std::string_view word) {
  if (word.empty() || word.size() > 16) return 0;
  const bool upper = word[0] >= 'A' && word[0] <= 'Z';
  for (const char c : word)
    if ((c >= 'A' && c <= 'Z') != upper || !romanDigit(c)) return 0;
  // Written place by place, thousands first. Each place is written the
  // subtractive way ("IV", "IX") or the additive way that Romans used as much
  // ("IIII", "VIIII": the clocks' IIII, Caesar's manuscripts): so "IIII" and
  // "XIV" are numerals, "VX", "IM", "XXC", "IIIII" are not.
  std::size_t at = 0;
  const auto letter = [&](std::size_t k) { return k < word.size() ? static_cast<char>(word[k] | 0x20) : '\0'; };
  int total = 0;
  while (letter(at) == 'm' && total < 3000) {
    total += 1000;
    ++at;
  }
  static constexpr std::array<std::array<char, 4>, 3> kPlaces{{{'c', 'd', 'm', 100}, {'x', 'l', 'c', 10}, {'i', 'v', 'x', 1}}};
  for (const auto& [one, five, ten, unit] : kPlaces) {
    int digit = 0;
    if (letter(at) == one && letter(at + 1) == ten) {
      digit = 9;
      at += 2;
    } else if (letter(at) == one && letter(at + 1) == five) {
      digit = 4;
      at += 2;
    } else {
      if (letter(at) == five) {
        digit = 5;
        ++at;
      }
      for (int ones = 0; ones < 4 && letter(at) == one; ++ones, ++at) ++digit;
    }
    total += digit * unit;
  }
  return at == word.size() ? total : 0;
}

bool writesLinesInCapitals(std::string_view text) {
  int capitalWords = 0;       // of two letters or more, in this sentence or line
  std::size_t wordLength = 0;
  bool small = false;         // a small letter in this sentence or line
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    const bool upper = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
    const bool lower = (c >= 'a' && c <= 'z') || (c >= 0xDF && c != 0xF7);
    if (upper) {
      ++wordLength;
      continue;
    }
    if (lower) {
      small = true;
      wordLength = 0;
      continue;
    }
    if (wordLength >= 2) ++capitalWords;
    wordLength = 0;
    if (c == '.' || c == '!' || c == '?' || c == '\n') {
      if (!small && capitalWords >= 2) return true;
      capitalWords = 0;
      small = false;
    }
  }
  return !small && capitalWords + (wordLength >= 2 ? 1 : 0) >= 2;
}

}  // namespace varnelio::latin
