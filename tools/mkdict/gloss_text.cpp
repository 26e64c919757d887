// SPDX-License-Identifier: GPL-3.0-or-later
#include "mkdict/gloss_text.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "core/text/cp1252.h"
#include "mkdict/gloss_language_words.h"
#include "mkdict/plain_latin.h"

namespace varnelio::mkdict {

namespace {

struct NamedReference {
  std::string_view name;
  char32_t codePoint;
};

// The references the lexicon's glosses use, and the other Latin-1 letters a
// gloss may hold, sorted by name for a binary search.
constexpr std::array<NamedReference, 68> kNamed = {{
    {"AElig", 0xC6},  {"Aacute", 0xC1}, {"Acirc", 0xC2},   {"Agrave", 0xC0}, {"Auml", 0xC4},   {"Ccedil", 0xC7},
    {"Eacute", 0xC9}, {"Ecirc", 0xCA},  {"Egrave", 0xC8},  {"Euml", 0xCB},   {"Iacute", 0xCD}, {"Icirc", 0xCE},
    {"Iuml", 0xCF},   {"Lambda", 0x39B}, {"Mu", 0x39C},     {"OElig", 0x152}, {"Ocirc", 0xD4},  {"Ouml", 0xD6},
    {"Uuml", 0xDC},   {"aacute", 0xE1}, {"acirc", 0xE2},   {"acute", 0xB4},  {"aelig", 0xE6},  {"agrave", 0xE0},
    {"alpha", 0x3B1}, {"amp", '&'},     {"apos", '\''},    {"ast", '*'},     {"auml", 0xE4},   {"ccedil", 0xE7},
    {"eacute", 0xE9}, {"ecirc", 0xEA},  {"egrave", 0xE8},  {"epsilon", 0x3B5}, {"euml", 0xEB}, {"gt", '>'},
    {"iacute", 0xED}, {"icirc", 0xEE},  {"igrave", 0xEC},  {"iuml", 0xEF},   {"laquo", 0xAB},  {"ldquo", 0x201C},
    {"lsquo", 0x2018}, {"lt", '<'},     {"mdash", 0x2014}, {"middot", 0xB7}, {"mu", 0x3BC},    {"nbsp", 0xA0},
    {"ndash", 0x2013}, {"ntilde", 0xF1}, {"nu", 0x3BD},    {"oacute", 0xF3}, {"ocirc", 0xF4},  {"oelig", 0x153},
    {"ograve", 0xF2}, {"omicron", 0x3BF}, {"ouml", 0xF6},  {"pi", 0x3C0},    {"quot", '"'},    {"raquo", 0xBB},
    {"rdquo", 0x201D}, {"rho", 0x3C1},  {"rsquo", 0x2019}, {"szlig", 0xDF},  {"uacute", 0xFA}, {"ucirc", 0xFB},
    {"ugrave", 0xF9}, {"uuml", 0xFC},
}};


// The code point of a reference's name ("eacute", "#233", "#xE9"), or 0.
char32_t codePointOf(std::string_view name) {
  if (name.size() > 1 && name[0] == '#') {
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
    if (error != std::errc() || end != digits.data() + digits.size() || value == 0 || value > 0x10FFFF) return 0;
    return value;
  }
  const auto at = std::lower_bound(kNamed.begin(), kNamed.end(), name,
                                   [](const NamedReference& r, std::string_view n) { return r.name < n; });
  return at != kNamed.end() && at->name == name ? at->codePoint : 0;
}

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool contains(const std::string_view* begin, const std::string_view* end, std::string_view word) {
  return std::binary_search(begin, end, word, [](std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
  });
}

}  // namespace

std::string decodeHtmlEntities(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '&') {
      // A reference is short: "&" then at most a few letters or digits and ";".
      const std::size_t semicolon = utf8.find(';', i + 1);
      if (semicolon != std::string_view::npos && semicolon - i <= 10) {
        if (const char32_t cp = codePointOf(utf8.substr(i + 1, semicolon - i - 1))) {
          appendUtf8(out, cp);
          i = semicolon;
          continue;
        }
      }
    }
    out += utf8[i];
  }
  return out;
}

std::string withoutHomographNumbers(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= '0' && c <= '9' && !out.empty() && (isAsciiLetter(out.back()) || static_cast<unsigned char>(out.back()) >= 0xC0)) {
      std::size_t end = i;
      while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
      // "Pallas2 (", "Aiax2," but not "H2O" nor a number that goes on as a word.
      const bool wordEnds = end == text.size() || !(isAsciiLetter(text[end]) || static_cast<unsigned char>(text[end]) >= 0xC0);
      if (wordEnds) {
        i = end - 1;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

bool looksEnglish(std::string_view translation) {
  int english = 0, french = 0;
  std::string word;
  for (std::size_t i = 0; i <= translation.size(); ++i) {
    const auto c = i < translation.size() ? static_cast<unsigned char>(translation[i]) : ' ';
    if (cp1252::isLetter(c)) {
      word += static_cast<char>(cp1252::toLower(c));
      continue;
    }
    if (word.size() >= 2 && c != '.') {
      const std::size_t start = i - word.size();
      const bool afterHyphen = start > 0 && translation[start - 1] == '-';
      if (!afterHyphen) {
        if (contains(std::begin(kEnglishOnlyWords), std::end(kEnglishOnlyWords), word)) ++english;
        else if (contains(std::begin(kFrenchOnlyWords), std::end(kFrenchOnlyWords), word)) ++french;
      }
    }
    word.clear();
  }
  return english > french;
}

}  // namespace varnelio::mkdict
