// SPDX-License-Identifier: GPL-3.0-or-later
#include "mkdict/inflector.h"

#include <algorithm>
#include <set>
#include <utility>

namespace varnelio::mkdict {

std::vector<std::string> radicalsOf(const LemmaLine& lemma, const InflectionModel& model, int n) {
  if (const auto given = lemma.givenRadicals.find(n); given != lemma.givenRadicals.end() && !given->second.empty())
    return given->second;
  const auto rule = model.radicals.find(n);
  if (rule == model.radicals.end()) return {};
  std::vector<std::string> radicals;
  for (const std::string& spelling : lemma.spellings) {
    std::string radical;
    switch (rule->second.kind) {
      case RadicalRule::Kind::GivenOnly:
        return {};
      case RadicalRule::Kind::Canonical:
        radical = spelling;
        break;
      case RadicalRule::Kind::Derived: {
        const auto cut = static_cast<std::size_t>(std::max(0, rule->second.cut));
        if (cut > spelling.size()) continue;
        radical = spelling.substr(0, spelling.size() - cut) + rule->second.append;
        break;
      }
    }
    if (std::find(radicals.begin(), radicals.end(), radical) == radicals.end()) radicals.push_back(radical);
  }
  return radicals;
}

std::vector<Inflection> inflect(const LemmaLine& lemma, const InflectionModel& model) {
  std::vector<Inflection> out;
  std::set<std::pair<int, std::string>> seen;
  auto add = [&](int morphology, std::string form) {
    if (form.empty()) return;
    if (seen.emplace(morphology, form).second) out.push_back({std::move(form), morphology});
  };

  std::map<int, std::vector<std::string>> radicalCache;
  for (const auto& [morphology, desinences] : model.desinences) {
    for (const Desinence& d : desinences) {
      auto cached = radicalCache.find(d.radical);
      if (cached == radicalCache.end())
        cached = radicalCache.emplace(d.radical, radicalsOf(lemma, model, d.radical)).first;
      for (const std::string& radical : cached->second) {
        const std::string bare = radical + d.ending;
        if (model.requiredSuffixes.empty()) {
          add(morphology, bare);
        } else {
          for (const std::string& suffix : model.requiredSuffixes) add(morphology, bare + suffix);
        }
        for (const auto& [numbers, suffix] : model.optionalSuffixes)
          if (std::find(numbers.begin(), numbers.end(), morphology) != numbers.end()) add(morphology, bare + suffix);
      }
    }
  }
  return out;
}

}  // namespace varnelio::mkdict
