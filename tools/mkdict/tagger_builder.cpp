// SPDX-License-Identifier: GPL-3.0-or-later
#include "mkdict/tagger_builder.h"

#include <charconv>
#include <map>

#include "mkdict/collatinus_lexicon.h"

namespace varnelio::mkdict {

std::optional<std::string> readTagCounts(std::string_view text, TaggerData& data) {
  std::map<std::string, std::uint8_t> index;
  std::vector<std::pair<std::string, std::uint32_t>> trigramLines;
  for (std::string_view line : dataLines(text)) {
    const std::size_t comma = line.rfind(',');
    if (comma == std::string_view::npos) continue;
    const std::string_view name = line.substr(0, comma);
    const std::string_view digits = line.substr(comma + 1);
    std::uint32_t count = 0;
    if (std::from_chars(digits.data(), digits.data() + digits.size(), count).ec != std::errc{}) continue;
    if (name.size() == 3) {
      if (index.contains(std::string(name)) || data.tags.size() >= 255) continue;
      index.emplace(std::string(name), static_cast<std::uint8_t>(data.tags.size()));
      data.tags.push_back({{name[0], name[1], name[2]}, count});
    } else if (name.size() == 11 && name[3] == ' ' && name[7] == ' ') {
      trigramLines.emplace_back(std::string(name), count);
    }
    // The lines of two tags count the pairs at the edges of sentences again;
    // the trigrams hold them already.
  }
  if (data.tags.empty()) return "tags.la ne contient aucune étiquette";
  for (const auto& [name, count] : trigramLines) {
    const auto a = index.find(name.substr(0, 3)), b = index.find(name.substr(4, 3)), c = index.find(name.substr(8, 3));
    if (a == index.end() || b == index.end() || c == index.end()) continue;
    data.trigrams.push_back({a->second, b->second, c->second, count});
  }
  return std::nullopt;
}

std::uint8_t governedCases(std::string_view indications) {
  const std::size_t prep = indications.find("pr\xE9p");
  if (prep == std::string_view::npos) return 0;
  const std::string_view rest = indications.substr(prep);
  std::uint8_t cases = 0;
  if (rest.find("acc") != std::string_view::npos) cases |= government::kAccusative;
  if (rest.find("abl") != std::string_view::npos) cases |= government::kAblative;
  return cases;
}

void addLemmaFacts(const AnalyserBuild& analyser, TaggerData& data) {
  data.lemmaFrequencies.clear();
  data.lemmaGovernment.clear();
  for (const LemmaLine* line : analyser.lines) {
    data.lemmaFrequencies.push_back(static_cast<std::uint32_t>(std::max(line->frequency, 0L)));
    data.lemmaGovernment.push_back(governedCases(line->indications));
  }
}

}  // namespace varnelio::mkdict
