// SPDX-License-Identifier: GPL-3.0-or-later
#include "mkdict/collatinus_lexicon.h"

#include <charconv>
#include <optional>

#include "mkdict/inflection_models.h"
#include "mkdict/gloss_text.h"
#include "mkdict/plain_latin.h"

namespace varnelio::mkdict {

std::vector<std::string_view> splitOn(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t at = text.find(separator, start);
    if (at == std::string_view::npos) {
      parts.push_back(text.substr(start));
      return parts;
    }
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
}

std::vector<std::string_view> dataLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::string_view line : splitOn(text, '\n')) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
      line.remove_suffix(1);
    if (line.empty() || line.front() == '!') continue;
    lines.push_back(line);
  }
  return lines;
}

namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

long leadingNumber(std::string_view s) {
  s = trim(s);
  long value = 0;
  std::from_chars(s.data(), s.data() + s.size(), value);
  return value;
}

// The two halves of a "key:value" line around its first separator, each trimmed;
// nothing when the line has no separator.
std::optional<std::pair<std::string_view, std::string_view>> halves(std::string_view line, char separator) {
  const std::size_t at = line.find(separator);
  if (at == std::string_view::npos) return std::nullopt;
  return std::pair{trim(line.substr(0, at)), trim(line.substr(at + 1))};
}

}  // namespace

std::vector<LemmaLine> readLemmas(std::string_view utf8Text) {
  std::vector<LemmaLine> lemmas;
  for (std::string_view line : dataLines(utf8Text)) {
    const auto fields = splitOn(line, '|');
    if (fields.size() < 2) continue;
    LemmaLine entry;
    const std::string_view head = fields[0];
    const std::size_t eq = head.find('=');
    entry.key = plainLatin(trim(head.substr(0, eq)));
    entry.lemma = withoutHomonymNumber(entry.key);
    if (entry.lemma.empty()) continue;
    if (eq != std::string_view::npos) {
      for (std::string_view s : splitOn(head.substr(eq + 1), ','))
        if (std::string p = withoutHomonymNumber(plainLatin(trim(s))); !p.empty()) entry.spellings.push_back(p);
    }
    if (entry.spellings.empty()) entry.spellings.push_back(entry.lemma);
    entry.model = std::string(trim(fields[1]));
    for (int r = 1; r <= 2; ++r) {
      if (fields.size() <= static_cast<std::size_t>(r + 1)) break;
      for (std::string_view s : splitOn(fields[r + 1], ','))  // "-": the lemma has none
        if (std::string p = plainLatin(trim(s)); !p.empty() && p != "-") entry.givenRadicals[r].push_back(p);
    }
    if (fields.size() > 4) entry.indications = plainLatin(trim(fields[4]));
    if (fields.size() > 5) entry.frequency = leadingNumber(fields[5]);
    lemmas.push_back(std::move(entry));
  }
  return lemmas;
}

std::map<std::string, std::string> readTranslations(std::string_view utf8Text) {
  std::map<std::string, std::string> translations;
  for (std::string_view line : dataLines(utf8Text))
    if (const auto h = halves(line, ':'); h && line.front() != ':')
      translations.emplace(plainLatin(h->first), plainLatin(decodeHtmlEntities(h->second)));
  return translations;
}

std::map<int, std::string> readMorphologies(std::string_view utf8Text) {
  std::map<int, std::string> morphos;
  for (std::string_view line : dataLines(utf8Text)) {
    const auto h = halves(line, ':');
    const long n = h ? leadingNumber(h->first) : 0;
    if (n > 0) morphos.emplace(static_cast<int>(n), plainLatin(h->second));  // the trailing bare words have none
  }
  return morphos;
}

std::vector<std::pair<std::string, std::string>> readContractions(std::string_view utf8Text) {
  std::vector<std::pair<std::string, std::string>> rules;
  for (std::string_view line : dataLines(utf8Text))
    if (const auto h = halves(line, ':'); h && !h->second.empty())
      rules.emplace_back(plainLatin(h->first), plainLatin(h->second));
  return rules;
}

std::vector<IrregularLine> readIrregulars(std::string_view utf8Text) {
  std::vector<IrregularLine> out;
  for (std::string_view line : dataLines(utf8Text)) {
    const auto fields = splitOn(line, ':');
    if (fields.size() < 3) continue;
    IrregularLine irregular;
    std::string_view form = trim(fields[0]);
    if (!form.empty() && form.back() == '*') {
      irregular.exclusive = true;
      form.remove_suffix(1);
    }
    irregular.form = plainLatin(form);
    irregular.lemmaKey = plainLatin(trim(fields[1]));
    irregular.morphologies = parseMorphologyList(trim(fields[2]));
    if (irregular.form.empty() || irregular.lemmaKey.empty() || irregular.morphologies.empty()) continue;
    out.push_back(std::move(irregular));
  }
  return out;
}

std::map<std::string, std::string> readModelClasses(std::string_view utf8Text) {
  std::map<std::string, std::string> classes;
  for (std::string_view line : dataLines(utf8Text))
    if (const auto h = halves(line, ','); h && !h->second.empty())
      classes.emplace(std::string(h->first), std::string(h->second));
  return classes;
}

}  // namespace varnelio::mkdict
