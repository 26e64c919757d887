// SPDX-License-Identifier: GPL-3.0-or-later
#include "mkdict/inflection_models.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "mkdict/collatinus_lexicon.h"
#include "mkdict/plain_latin.h"

namespace varnelio::mkdict {

namespace {

int toInt(std::string_view s) {
  int value = 0;
  std::from_chars(s.data(), s.data() + s.size(), value);
  return value;
}

// Desinences carry quantity marks and, here and there, a rarity digit ("ōc3").
std::string plainEnding(std::string_view utf8) {
  std::string plain = plainLatin(utf8);
  std::erase_if(plain, [](char c) { return c >= '0' && c <= '9'; });
  if (plain == "-") plain.clear();
  return plain;
}

using Constants = std::map<std::string, std::string, std::less<>>;

// Expands "$name" references: what precedes the reference is put before each of the
// constant's values ("ūr$lupus" -> "ūrŭs;ūrĕ;..."), and before each of their
// comma-separated alternatives.
std::vector<std::string> expandList(std::string_view list, const Constants& constants) {
  std::vector<std::string> items;
  for (std::string_view item : splitOn(list, ';')) {
    const std::size_t dollar = item.find('$');
    if (dollar == std::string_view::npos) {
      items.emplace_back(item);
      continue;
    }
    const std::string_view prefix = item.substr(0, dollar);
    const auto found = constants.find(item.substr(dollar + 1));
    if (found == constants.end()) continue;
    for (std::string_view value : splitOn(found->second, ';')) {
      std::string expanded;
      bool first = true;
      for (std::string_view alternative : splitOn(value, ',')) {
        if (!first) expanded += ',';
        first = false;
        expanded += prefix;
        expanded += alternative;
      }
      items.push_back(std::move(expanded));
    }
  }
  // "a;b;" ends with nothing to say: the trailing empty item is not a desinence.
  if (items.size() > 1 && items.back().empty()) items.pop_back();
  return items;
}

RadicalRule parseRadicalRule(std::string_view text) {
  RadicalRule rule;
  if (text == "K") {
    rule.kind = RadicalRule::Kind::Canonical;
  } else if (text == "-") {
    rule.kind = RadicalRule::Kind::GivenOnly;
  } else {
    const std::size_t comma = text.find(',');
    rule.cut = toInt(text.substr(0, comma));
    if (comma != std::string_view::npos) {
      const std::string_view append = text.substr(comma + 1);
      if (append != "0") rule.append = plainEnding(append);
    }
  }
  return rule;
}

bool sameRule(const RadicalRule& a, const RadicalRule& b) {
  return a.kind == b.kind && a.cut == b.cut && a.append == b.append;
}

}  // namespace

std::vector<int> parseMorphologyList(std::string_view text) {
  std::vector<int> numbers;
  for (std::string_view part : splitOn(text, ',')) {
    if (part.empty()) continue;
    const std::size_t dash = part.find('-');
    if (dash == std::string_view::npos) {
      numbers.push_back(toInt(part));
      continue;
    }
    const int from = toInt(part.substr(0, dash));
    const int to = toInt(part.substr(dash + 1));
    for (int n = from; n <= to && n - from < 1000; ++n) numbers.push_back(n);
  }
  return numbers;
}

namespace {

// modeles.la, line by line: constants ("$name=..."), then models, each opened by
// "modele:" and made of its parent's ("pere:") with its own lines over them.
class ModelFileReader {
 public:
  InflectionModels read(std::string_view utf8Text) {
    for (std::string_view line : dataLines(utf8Text)) readLine(line);
    close();
    return std::move(models_);
  }

 private:
  void readLine(std::string_view line) {
    if (line.front() == '$') {
      const std::size_t eq = line.find('=');
      if (eq != std::string_view::npos) constants_[std::string(line.substr(1, eq - 1))] = std::string(line.substr(eq + 1));
      return;
    }
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return;
    const std::string_view key = line.substr(0, colon);
    const std::string_view value = line.substr(colon + 1);
    if (key == "modele") {
      startModel(value);
      return;
    }
    if (!open_) return;
    if (key == "pere") {
      inherit(value);
    } else if (key == "pos") {
      current_.partOfSpeech = value.empty() ? 0 : value.front();
    } else if (key == "R") {
      radical(value);
    } else if (key == "des" || key == "des+") {
      desinences(value, key == "des");
    } else if (key == "abs") {
      for (int n : parseMorphologyList(value)) current_.desinences.erase(n);
    } else if (key == "suf") {
      const std::size_t c = value.rfind(':');
      if (c == std::string_view::npos) return;
      current_.optionalSuffixes.emplace_back(parseMorphologyList(value.substr(0, c)), plainEnding(value.substr(c + 1)));
    } else if (key == "sufd") {
      if (!ownRequiredSuffixes_) current_.requiredSuffixes.clear();
      ownRequiredSuffixes_ = true;
      current_.requiredSuffixes.push_back(plainEnding(value));
    }
  }

  void close() {
    if (open_) models_[current_.name] = current_;
    open_ = false;
  }

  void startModel(std::string_view name) {
    close();
    current_ = InflectionModel{};
    current_.name = std::string(name);
    ownRadicals_.clear();
    ownDesinences_.clear();
    ownRequiredSuffixes_ = false;
    open_ = true;
  }

  void inherit(std::string_view parentName) {
    const auto parent = models_.find(std::string(parentName));
    if (parent != models_.end()) {
      const std::string name = current_.name;
      current_ = parent->second;
      current_.name = name;
    }
    current_.parent = std::string(parentName);
  }

  // "R:number:rule".
  void radical(std::string_view value) {
    const std::size_t c = value.find(':');
    if (c == std::string_view::npos) return;
    const int number = toInt(value.substr(0, c));
    const RadicalRule rule = parseRadicalRule(value.substr(c + 1));
    if (number == 0 && !ownRadicals_.contains(0)) dropDerivedRadicalsIfCutDiffers(rule);
    current_.radicals[number] = rule;
    ownRadicals_.insert(number);
  }

  // A model that changes how its first radical is cut from the lemma cannot keep
  // the other radicals its parent derived by cutting the same lemma: moneo
  // ("-eo") inherits from amo ("-o") a supine radical "-at" that would give
  // "moneatus". Such radicals then come only from lemmes.la.
  void dropDerivedRadicalsIfCutDiffers(const RadicalRule& first) {
    const auto inherited = current_.radicals.find(0);
    if (inherited != current_.radicals.end() && sameRule(inherited->second, first)) return;
    std::erase_if(current_.radicals, [&](const auto& entry) {
      return entry.first != 0 && !ownRadicals_.contains(entry.first) && entry.second.kind == RadicalRule::Kind::Derived;
    });
  }

  // "des:morphologies:radical:list" replaces what the parent gave; "des+:..." adds.
  void desinences(std::string_view value, bool replacing) {
    const auto parts = splitOn(value, ':');
    if (parts.size() < 3) return;
    const std::vector<int> numbers = parseMorphologyList(parts[0]);
    const int radical = toInt(parts[1]);
    // The list itself may hold ':' in no known file, but keep whatever follows.
    const std::string_view list = value.substr(parts[0].size() + parts[1].size() + 2);
    const std::vector<std::string> items = expandList(list, constants_);
    for (std::size_t k = 0; k < numbers.size(); ++k) {
      // A list shorter than its morphologies repeats its last desinence.
      const std::string item = items.empty() ? std::string() : items[std::min(k, items.size() - 1)];
      addDesinences(numbers[k], radical, item, replacing);
    }
  }

  // The comma-separated alternatives of one morphology, each once. A second line
  // of the model itself for the same morphology adds to the first (amo:
  // "amavisse" and "amasse").
  void addDesinences(int morphology, int radical, std::string_view alternatives, bool replacing) {
    auto& slot = current_.desinences[morphology];
    if (replacing && !ownDesinences_.contains(morphology)) slot.clear();
    ownDesinences_.insert(morphology);
    for (std::string_view alternative : splitOn(alternatives, ',')) {
      Desinence d{radical, plainEnding(alternative)};
      const bool dup = std::any_of(slot.begin(), slot.end(), [&](const Desinence& e) {
        return e.radical == d.radical && e.ending == d.ending;
      });
      if (!dup) slot.push_back(std::move(d));
    }
  }

  InflectionModels models_;
  Constants constants_;
  InflectionModel current_;
  bool open_ = false;
  std::set<int> ownRadicals_;    // radicals the current model states itself
  std::set<int> ownDesinences_;  // morphologies it gives desinences for
  bool ownRequiredSuffixes_ = false;
};

}  // namespace

InflectionModels readInflectionModels(std::string_view utf8Text) { return ModelFileReader().read(utf8Text); }

}  // namespace varnelio::mkdict
