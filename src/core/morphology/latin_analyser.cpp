// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/morphology/latin_analyser.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <variant>

#include "core/morphology/form_class_shares.h"
#include "core/morphology/latin_spelling.h"
#include "core/files/little_endian.h"
#include "core/files/source_file.h"

namespace varnelio {

namespace {

constexpr std::uint32_t kEnd = 0xFFFFFFFF;

std::uint32_t hashOf(std::string_view key, std::uint32_t tag) {
  std::uint32_t h = 2166136261u ^ (tag * 0x9E3779B1u);
  for (const char c : key) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return h ^ (h >> 15);
}

// Keys are a few letters long: a plain loop beats a call to memcmp.
inline bool sameKey(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

void appendUnique(std::vector<Analysis>& out, Analysis a) {
  if (std::find(out.begin(), out.end(), a) == out.end()) out.push_back(a);
}

void joinTo(std::string& out, std::string_view piece) {
  if (piece.empty()) return;
  if (!out.empty()) out += ' ';
  out += piece;
}

bool endsWith(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

}  // namespace

void LatinAnalyser::KeyIndex::build(const std::vector<std::string_view>& keys, const std::vector<std::uint32_t>& tags) {
  keys_ = keys;
  tags_ = tags;
  std::size_t size = 16;
  while (size < keys.size() * 2) size *= 2;
  slots_.assign(size, Slot{0, kEnd});
  next_.assign(keys.size(), kEnd);
  mask_ = static_cast<std::uint32_t>(size - 1);
  std::vector<std::uint32_t> tail(keys.size(), kEnd);  // last entry of the chain a head starts
  for (std::uint32_t i = 0; i < keys.size(); ++i) {
    const std::uint32_t hash = hashOf(keys[i], tags[i]);
    std::uint32_t slot = hash & mask_;
    while (true) {
      Slot& s = slots_[slot];
      if (s.head == kEnd) {
        s = {hash, i};
        tail[i] = i;
        break;
      }
      if (s.hash == hash && tags_[s.head] == tags[i] && keys_[s.head] == keys[i]) {
        next_[tail[s.head]] = i;
        tail[s.head] = i;
        break;
      }
      slot = (slot + 1) & mask_;
    }
  }
}

template <typename F>
void LatinAnalyser::KeyIndex::forEach(std::string_view key, std::uint32_t tag, F&& f) const {
  if (slots_.empty()) return;
  const std::uint32_t hash = hashOf(key, tag);
  std::uint32_t slot = hash & mask_;
  while (true) {
    const Slot& s = slots_[slot];
    if (s.head == kEnd) return;
    if (s.hash == hash && tags_[s.head] == tag && sameKey(keys_[s.head], key)) {
      for (std::uint32_t i = s.head; i != kEnd; i = next_[i]) f(i);
      return;
    }
    slot = (slot + 1) & mask_;
  }
}

bool LatinAnalyser::KeyIndex::contains(std::string_view key, std::uint32_t tag) const {
  bool found = false;
  forEach(key, tag, [&](std::uint32_t) { found = true; });
  return found;
}

std::size_t LatinAnalyser::KeyIndex::memoryUsed() const {
  return slots_.capacity() * sizeof(Slot) + next_.capacity() * 4 + keys_.capacity() * sizeof(std::string_view) +
         tags_.capacity() * 4;
}

LatinAnalyser LatinAnalyser::fromBytes(std::string bytes) {
  LatinAnalyser a;
  *a.bytes_ = std::move(bytes);
  if (a.decode()) {
    a.status_ = Status::Loaded;
  } else {
    a = LatinAnalyser();
    a.status_ = Status::Invalid;
  }
  return a;
}

// Reads the little-endian file (any read past the end, or a value out of its range,
// makes it bad, and every later read gives 0), with the strings the file names by
// their place in its pool.
class LatinAnalyser::Reader {
 public:
  explicit Reader(std::string_view bytes) : in_(bytes) {}
  bool bad() const { return !in_.ok(); }
  std::size_t left() const { return in_.remaining(); }
  std::uint8_t u8() { return in_.u8(); }
  std::uint16_t u16() { return in_.u16(); }
  std::uint32_t u32() { return in_.u32(); }
  std::string_view take(std::size_t n) { return in_.raw(n); }
  // The strings of the file are references into its pool: the pool must be set
  // before they are read. Each is a 16-bit length and its bytes.
  void setPool(std::string_view pool) { pool_ = pool; }
  std::string_view str() {
    const std::uint32_t ref = u32();
    if (ref > pool_.size()) return reject();
    LittleEndianReader entry(pool_.substr(ref));
    const std::string_view s = entry.raw(entry.u16());
    return entry.ok() ? s : reject();
  }
  // Marks the file as not an analyser file: a value out of its range.
  std::string_view reject() {
    in_.reject();
    return {};
  }
  // A count of records of `size` bytes that must all be there.
  std::uint32_t count(std::size_t size) {
    const std::uint32_t n = u32();
    if (!in_.holds(n, size)) {
      reject();
      return 0;
    }
    return n;
  }

 private:
  LittleEndianReader in_;
  std::string_view pool_;
};

bool LatinAnalyser::decode() {
  Reader r(*bytes_);
  if (r.take(8) != std::string_view(kAnalyserMagic, 8) || r.u32() != kAnalyserVersion) return false;
  const std::uint32_t poolSize = r.u32();
  r.setPool(r.take(poolSize));
  if (r.bad()) return false;
  readMorphologies(r);
  readLemmas(r);
  readEndings(r);
  readStems(r);
  readForms(r, irregulars_, false);
  readExclusions(r);
  readForms(r, abbreviations_, true);
  // Sorted by their text for lookup; a stable sort keeps the file's order of one text's readings.
  std::stable_sort(abbreviations_.begin(), abbreviations_.end(),
                   [](const Irregular& a, const Irregular& b) { return a.text < b.text; });
  for (const Irregular& a : abbreviations_) longestAbbreviation_ = std::max(longestAbbreviation_, a.text.size());
  for (auto* pairs : {&contractions_, &assimilations_}) readPairs(r, *pairs);
  if (r.bad() || r.left() != 0) return false;
  if (!buildIndexes()) return false;
  buildRuns();
  return true;
}

void LatinAnalyser::readMorphologies(Reader& r) {
  morphologies_.resize(r.count(5 * 4 + kFeatureBytes));
  for (Morphology& m : morphologies_) {
    m.personCase = r.str();
    m.gender = r.str();
    m.number = r.str();
    m.moodTenseVoice = r.str();
    m.deponentMoodTenseVoice = r.str();
    std::array<std::uint8_t, kFeatureBytes> bytes;
    for (std::uint8_t& b : bytes) b = r.u8();
    if (const auto features = featuresFromBytes(bytes)) m.features = *features;
    else r.reject();
  }
}

void LatinAnalyser::readLemmas(Reader& r) {
  lemmas_.resize(r.count(24));
  for (Lemma& l : lemmas_) {
    l.headword = r.str();
    l.category = r.str();
    l.translation = r.str();
    l.gender = r.str();
    l.model = r.u16();
    l.partOfSpeech = partOfSpeechOfLetter(static_cast<char>(r.u8()));
    l.flags = r.u8();
    l.frequency = r.u32();
  }
}

void LatinAnalyser::readEndings(Reader& r) {
  endings_.resize(r.count(9));
  for (Ending& e : endings_) {
    e.text = r.str();
    e.model = r.u16();
    e.radical = r.u8();
    e.morphology = r.u16();
    if (e.morphology >= morphologies_.size()) r.reject();
  }
}

void LatinAnalyser::readStems(Reader& r) {
  stems_.resize(r.count(9));
  for (Stem& s : stems_) {
    s.text = r.str();
    s.lemma = r.u32();
    s.radical = r.u8();
    if (s.lemma >= lemmas_.size()) r.reject();
  }
}

// The irregular forms and the abbreviations: a form, its lemma and morphology.
// An abbreviation cannot be empty, since it is matched as written.
void LatinAnalyser::readForms(Reader& r, std::vector<Irregular>& forms, bool abbreviations) {
  forms.resize(r.count(10));
  for (Irregular& i : forms) {
    i.text = r.str();
    i.lemma = r.u32();
    i.morphology = r.u16();
    if (i.lemma >= lemmas_.size() || i.morphology >= morphologies_.size() || (abbreviations && i.text.empty()))
      r.reject();
  }
}

void LatinAnalyser::readExclusions(Reader& r) {
  exclusions_.resize(r.count(6));
  for (std::uint64_t& x : exclusions_) {
    const std::uint64_t lemma = r.u32();
    x = lemma << 16 | r.u16();
  }
  std::sort(exclusions_.begin(), exclusions_.end());
}

void LatinAnalyser::readPairs(Reader& r, std::vector<std::pair<std::string, std::string>>& pairs) {
  pairs.resize(r.count(8));
  for (auto& [a, b] : pairs) {
    a = latin::keyOf(r.str());
    b = latin::keyOf(r.str());
    if (a.empty() || b.empty()) r.reject();
  }
}

// The lookup keys of the endings, stems and irregular forms, in that order, in one
// buffer that no longer grows once the views are taken.
std::vector<std::string_view> LatinAnalyser::buildKeys() {
  std::size_t keyBytes = 0;
  for (const Ending& e : endings_) keyBytes += e.text.size() * 2;
  for (const Stem& s : stems_) keyBytes += s.text.size() * 2;
  for (const Irregular& i : irregulars_) keyBytes += i.text.size() * 2;
  keyPool_->reserve(keyBytes);
  std::vector<std::pair<std::size_t, std::size_t>> spans;
  spans.reserve(endings_.size() + stems_.size() + irregulars_.size());
  auto addKey = [&](std::string_view text) {
    const std::size_t start = keyPool_->size();
    latin::appendKey(*keyPool_, text);
    spans.emplace_back(start, keyPool_->size() - start);
  };
  for (const Ending& e : endings_) addKey(e.text);
  for (const Stem& s : stems_) addKey(s.text);
  for (const Irregular& i : irregulars_) addKey(i.text);
  if (keyPool_->size() > keyBytes) return {};  // cannot happen: a key is at most twice its text
  std::vector<std::string_view> keys;
  keys.reserve(spans.size());
  for (const auto& [start, size] : spans) keys.push_back(std::string_view(*keyPool_).substr(start, size));
  return keys;
}

bool LatinAnalyser::buildIndexes() {
  const std::vector<std::string_view> all = buildKeys();
  if (all.size() != endings_.size() + stems_.size() + irregulars_.size()) return false;
  const auto endingKeys = all.begin(), stemKeys = endingKeys + static_cast<std::ptrdiff_t>(endings_.size()),
             irregularKeys = stemKeys + static_cast<std::ptrdiff_t>(stems_.size());
  std::vector<std::string_view> keys(endingKeys, stemKeys);
  std::vector<std::uint32_t> tags;
  tags.reserve(endings_.size());
  for (std::size_t k = 0; k < endings_.size(); ++k) {
    tags.push_back(static_cast<std::uint32_t>(endings_[k].model) << 8 | endings_[k].radical);
    longestEnding_ = std::max(longestEnding_, keys[k].size());
  }
  endingIndex_.build(keys, tags);
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  endingSet_.build(keys, std::vector<std::uint32_t>(keys.size(), 0));
  keys.assign(stemKeys, irregularKeys);
  stemIndex_.build(keys, std::vector<std::uint32_t>(keys.size(), 0));
  keys.assign(irregularKeys, all.end());
  irregularIndex_.build(keys, std::vector<std::uint32_t>(keys.size(), 0));
  return true;
}

namespace {

// Groups 0 to groups - 1 of the items 0 to n - 1 as runs of one list: run g is
// list[start[g]] to list[start[g + 1]], in the items' order.
template <typename GroupOf>
void buildRunsOf(std::size_t groups, std::size_t n, GroupOf groupOf, std::vector<std::uint32_t>& start,
                 std::vector<std::uint32_t>& list) {
  start.assign(groups + 1, 0);
  for (std::size_t k = 0; k < n; ++k) ++start[groupOf(k) + 1];
  for (std::size_t g = 0; g < groups; ++g) start[g + 1] += start[g];
  list.resize(n);
  std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
  for (std::size_t k = 0; k < n; ++k) list[fill[groupOf(k)]++] = static_cast<std::uint32_t>(k);
}

}  // namespace

// Runs of endings by model and of stems by lemma, for forEachForm.
void LatinAnalyser::buildRuns() {
  std::uint32_t modelCount = 0;
  for (const Lemma& l : lemmas_) modelCount = std::max<std::uint32_t>(modelCount, l.model + 1u);
  for (const Ending& e : endings_) modelCount = std::max<std::uint32_t>(modelCount, e.model + 1u);
  buildRunsOf(modelCount, endings_.size(), [&](std::size_t k) { return endings_[k].model; }, modelEndingStart_,
              modelEndings_);
  buildRunsOf(lemmas_.size(), stems_.size(), [&](std::size_t k) { return stems_[k].lemma; }, lemmaStemStart_,
              lemmaStems_);
  spellingCount_.assign(static_cast<std::size_t>(modelCount) * morphologies_.size(), 0);
  for (const Ending& e : endings_) {
    std::uint8_t& n = spellingCount_[static_cast<std::size_t>(e.model) * morphologies_.size() + e.morphology];
    if (n < 255) ++n;
  }
}

bool LatinAnalyser::excluded(std::uint32_t lemma, std::uint16_t morphology) const {
  return std::binary_search(exclusions_.begin(), exclusions_.end(),
                            static_cast<std::uint64_t>(lemma) << 16 | morphology);
}

// The lexicon's own forms: the irregular forms, and every split of the key into a
// stem of a lemma and an ending that the lemma's model puts on that stem.
void LatinAnalyser::coreAnalyses(std::string_view key, std::vector<Analysis>& out) const {
  irregularIndex_.forEach(key, 0, [&](std::uint32_t i) {
    appendUnique(out, {irregulars_[i].lemma, irregulars_[i].morphology});
  });
  const std::size_t n = key.size();
  for (std::size_t k = n > longestEnding_ ? n - longestEnding_ : 0; k <= n; ++k) {
    const std::string_view ending = key.substr(k);
    if (!endingSet_.contains(ending, 0)) continue;
    stemIndex_.forEach(key.substr(0, k), 0, [&](std::uint32_t s) {
      const Stem& stem = stems_[s];
      const Lemma& lemma = lemmas_[stem.lemma];
      endingIndex_.forEach(ending, static_cast<std::uint32_t>(lemma.model) << 8 | stem.radical, [&](std::uint32_t e) {
        const std::uint16_t m = endings_[e].morphology;
        if ((lemma.flags & lemma_flag::kHasExclusions) && excluded(stem.lemma, m)) return;
        appendUnique(out, {stem.lemma, m});
      });
    });
  }
}

// The lexicon's forms, the contracted perfects, and the short genitive in -i.
void LatinAnalyser::baseAnalyses(std::string_view key, std::vector<Analysis>& out) const {
  coreAnalyses(key, out);
  std::vector<Analysis> more;
  std::string longer;
  // "amarunt" for "amaverunt", "audisse" for "audivisse": the contracted perfects
  // are additional analyses, never in place of the regular ones ("amaris").
  for (const auto& [shortEnding, longEnding] : contractions_) {
    // The last letter first: most words end in none of these endings.
    if (key.size() <= shortEnding.size() || key.back() != shortEnding.back() || !endsWith(key, shortEnding)) continue;
    longer.assign(key.substr(0, key.size() - shortEnding.size()));
    longer += longEnding;
    more.clear();
    coreAnalyses(longer, more);
    for (const Analysis& a : more)
      if (isPerfectSystem(morphology(a.morphology))) appendUnique(out, a);
  }
  // "virum", "deum", "nummum", "sestertium": the genitive plural in -um of the
  // masculine nouns of the second declension, for -orum (never the neuters:
  // "consilium" is no genitive); and, for -arum, of the patronymics in -ades,
  // -ides and the compounds in -cola, -gena of the first ("Aeneadum",
  // "caelicolum"), the only nouns of the first that poets give it.
  if (key.size() > 3 && endsWith(key, "um")) {
    const bool firstDeclension = endsWith(key, "adum") || endsWith(key, "idum") || endsWith(key, "colum") ||
                                 endsWith(key, "genum");
    for (const std::string_view full : {std::string_view("orum"), std::string_view("arum")}) {
      if (full == "arum" && !firstDeclension) continue;
      longer.assign(key.substr(0, key.size() - 2));
      longer += full;
      more.clear();
      coreAnalyses(longer, more);
      for (const Analysis& a : more) {
        const Lemma& l = lemmas_[a.lemma];
        if (l.partOfSpeech != PartOfSpeech::Noun || caseOf(a) != GrammaticalCase::Genitive ||
            numberOf(a) != GrammaticalNumber::Plural || !l.gender.starts_with("m."))
          continue;
        if (full == "arum" && !(endsWith(l.headword, "ades") || endsWith(l.headword, "ides") ||
                                endsWith(l.headword, "cola") || endsWith(l.headword, "gena")))
          continue;
        appendUnique(out, a);
      }
    }
  }
  iStemAccusatives(key, out);
  // "provincis", "auspicis": the dative and ablative plural in -is of the nouns in
  // -ia, -ius and -ium, for -iis.
  if (key.size() > 3 && endsWith(key, "is") && key[key.size() - 3] != 'i') {
    longer.assign(key.substr(0, key.size() - 2));
    longer += "iis";
    more.clear();
    coreAnalyses(longer, more);
    for (Analysis a : more) {
      const GrammaticalCase c = caseOf(a);
      if (lemmas_[a.lemma].partOfSpeech != PartOfSpeech::Noun || numberOf(a) != GrammaticalNumber::Plural ||
          (c != GrammaticalCase::Dative && c != GrammaticalCase::Ablative))
        continue;
      a.contracted = true;
      appendUnique(out, a);
    }
  }
  // "consili", "imperi": the genitive singular of the nouns in -ius and -ium
  // written with one i; and of the Roman names in -ius, which the lexicon
  // declines as adjectives ("Rosci", "Vergili").
  if (key.size() > 1 && key.back() == 'i' && key[key.size() - 2] != 'i') {
    longer.assign(key);
    longer += 'i';
    more.clear();
    coreAnalyses(longer, more);
    for (const Analysis& a : more) {
      const Lemma& l = lemmas_[a.lemma];
      const bool name = !l.headword.empty() && l.headword.front() >= 'A' && l.headword.front() <= 'Z';
      if (!(l.partOfSpeech == PartOfSpeech::Noun || (l.partOfSpeech == PartOfSpeech::Adjective && name)) || caseOf(a) != GrammaticalCase::Genitive ||
          numberOf(a) != GrammaticalNumber::Singular)
        continue;
      // An adjective's genitive singular is masculine or neuter: the name's is masculine.
      if (l.partOfSpeech == PartOfSpeech::Adjective && morphology(a.morphology).gender != GrammaticalGender::Masculine) continue;
      const std::string lemmaKey = latin::keyOf(l.headword);
      if (!(endsWith(lemmaKey, "ius") || endsWith(lemmaKey, "ium"))) continue;
      // A reading beside the word's regular ones, listed after them ("ubi" is
      // first the adverb, then the genitive of the name Ubius).
      Analysis genitive = a;
      genitive.variant = l.partOfSpeech == PartOfSpeech::Adjective;
      appendUnique(out, genitive);
    }
  }
}

void LatinAnalyser::withEnclitics(std::string_view key, std::vector<Analysis>& out) const {
  std::vector<Analysis> more;
  if (key.size() > 3 && endsWith(key, "que")) baseAnalyses(key.substr(0, key.size() - 3), out);
  // "mecum", "nobiscum", "quocum": an ablative of a pronoun with the preposition after it.
  if (key.size() > 3 && endsWith(key, "cum")) {
    baseAnalyses(key.substr(0, key.size() - 3), more);
    for (const Analysis& a : more)
      if (lemmas_[a.lemma].partOfSpeech == PartOfSpeech::Pronoun && caseOf(a) == GrammaticalCase::Ablative) appendUnique(out, a);
  }
  // -ne and -ve end too many words of their own ("ratione", "nave") to be tried
  // where the word already has an analysis.
  if (out.empty()) {
    for (const std::string_view enclitic : {std::string_view("ne"), std::string_view("ue")})
      if (key.size() > 2 && endsWith(key, enclitic)) baseAnalyses(key.substr(0, key.size() - 2), out);
  }
}

void LatinAnalyser::analyse(std::string_view word, std::vector<Analysis>& out, SmallNumerals small) const {
  out.clear();
  if (word.empty()) return;
  std::string key;
  latin::appendKey(key, word);
  if (!lemmas_.empty()) {
    baseAnalyses(key, out);
    withEnclitics(key, out);
    // A prefix written the other way: "conloquium" for "colloquium", "inpono"
    // for "impono", "exspecto" for "expecto". Tried even where the word has
    // analyses: "aggredior" is a form of adgredior beside the archaic aggredio.
    std::string other;
    for (const auto& [plain, assimilated] : assimilations_) {
      for (int way = 0; way < 2; ++way) {
        const std::string& from = way ? assimilated : plain;
        const std::string& to = way ? plain : assimilated;
        if (key.size() <= from.size() || key.compare(0, from.size(), from) != 0) continue;
        other.assign(to);
        other.append(key, from.size());
        baseAnalyses(other, out);
        withEnclitics(other, out);
      }
    }
  }
  // "L", "Cn", "tr", "pl", "Febr": the abbreviations, matched as written.
  if (word.size() <= longestAbbreviation_) {
    const auto [first, last] = std::equal_range(abbreviations_.begin(), abbreviations_.end(), Irregular{word, 0, 0},
                                                [](const Irregular& a, const Irregular& b) { return a.text < b.text; });
    for (auto a = first; a != last; ++a) appendUnique(out, {a->lemma, a->morphology});
  }
  // A numeral written in capitals is one even when it spells a word ("DIC");
  // in small letters only when it is nothing else ("xiv"), in a text that writes
  // no line in capitals.
  const bool capitals = std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
  if (capitals || (out.empty() && small == SmallNumerals::Read)) {
    const int value = latin::romanNumeralValue(word);
    // The lexicon lists a few numerals itself ("L", "C"): one answer is enough.
    const bool listed = std::any_of(out.begin(), out.end(), [&](const Analysis& a) {
      return lemmas_[a.lemma].headword == word && lemmas_[a.lemma].category.starts_with("num");
    });
    if (value && !listed) out.push_back({Analysis::kRomanNumeral, static_cast<std::uint16_t>(value)});
  }
  // "med", "ted", "sed": the accusative and ablative of the personal pronouns in
  // early Latin (Plautus, Terence, the old laws). "sed" is first the conjunction:
  // the pronoun comes after it.
  if (key.size() == 3 && key[1] == 'e' && key[2] == 'd' && !lemmas_.empty()) {
    std::vector<Analysis> more;
    coreAnalyses(key.substr(0, 2), more);
    const bool alone = out.empty();
    for (Analysis a : more) {
      const GrammaticalCase c = caseOf(a);
      if (lemmas_[a.lemma].partOfSpeech != PartOfSpeech::Pronoun || (c != GrammaticalCase::Accusative && c != GrammaticalCase::Ablative))
        continue;
      a.note = Analysis::Note::Early;
      a.variant = !alone;
      appendUnique(out, a);
    }
  }
  if (out.empty() && !lemmas_.empty()) olderSpellings(key, out);
}

// "transiebant", "rediebant": the imperfect of the compounds of eo
// made as in the fourth conjugation, which later Latin writes (the Vulgate,
// the Fathers) for "exibat". Said to be later Latin where it is shown.
void LatinAnalyser::laterImperfects(std::string_view key, std::vector<Analysis>& out) const {
  const std::size_t at = key.find("ieba");
  if (at == std::string_view::npos || at == 0) return;
  std::string classical(key.substr(0, at));
  classical += "iba";
  classical.append(key.substr(at + 4));
  std::vector<Analysis> more;
  baseAnalyses(classical, more);
  for (Analysis a : more) {
    const Lemma& l = lemmas_[a.lemma];
    // The imperfect indicative, active, of a verb whose headword ends in eo and
    // whose imperfect is in -ibam: a compound of eo.
    const MorphologyFeatures& m = morphology(a.morphology);
    const bool imperfect = m.kind == FormKind::Finite && m.mood == Mood::Indicative && m.tense == Tense::Imperfect &&
                           m.voice == Voice::Active;
    if (l.partOfSpeech != PartOfSpeech::Verb || !imperfect || !endsWith(latin::keyOf(l.headword), "eo")) continue;
    a.note = Analysis::Note::Late;
    appendUnique(out, a);
  }
}

// What a word that is nothing else may still be, the likeliest first: the later
// imperfect of eo, a form of early Latin, the Greek case of a name, a word run
// together with est or -ne, and last a spelling of another age.
void LatinAnalyser::olderSpellings(std::string_view key, std::vector<Analysis>& out) const {
  laterImperfects(key, out);
  if (out.empty()) earlyAndSpokenForms(key, out);
  if (out.empty()) pronounCompounds(key, out);
  if (out.empty()) joinedPronouns(key, out);
  if (out.empty()) keptReduplications(key, out);
  if (out.empty()) numeralsOfOffices(key, out);
  if (out.empty()) greekCasesOfNames(key, out);
  if (out.empty()) runTogether(key, out);
  if (out.empty()) thirdDeclensionGenitives(key, out);
  if (out.empty()) secondPersonsInRe(key, out);
  if (out.empty()) spellingsOfOtherAges(key, out);
}

namespace {

bool isVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == 'y'; }

}  // namespace

std::optional<std::uint16_t> LatinAnalyser::findMorphology(const MorphologyFeatures& wanted) const {
  for (std::size_t m = 0; m < morphologies_.size(); ++m)
    if (morphologies_[m].features == wanted) return static_cast<std::uint16_t>(m);
  return std::nullopt;
}

// The forms of early Latin that Plautus, Terence, Ennius, Lucretius and the old
// laws write, and that later poets keep for their colour (Allen and Greenough,
// 43.1, 146, 170b, 181b, 183).
void LatinAnalyser::earlyAndSpokenForms(std::string_view key, std::vector<Analysis>& out) const {
  std::vector<Analysis> more;
  std::string other;
  const std::size_t n = key.size();
  const auto early = [&](Analysis a) {
    a.note = Analysis::Note::Early;
    appendUnique(out, a);
  };
  // "materiai", "aulai", "terrai": the genitive singular of the first declension
  // in -ai, a syllable more than -ae.
  if (n > 3 && endsWith(key, "ai")) {
    other.assign(key.substr(0, n - 1));
    other += 'e';
    coreAnalyses(other, more);
    for (const Analysis& a : more) {
      const PartOfSpeech pos = lemmas_[a.lemma].partOfSpeech;
      const bool feminineAdjective = pos == PartOfSpeech::Adjective && morphology(a.morphology).gender == GrammaticalGender::Feminine;
      if ((pos == PartOfSpeech::Noun || feminineAdjective) && caseOf(a) == GrammaticalCase::Genitive &&
          numberOf(a) == GrammaticalNumber::Singular)
        early(a);
    }
  }
  // "dicier", "immutarier", "adferrier": the present passive infinitive in -ier.
  if (n > 4 && endsWith(key, "ier")) {
    other.assign(key.substr(0, n - 3));
    other += 'i';
    more.clear();
    coreAnalyses(other, more);
    for (const Analysis& a : more) {
      const MorphologyFeatures& m = morphology(a.morphology);
      if (m.kind == FormKind::Infinitive && m.tense == Tense::Present && m.voice == Voice::Passive) early(a);
    }
  }
  // "siem", "sies", "siet", "sient", "possiet" and "fuam", "fuas", "fuat", "fuant":
  // the present subjunctive of sum and of its compounds.
  for (const auto& [old, classical] : {std::pair{std::string_view("sie"), std::string_view("si")},
                                       std::pair{std::string_view("fua"), std::string_view("si")}}) {
    const std::size_t at = key.rfind(old);
    if (at == std::string_view::npos) continue;
    const std::string_view rest = key.substr(at + old.size());
    if (rest != "m" && rest != "s" && rest != "t" && rest != "mus" && rest != "tis" && rest != "nt") continue;
    other.assign(key.substr(0, at));
    other += classical;
    other += rest;
    more.clear();
    coreAnalyses(other, more);
    for (const Analysis& a : more) {
      const MorphologyFeatures& m = morphology(a.morphology);
      if (m.kind == FormKind::Finite && m.mood == Mood::Subjunctive && m.tense == Tense::Present &&
          endsWith(latin::keyOf(lemmas_[a.lemma].headword), "sum"))
        early(a);
    }
  }
  // The present subjunctives of a verb under its classical spelling.
  const auto presentSubjunctivesOf = [&](const std::string& classical) {
    more.clear();
    coreAnalyses(classical, more);
    for (const Analysis& a : more) {
      const MorphologyFeatures& m = morphology(a.morphology);
      if (lemmas_[a.lemma].partOfSpeech == PartOfSpeech::Verb && m.kind == FormKind::Finite &&
          m.mood == Mood::Subjunctive && m.tense == Tense::Present)
        early(a);
    }
  };
  // "duim", "duit", "perduint", "creduis": the old present subjunctive of do and
  // its compounds, for "dem", "det", "perdant", "credas".
  for (const auto& [old, classical] : {std::pair{std::string_view("duim"), std::string_view("dem")},
                                       std::pair{std::string_view("duis"), std::string_view("des")},
                                       std::pair{std::string_view("duit"), std::string_view("det")},
                                       std::pair{std::string_view("duint"), std::string_view("dent")}}) {
    if (!endsWith(key, old)) continue;
    other.assign(key.substr(0, n - old.size()));
    other += classical;
    presentSubjunctivesOf(other);
    // "perdant", "credas": the compounds in -do of the third conjugation.
    other.assign(key.substr(0, n - old.size()));
    other += 'd';
    other += old.back() == 'm' ? "am" : old.back() == 's' ? "as" : old.back() == 't' && old.size() == 4 ? "at" : "ant";
    presentSubjunctivesOf(other);
  }
  // "ipsus": the nominative of ipse in comedy.
  if (key == "ipsus") {
    more.clear();
    coreAnalyses("ipse", more);
    for (const Analysis& a : more)
      if (caseOf(a) == GrammaticalCase::Nominative && morphology(a.morphology).gender == GrammaticalGender::Masculine)
        early(a);
  }
  sigmaticOptatives(key, out);
  syncopatedPerfects(key, out);
}

// "dixti", "evasti", "vixet", "traxe", "accestis": after the s or x of a
// perfect in -si or -xi, -isti, -istis, -isse, -issem... lose -is- or -iss-
// ("dixisti", "extinxissem", "traxisse", "accessistis"). Beside the contracted
// perfects, and like them unmarked: Catullus and Vergil write them.
void LatinAnalyser::syncopatedPerfects(std::string_view key, std::vector<Analysis>& out) const {
  std::vector<Analysis> more;
  std::string other;
  // The perfect-system readings of the key with `letters` put back before byte `at`.
  const auto tryRestored = [&](std::size_t at, std::string_view letters) {
    other.assign(key.substr(0, at));
    other += letters;
    other.append(key.substr(at));
    more.clear();
    coreAnalyses(other, more);
    for (Analysis a : more) {
      if (!isPerfectSystem(morphology(a.morphology))) continue;
      a.contracted = true;
      appendUnique(out, a);
    }
  };
  // "isset", "desisse", "redisset", "abisti": the perfects in -ii (of eo and its
  // compounds, of desino) write ii before s as one i ("iisset", "desiisse").
  for (std::size_t at = key.find("is"); at != std::string_view::npos; at = key.find("is", at + 1)) {
    if (at + 2 >= key.size() || (key[at + 2] != 's' && key[at + 2] != 't') || (at > 0 && key[at - 1] == 'i')) continue;
    tryRestored(at, "i");
  }
  for (std::size_t at = 2; at + 1 < key.size(); ++at) {
    const char before = key[at - 1], next = key[at];
    if (before != 's' && before != 'x') continue;
    std::string_view inserts[2];
    std::size_t count = 0;
    if (next == 't' || next == 's') inserts[count++] = "is";
    if (next == 'e') inserts[count++] = "iss";
    if (next == 't' && before == 's') inserts[count++] = "sis";
    for (std::size_t k = 0; k < count; ++k) tryRestored(at, inserts[k]);
  }
}

// "ausim", "faxit", "capsis", "amassis", "prohibessis": the old optative in -sim
// made on the present stem with s (d + s and t + s give s, c + s and g + s give
// x; the first and second conjugations add -ass-, -ess-), read as the perfect
// subjunctive it stands for ("ausim": I would dare).
void LatinAnalyser::sigmaticOptatives(std::string_view key, std::vector<Analysis>& out) const {
  static constexpr std::pair<std::string_view, std::pair<int, GrammaticalNumber>> kEndings[] = {
      {"im", {1, GrammaticalNumber::Singular}},   {"is", {2, GrammaticalNumber::Singular}},
      {"it", {3, GrammaticalNumber::Singular}},   {"imus", {1, GrammaticalNumber::Plural}},
      {"itis", {2, GrammaticalNumber::Plural}},   {"int", {3, GrammaticalNumber::Plural}}};
  std::vector<Analysis> more;
  std::string present;
  // A verb whose perfect is itself in -si or -xi ("absumpsi", "dixi") reads such a
  // form as that perfect with another spelling ("absumsit"), not as an optative.
  const auto sigmaticPerfect = [&](std::uint32_t lemma) {
    bool sigmatic = false;
    forEachForm(lemma, [&](std::string_view form, std::uint16_t m) {
      const MorphologyFeatures& f = morphology(m);
      if (f.kind == FormKind::Finite && f.tense == Tense::Perfect && f.mood == Mood::Indicative &&
          f.voice == Voice::Active && f.person == GrammaticalPerson::First && f.number == GrammaticalNumber::Singular &&
          (endsWith(form, "si") || endsWith(form, "xi")))
        sigmatic = true;
    });
    return sigmatic;
  };
  for (const auto& [ending, personNumber] : kEndings) {
    if (key.size() < ending.size() + 3 || !endsWith(key, ending)) continue;
    const std::string_view front = key.substr(0, key.size() - ending.size());
    const char sound = front.back();
    if (sound != 's' && sound != 'x') continue;
    const std::string_view stem = front.substr(0, front.size() - 1);
    // The present stems the s or x may stand on, and the first person endings tried.
    // The present stems the s or x may stand on, each with the conjugation it
    // would have: c, g or h before x (fac-io, dic-o); a dental before s after a
    // vowel (aud-eo), the stem itself after a consonant (cap-io); -ass-, -ess- of
    // the first and second conjugations (am-o, prohib-eo).
    struct Present {
      std::string stem;
      std::string_view first, conjugation;
    };
    std::vector<Present> stems;
    const auto consonantStem = [&](std::string s) {
      stems.push_back({s, "o", "v. 3"});
      stems.push_back({s, "io", "v. 3"});
    };
    if (sound == 'x') {
      for (const char c : {'c', 'g', 'h'}) consonantStem(std::string(stem) + c);
    } else if (isVowel(stem.back())) {
      for (const char c : {'d', 't'}) {
        consonantStem(std::string(stem) + c);
        stems.push_back({std::string(stem) + c, "eo", "v. 2"});
      }
    } else {
      consonantStem(std::string(stem));
      if (endsWith(stem, "as")) stems.push_back({std::string(stem.substr(0, stem.size() - 2)), "o", "v. 1"});
      if (endsWith(stem, "es")) stems.push_back({std::string(stem.substr(0, stem.size() - 2)), "eo", "v. 2"});
    }
    MorphologyFeatures perfect{FormKind::Finite, GrammaticalCase::None, personNumber.second};
    perfect.person = static_cast<GrammaticalPerson>(personNumber.first);
    perfect.mood = Mood::Subjunctive;
    perfect.tense = Tense::Perfect;
    perfect.voice = Voice::Active;
    const std::optional<std::uint16_t> perfectSubjunctive = findMorphology(perfect);
    if (!perfectSubjunctive) return;
    for (const Present& p : stems) {
      {
        present.assign(p.stem);
        present += p.first;
        more.clear();
        coreAnalyses(present, more);
        for (const Analysis& a : more) {
          const MorphologyFeatures& m = morphology(a.morphology);
          if (lemmas_[a.lemma].partOfSpeech != PartOfSpeech::Verb || lemmas_[a.lemma].category != p.conjugation ||
              m.kind != FormKind::Finite || m.mood != Mood::Indicative || m.tense != Tense::Present ||
              m.person != GrammaticalPerson::First || m.number != GrammaticalNumber::Singular ||
              sigmaticPerfect(a.lemma))
            continue;
          Analysis optative{a.lemma, *perfectSubjunctive};
          optative.note = Analysis::Note::Early;
          appendUnique(out, optative);
        }
      }
    }
  }
}

namespace {

// The pronouns and pronominal adjectives that a particle makes indefinite or
// general, whatever their case: quis and qui, uter, qualis, quantus, quotus.
bool indefiniteBase(std::string_view headwordKey) {
  for (const std::string_view base : {"quis", "qui", "uter", "qualis", "quantus", "quotus"})
    if (headwordKey == base) return true;
  return false;
}

}  // namespace

// The lemma whose headword is `headword` among the analyses of that word, if the
// lexicon has one.
std::optional<std::uint32_t> LatinAnalyser::lemmaNamed(std::string_view headword) const {
  std::vector<Analysis> found;
  coreAnalyses(headword, found);
  for (const Analysis& a : found)
    if (latin::keyOf(lemmas_[a.lemma].headword) == headword) return a.lemma;
  return std::nullopt;
}

// "quidlibet", "utrumvis", "qualiacumque", "quantalibet", "quempiam", "ecquem",
// "ecquonam": a particle put after any case of quis or qui, uter, qualis,
// quantus, quotus (-libet or -lubet, -vis, -cumque, -piam, -quam, -nam), or ec-
// before quis and qui (Allen and Greenough 151, 152). The case is the pronoun's;
// the lemma is the compound where the lexicon has it (quilibet, quivis,
// qualiscumque, ecquis), else the pronoun itself.
void LatinAnalyser::pronounCompounds(std::string_view key, std::vector<Analysis>& out) const {
  static constexpr std::string_view kParticles[] = {"libet", "lubet", "uis", "cumque", "cunque", "piam", "quam", "nam"};
  std::string_view front = key, particle;
  for (const std::string_view p : kParticles)
    if (key.size() > p.size() + 1 && endsWith(key, p)) {
      front = key.substr(0, key.size() - p.size());
      particle = p == "lubet" ? "libet" : p == "cunque" ? "cumque" : p;
      break;
    }
  const bool ec = front.size() > 4 && front.starts_with("ecqu");
  if (ec) front.remove_prefix(2);
  if (particle.empty() && !ec) return;
  std::vector<Analysis> more;
  coreAnalyses(front, more);
  std::string name;
  for (const Analysis& a : more) {
    const std::string base = latin::keyOf(lemmas_[a.lemma].headword);
    if (!indefiniteBase(base) || caseOf(a) == GrammaticalCase::None) continue;
    std::optional<std::uint32_t> compound;
    // quis and qui share their compounds: "quidlibet" is a form of quilibet.
    for (const std::string_view stem : {std::string_view(base), std::string_view(base == "quis" ? "qui" : base == "qui" ? "quis" : "")}) {
      if (stem.empty() || compound) continue;
      for (const bool withParticle : {true, false}) {
        if (compound || (!withParticle && !ec) || (withParticle && particle.empty())) continue;
        name.assign(ec ? "ec" : "");
        name += stem;
        if (withParticle) name += particle;
        compound = lemmaNamed(name);
      }
    }
    appendUnique(out, {compound.value_or(a.lemma), a.morphology});
  }
}

// Pronouns run together with a particle, as comedy and the older prose write
// them: "eccum", "eccam", "eccillum" (ecce eum, ecce eam, ecce illum);
// "eapse", "eumpse" (ea ipsa, eum ipsum); "horunc", "illisce", "cuiusce" (the
// demonstrative -ce); "suomet", "suismet" (-met after a possessive); and
// "cuiusmodi", "istiusmodi", "cuicuimodi", the genitive of modus after a
// pronoun's (Allen and Greenough 143, 146, 152).
void LatinAnalyser::joinedPronouns(std::string_view key, std::vector<Analysis>& out) const {
  const std::size_t n = key.size();
  if (n < 5) return;
  std::vector<Analysis> more;
  std::string other;
  // The analyses of `word` of these lemmas, in the cases `wanted` allows.
  enum class Cases { Any, NominativeOrAccusative, Genitive };
  const auto pronounsOf = [&](std::string_view word, std::initializer_list<std::string_view> lemmas, Analysis::Note note,
                              Cases wanted) {
    more.clear();
    coreAnalyses(word, more);
    for (Analysis a : more) {
      const std::string headword = latin::keyOf(lemmas_[a.lemma].headword);
      const GrammaticalCase c = caseOf(a);
      if (std::find(lemmas.begin(), lemmas.end(), headword) == lemmas.end() || c == GrammaticalCase::None) continue;
      if (wanted == Cases::NominativeOrAccusative && c != GrammaticalCase::Nominative && c != GrammaticalCase::Accusative)
        continue;
      if (wanted == Cases::Genitive && c != GrammaticalCase::Genitive) continue;
      a.note = note;
      appendUnique(out, a);
    }
  };
  if (key.starts_with("ecc")) {
    other.assign("e");
    other.append(key.substr(3));
    pronounsOf(other, {"is"}, Analysis::Note::Early, Cases::NominativeOrAccusative);
    pronounsOf(key.substr(3), {"ille", "iste"}, Analysis::Note::Early, Cases::NominativeOrAccusative);
  }
  if (endsWith(key, "pse")) pronounsOf(key.substr(0, n - 3), {"is", "se"}, Analysis::Note::Early, Cases::Any);
  if (endsWith(key, "ce")) pronounsOf(key.substr(0, n - 2), {"hic", "ille", "iste", "is", "qui", "quis"}, Analysis::Note::None, Cases::Any);
  // Before the c of -ce, the m of a genitive plural is written n: "horunc", "harunc".
  if (endsWith(key, "unc") || endsWith(key, "anc")) {
    other.assign(key.substr(0, n - 2));
    other += 'm';
    pronounsOf(other, {"hic"}, Analysis::Note::Early, Cases::Any);
  }
  if (endsWith(key, "met"))
    pronounsOf(key.substr(0, n - 3), {"meus", "tuus", "suus", "noster", "uester"}, Analysis::Note::None, Cases::Any);
  if (endsWith(key, "modi")) {
    std::string_view front = key.substr(0, n - 4);
    for (const std::string_view particle : {std::string_view("ce"), std::string_view("que")})
      if (endsWith(front, particle)) front.remove_suffix(particle.size());
    // "cuicuimodi": the old genitive quoi doubled, written cuicui.
    if (front.size() % 2 == 0 && front.substr(0, front.size() / 2) == front.substr(front.size() / 2))
      front = front.substr(0, front.size() / 2);
    more.clear();
    coreAnalyses(front, more);
    const bool pronounGenitive = std::any_of(more.begin(), more.end(), [&](const Analysis& a) {
      const GrammaticalCase c = caseOf(a);
      return lemmas_[a.lemma].partOfSpeech == PartOfSpeech::Pronoun && numberOf(a) == GrammaticalNumber::Singular &&
             (c == GrammaticalCase::Genitive || c == GrammaticalCase::Dative);
    });
    if (pronounGenitive) pronounsOf("modi", {"modus"}, Analysis::Note::None, Cases::Genitive);
  }
  // "derat", "desse", "dero": de and a form of sum in e- made one syllable
  // (deerat, deesse, deero), as the poets scan and many editions print them.
  if (key.starts_with("de") && (key[2] == 'r' || key[2] == 's')) {
    other.assign("dee");
    other.append(key.substr(2));
    more.clear();
    coreAnalyses(other, more);
    for (Analysis a : more)
      if (latin::keyOf(lemmas_[a.lemma].headword) == "desum") {
        a.contracted = true;
        appendUnique(out, a);
      }
  }
}

// "xviri", "iiiviri", "xviralem": the boards of magistrates named by their
// number written in figures before -vir (decemviri, triumviri, duumviri).
void LatinAnalyser::numeralsOfOffices(std::string_view key, std::vector<Analysis>& out) const {
  const std::size_t at = key.find("uir");
  if (at == 0 || at == std::string_view::npos) return;
  const int value = latin::romanNumeralValue(key.substr(0, at));
  static constexpr std::pair<int, std::string_view> kWords[] = {
      {2, "duum"},  {2, "duo"},    {3, "trium"},  {3, "tres"},       {4, "quattuor"}, {5, "quinque"},
      {6, "sex"},   {7, "septem"}, {10, "decem"}, {15, "quindecim"}, {20, "uiginti"}, {100, "centum"}};
  std::string other;
  for (const auto& [number, word] : kWords) {
    if (number != value) continue;
    other.assign(word);
    other.append(key.substr(at));
    coreAnalyses(other, out);
  }
}

// "decucurrit", "procucurrissent", "accucurrit": the compounds of curro that keep
// its reduplication in the perfect (Allen and Greenough 177, note).
void LatinAnalyser::keptReduplications(std::string_view key, std::vector<Analysis>& out) const {
  const std::size_t at = key.find("cucurr");
  if (at == std::string_view::npos || at < 2) return;
  std::string other(key.substr(0, at));
  other.append(key.substr(at + 2));
  std::vector<Analysis> more;
  coreAnalyses(other, more);
  for (const Analysis& a : more)
    if (isPerfectSystem(morphology(a.morphology))) appendUnique(out, a);
}

// "Nestora", "Thetin", "Mithridaten", "Thetidos", "Thybrim": the Greek accusative
// in -a, -n and -im and genitive in -os of the names of the third declension that the
// lexicon declines as Latin ones only (Nestor, Nestoris; Thetis, Thetidis;
// Mithridates, Mithridatis).
void LatinAnalyser::greekCasesOfNames(std::string_view key, std::vector<Analysis>& out) const {
  const std::size_t n = key.size();
  if (n < 4) return;
  const auto name = [&](std::uint32_t lemma) {
    const Lemma& l = lemmas_[lemma];
    return l.partOfSpeech == PartOfSpeech::Noun && !l.headword.empty() && l.headword.front() >= 'A' && l.headword.front() <= 'Z' &&
           l.category.ends_with("3");
  };
  // The accusative in -im is also that of the Greek nouns in -is ("basim", "poesim").
  const auto thirdDeclension = [&](std::uint32_t lemma) {
    const Lemma& l = lemmas_[lemma];
    return l.partOfSpeech == PartOfSpeech::Noun && l.category.ends_with("3");
  };
  struct GreekCase {
    std::string_view ending;      // of the Greek form
    std::string_view latin;       // the Latin form's ending put in its place
    GrammaticalCase latinCase;    // the case of that Latin form
    GrammaticalCase greekCase;    // and the one the Greek form is
  };
  static constexpr GreekCase kCases[] = {
      {"a", "is", GrammaticalCase::Genitive, GrammaticalCase::Accusative},
      {"n", "s", GrammaticalCase::Nominative, GrammaticalCase::Accusative},
      {"os", "is", GrammaticalCase::Genitive, GrammaticalCase::Genitive},
      // "Thybrim", "Sicorim", "Amphipolim", "basim": the accusative in -im of the
      // nouns in -is declined as i-stems, Greek (Amphipolis, -eos) or Latin
      // (Sicoris, Tiberis).
      {"im", "is", GrammaticalCase::Nominative, GrammaticalCase::Accusative},
  };
  std::vector<Analysis> more;
  std::string other;
  for (const GreekCase& g : kCases) {
    if (!endsWith(key, g.ending)) continue;
    // -n follows a vowel: "Thetin", "Tiphyn", "Mithridaten".
    if (g.ending == "n" && !isVowel(key[n - 2])) continue;
    other.assign(key.substr(0, n - g.ending.size()));
    other += g.latin;
    more.clear();
    coreAnalyses(other, more);
    const std::optional<std::uint16_t> greek =
        findMorphology({FormKind::NounCase, g.greekCase, GrammaticalNumber::Singular});
    if (!greek) continue;
    for (const Analysis& a : more) {
      if (!(g.ending == "im" ? thirdDeclension(a.lemma) : name(a.lemma)) || caseOf(a) != g.latinCase ||
          numberOf(a) != GrammaticalNumber::Singular)
        continue;
      Analysis form{a.lemma, *greek};
      // -im is as much Latin (Tiberim, Sicorim) as Greek: read beside, unlabelled.
      if (g.ending == "im") form.variant = true;
      else form.note = Analysis::Note::Greek;
      appendUnique(out, form);
    }
  }
}

// "caelestum", "cladum", "clientum" and "voluptatium", "civitatium": the genitive
// plural of the third declension in -um where the lexicon has -ium, and in -ium
// where it has -um; both are written (Allen and Greenough 78, 121).
void LatinAnalyser::thirdDeclensionGenitives(std::string_view key, std::vector<Analysis>& out) const {
  if (key.size() < 5 || !endsWith(key, "um")) return;
  std::string other(key.substr(0, key.size() - (endsWith(key, "ium") ? 3 : 2)));
  other += endsWith(key, "ium") ? "um" : "ium";
  std::vector<Analysis> more;
  coreAnalyses(other, more);
  for (Analysis a : more) {
    const Lemma& l = lemmas_[a.lemma];
    const bool third = l.category.ends_with("3") || l.category == "adj. 2";
    if (!third || (l.partOfSpeech != PartOfSpeech::Noun && l.partOfSpeech != PartOfSpeech::Adjective) || caseOf(a) != GrammaticalCase::Genitive ||
        numberOf(a) != GrammaticalNumber::Plural)
      continue;
    a.variant = true;
    appendUnique(out, a);
  }
}

// "fateare", "conarere", "utere": the second person singular of the passive and
// of the deponents in -re for -ris, which Cicero prefers outside the present
// indicative (Allen and Greenough, the passive's endings). Only where the lexicon's
// model does not already write it.
void LatinAnalyser::secondPersonsInRe(std::string_view key, std::vector<Analysis>& out) const {
  if (key.size() < 5 || !endsWith(key, "re")) return;
  std::string other(key.substr(0, key.size() - 2));
  other += "ris";
  std::vector<Analysis> more;
  coreAnalyses(other, more);
  for (const Analysis& a : more) {
    const MorphologyFeatures& m = morphology(a.morphology);
    // A deponent's forms are its model's active ones, shown as deponent.
    const bool deponent = (lemmas_[a.lemma].flags & lemma_flag::kDeponent) && m.voice == Voice::Active;
    if (m.kind == FormKind::Finite && (m.voice == Voice::Passive || deponent) &&
        m.person == GrammaticalPerson::Second && m.number == GrammaticalNumber::Singular)
      appendUnique(out, a);
  }
}

// Words that speech runs together, as comedy and the poets write them: "homost",
// "necessest", "certumst", "meliust" (est after a vowel or m loses its e, after
// -s its s too: homo est, melius est); "viden", "scin", "satin", "egon" (-ne cut
// to -n, which takes the s of a second person with it: videsne, satisne).
void LatinAnalyser::runTogether(std::string_view key, std::vector<Analysis>& out) const {
  const std::size_t n = key.size();
  std::vector<Analysis> more;
  std::string other;
  const auto readAs = [&](std::string_view word, Analysis::Note note) {
    more.clear();
    baseAnalyses(word, more);
    for (Analysis a : more) {
      a.note = note;
      appendUnique(out, a);
    }
  };
  // "egomet", "semet", "semetipsum", "nosmetipsos": the particle -met after a
  // personal pronoun, with ipse or without; the pronoun gives the case.
  if (const std::size_t at = key.find("met"); at != std::string_view::npos && at >= 2) {
    const std::string_view rest = key.substr(at + 3);
    more.clear();
    if (!rest.empty()) coreAnalyses(rest, more);
    const bool ipse = rest.empty() || std::any_of(more.begin(), more.end(), [&](const Analysis& a) {
      return latin::keyOf(lemmas_[a.lemma].headword) == "ipse";
    });
    if (ipse) {
      // With ipse, the pronoun takes its case and number ("semetipsum": se, acc. sg.).
      const std::vector<Analysis> ipseForms = more;
      more.clear();
      coreAnalyses(key.substr(0, at), more);
      for (const Analysis& a : more) {
        const bool agrees = rest.empty() || std::any_of(ipseForms.begin(), ipseForms.end(), [&](const Analysis& i) {
          return caseOf(i) == caseOf(a) && numberOf(i) == numberOf(a);
        });
        if (lemmas_[a.lemma].partOfSpeech == PartOfSpeech::Pronoun && caseOf(a) != GrammaticalCase::None && agrees) appendUnique(out, a);
      }
      if (!out.empty()) return;
    }
  }
  // After u the s is the word's far more often than not ("missust", "opust": not
  // the supine "missu"); after the other vowels it is est's ("nullast", "similest").
  if (n > 3 && endsWith(key, "st")) {
    const std::string_view before = key.substr(0, n - 2);
    other.assign(before);
    other += 's';
    if (before.back() == 'u') readAs(other, Analysis::Note::WithEst);
    if (out.empty() && (isVowel(before.back()) || before.back() == 'm')) readAs(before, Analysis::Note::WithEst);
    if (out.empty() && isVowel(before.back())) readAs(other, Analysis::Note::WithEst);
  }
  // The s of a second person (or of "satis") after i or e goes with the e of -ne:
  // "viden" is "videsne", never a form of "vides" that is no second person;
  // "salvan", "nullan" are "salvane", "nullane".
  if (n >= 3 && key.back() == 'n' && isVowel(key[n - 2])) {
    const std::string_view before = key.substr(0, n - 1);
    if (before.back() == 'i' || before.back() == 'e') {
      other.assign(before);
      other += 's';
      more.clear();
      baseAnalyses(other, more);
      for (Analysis a : more) {
        const MorphologyFeatures& m = morphology(a.morphology);
        const bool secondPerson = m.kind == FormKind::Finite && m.person == GrammaticalPerson::Second &&
                                  m.number == GrammaticalNumber::Singular;
        if (!secondPerson && m.kind != FormKind::Invariable) continue;
        a.note = Analysis::Note::WithNe;
        appendUnique(out, a);
      }
    }
    if (out.empty()) readAs(before, Analysis::Note::WithNe);
  }
}

// Spellings of other ages, tried on a word that is nothing else, one change at a
// time.
void LatinAnalyser::spellingsOfOtherAges(std::string_view key, std::vector<Analysis>& out) const {
  std::string other;
  // u for i before m ("maxumus", "optume", "aestumo"); p for b before s and t, as
  // it sounds ("aps", "optinuit", "urps"); c for qu before u ("secuntur",
  // "ecus", "relicum"); t and d at the end of a word for each other ("inquid",
  // "aliquit", "set"); and as medieval copies and the Vulgate write, e for ae
  // ("hec" for haec), i for y ("cristallum"), an h added ("Israhel") or
  // left out after c, p, t ("dragma"), a consonant doubled ("relligio", as
  // Lucretius writes it).
  const auto vowel = isVowel;
  const auto tryOther = [&] {
    baseAnalyses(other, out);
    withEnclitics(other, out);
  };
  for (std::size_t at = 0; at < key.size(); ++at) {
    const char c = key[at];
    const char next = at + 1 < key.size() ? key[at + 1] : '\0';
    // Until the end of the Republic o stayed after u and v where later Latin
    // writes u: "seruos", "saeuom", "sequontur", "ruont", "uolt", "uolnus".
    if (c == 'o' && at > 0 && key[at - 1] == 'u' && next != '\0' && !vowel(next)) {
      other.assign(key);
      other[at] = 'u';
      tryOther();
    }
    // Old inscriptions and early poets write ei for a long i: "quei", "omneis",
    // "ameicei".
    if (c == 'e' && next == 'i') {
      other.assign(key, 0, at);
      other.append(key, at + 1);
      tryOther();
    }
    if (c == 'u' && next == 'm' && at + 2 < key.size()) {
      other.assign(key);
      other[at] = 'i';
      tryOther();
    } else if (c == 'e' && (at == 0 || key[at - 1] != 'a')) {
      other.assign(key, 0, at);
      other += 'a';
      other.append(key, at);
      tryOther();
    } else if (c == 'i') {
      other.assign(key);
      other[at] = 'y';
      tryOther();
    } else if (c == 'h') {
      other.assign(key, 0, at);
      other.append(key, at + 1);
      tryOther();
    }
    if ((c == 'c' || c == 'p' || c == 't') && next != 'h' && next != '\0') {
      other.assign(key, 0, at + 1);
      other += 'h';
      other.append(key, at + 1);
      tryOther();
    }
    if (!vowel(c) && next == c) {
      other.assign(key, 0, at);
      other.append(key, at + 1);
      tryOther();
    }
    if (c == 'p' && (next == 's' || next == 't')) {
      other.assign(key);
      other[at] = 'b';
      tryOther();
    }
    if (c == 'c' && next == 'u' && at > 0) {
      other.assign(key, 0, at);
      other += "qu";
      other.append(key, at + 1);
      tryOther();
    }
    // "sequutus", "loquutus" for "secutus": qu kept before u.
    if (c == 'q' && next == 'u' && at + 2 < key.size() && key[at + 2] == 'u') {
      other.assign(key, 0, at);
      other += 'c';
      other.append(key, at + 2);
      tryOther();
    }
    // "sumtus", "assumsit" for "sumptus", "assumpsit": no p between m and t or s.
    if (c == 'm' && (next == 't' || next == 's')) {
      other.assign(key, 0, at + 1);
      other += 'p';
      other.append(key, at + 1);
      tryOther();
    }
    // "quadragensimus", "vicensimus": the ordinals in -ensimus of early Latin.
    if (c == 'n' && next == 's' && at + 2 < key.size() && key[at + 2] == 'i' && at > 0 && key[at - 1] == 'e') {
      other.assign(key, 0, at);
      other.append(key, at + 1);
      tryOther();
    }
    // "quotiescunque", "utrunque", "quenquam": n for m before qu, as it sounds.
    if (c == 'n' && next == 'q') {
      other.assign(key);
      other[at] = 'm';
      tryOther();
    }
    if ((c == 'd' || c == 't') && next == '\0' && at >= 2) {
      other.assign(key);
      other[at] = c == 'd' ? 't' : 'd';
      tryOther();
    }
  }
}

// "turris", "montis", "finis" for "turres", "montes", "fines": the accusative
// plural of the nouns, adjectives and participles whose stem ends in i (their
// genitive plural is in -ium), as Caesar and the poets write it ("omneis" in
// older texts). Such a form is also a genitive singular: the accusative plural
// is added beside it.
void LatinAnalyser::iStemAccusatives(std::string_view key, std::vector<Analysis>& out) const {
  if (key.size() <= 3 || !endsWith(key, "is")) return;
  const std::string_view stem = key.substr(0, key.size() - 2);
  std::string other(stem);
  other += "es";
  std::vector<Analysis> more, genitives;
  coreAnalyses(other, more);
  if (std::none_of(more.begin(), more.end(), [&](const Analysis& a) {
        return caseOf(a) == GrammaticalCase::Accusative && numberOf(a) == GrammaticalNumber::Plural;
      }))
    return;
  other.assign(stem);
  other += "ium";
  coreAnalyses(other, genitives);
  for (Analysis a : more) {
    if (caseOf(a) != GrammaticalCase::Accusative || numberOf(a) != GrammaticalNumber::Plural) continue;
    const bool iStem = std::any_of(genitives.begin(), genitives.end(), [&](const Analysis& g) {
      return g.lemma == a.lemma && caseOf(g) == GrammaticalCase::Genitive;
    });
    a.variant = true;
    if (iStem) appendUnique(out, a);
  }
}

// The lemma's frequency in the lexicon's count times how often its case and
// number are met in texts (1 for a form without case).
double LatinAnalyser::likelihood(const Analysis& a) const {
  if (a.lemma >= lemmas_.size()) return 0;  // a numeral, a guessed name
  const Lemma& l = lemmas_[a.lemma];
  double score = static_cast<double>(l.frequency) + 1.0;
  const std::size_t slot = static_cast<std::size_t>(l.model) * morphologies_.size() + a.morphology;
  if (slot < spellingCount_.size() && spellingCount_[slot] > 1) score /= spellingCount_[slot];
  const GrammaticalCase c = caseOf(a);
  const GrammaticalNumber n = numberOf(a);
  // How often its case and number are met (form_class_shares.h): a participle is
  // a subject far more often than a genitive ("egressi": nom. pl. before gén. sg.).
  score *= caseNumberShare(l.partOfSpeech, c, n);
  return score;
}

void LatinAnalyser::likeliestFirst(std::vector<Analysis>& out) const {
  if (out.size() < 2) return;
  // A word has a few analyses, rarely more than thirty: a stable insertion sort
  // on a stack array, without allocating. The special readings score below zero.
  constexpr std::size_t kMost = 64;
  if (out.size() > kMost) return;
  std::array<std::pair<double, Analysis>, kMost> scored;
  const std::size_t n = out.size();
  for (std::size_t k = 0; k < n; ++k) {
    const Analysis& a = out[k];
    // Numerals and abbreviations keep their place after the lexicon's analyses;
    // guessed names come last.
    const bool special = a.contracted || a.variant || a.note != Analysis::Note::None;
    double score = special ? -1.0 / (1.0 + likelihood(a)) : likelihood(a);
    if (a.lemma == Analysis::kRomanNumeral) score = -2;
    if (a.lemma == Analysis::kGuessedName) score = -3;
    std::size_t at = k;
    while (at > 0 && scored[at - 1].first < score) {
      scored[at] = scored[at - 1];
      --at;
    }
    scored[at] = {score, a};
  }
  for (std::size_t k = 0; k < n; ++k) out[k] = scored[k].second;
}

namespace {

// The endings by which a name never seen is guessed: the first three
// declensions of the Latin names, each ending with its cases and numbers and the
// ending of the nominative it comes from. "-is" is the dative and ablative plural
// of the first two; the third's own endings are guessed for names in -o, -onis
// (Cicero, Ciceronis) and, with the nominative left open, for the others.
struct NameEnding {
  std::string_view ending;
  char declension;             // '1', '2', '3'
  std::string_view gender;
  GrammaticalCase grammaticalCase;
  GrammaticalNumber number;
  std::string_view nominative;  // "" for the third declension's nominative that cannot be told
};

using C = GrammaticalCase;
constexpr GrammaticalNumber kSg = GrammaticalNumber::Singular, kPl = GrammaticalNumber::Plural;
constexpr NameEnding kNameEndings[] = {
    {"a", '1', "f.", C::Nominative, kSg, "a"},      {"am", '1', "f.", C::Accusative, kSg, "a"},
    {"ae", '1', "f.", C::Genitive, kSg, "a"},       {"ae", '1', "f.", C::Dative, kSg, "a"},
    {"a", '1', "f.", C::Ablative, kSg, "a"},        {"ae", '1', "f.", C::Nominative, kPl, "a"},
    {"as", '1', "f.", C::Accusative, kPl, "a"},     {"arum", '1', "f.", C::Genitive, kPl, "a"},
    {"is", '1', "f.", C::Dative, kPl, "a"},         {"is", '1', "f.", C::Ablative, kPl, "a"},
    {"us", '2', "m.", C::Nominative, kSg, "us"},    {"e", '2', "m.", C::Vocative, kSg, "us"},
    {"um", '2', "m.", C::Accusative, kSg, "us"},    {"i", '2', "m.", C::Genitive, kSg, "us"},
    {"o", '2', "m.", C::Dative, kSg, "us"},         {"o", '2', "m.", C::Ablative, kSg, "us"},
    {"i", '2', "m.", C::Nominative, kPl, "us"},     {"os", '2', "m.", C::Accusative, kPl, "us"},
    {"orum", '2', "m.", C::Genitive, kPl, "us"},    {"is", '2', "m.", C::Dative, kPl, "us"},
    {"is", '2', "m.", C::Ablative, kPl, "us"},
    {"onem", '3', "m.", C::Accusative, kSg, "o"},   {"onis", '3', "m.", C::Genitive, kSg, "o"},
    {"oni", '3', "m.", C::Dative, kSg, "o"},        {"one", '3', "m.", C::Ablative, kSg, "o"},
    {"em", '3', "m.", C::Accusative, kSg, ""},      {"is", '3', "m.", C::Genitive, kSg, ""},
    {"i", '3', "m.", C::Dative, kSg, ""},           {"e", '3', "m.", C::Ablative, kSg, ""},
    {"es", '3', "m.", C::Nominative, kPl, ""},      {"es", '3', "m.", C::Accusative, kPl, ""},
    {"um", '3', "m.", C::Genitive, kPl, ""},        {"ibus", '3', "m.", C::Dative, kPl, ""},
    {"ibus", '3', "m.", C::Ablative, kPl, ""},
};
constexpr std::size_t kNameEndingCount = sizeof kNameEndings / sizeof kNameEndings[0];

constexpr std::string_view kCaseLabels[] = {"", "nom.", "voc.", "acc.", "g\xE9n.", "dat.", "abl.", "loc."};

}  // namespace

void LatinAnalyser::guessNames(std::string_view word, std::vector<Analysis>& out) const {
  if (word.size() < 3 || word[0] < 'A' || word[0] > 'Z') return;
  // A capital then small letters: "XIV", "SPQR" are no names of this kind.
  if (!std::all_of(word.begin() + 1, word.end(), [](char c) { return c >= 'a' && c <= 'z'; })) return;
  std::string key;
  latin::appendKey(key, word);
  for (std::size_t k = 0; k < kNameEndingCount; ++k) {
    const NameEnding& e = kNameEndings[k];
    // At least two letters of stem, so that "Ea" or "Io" are not cut to nothing.
    if (key.size() < e.ending.size() + 2 || !endsWith(key, e.ending)) continue;
    // A Latin stem ends in a consonant or in i ("Sostrat-a", "Iuli-us"): "Sostratae"
    // is no vocative of a "Sostrataus".
    const char last = key[key.size() - e.ending.size() - 1];
    if (last == 'a' || last == 'e' || last == 'o' || last == 'u') continue;
    // A name in -o, -onis has its own guesses: the plain third-declension ones
    // would give it a stem in -on.
    if (e.declension == '3' && e.nominative.empty() && endsWith(key.substr(0, key.size() - e.ending.size()), "on"))
      continue;
    out.push_back({Analysis::kGuessedName, static_cast<std::uint16_t>(k)});
  }
}

GrammaticalCase LatinAnalyser::caseOf(const Analysis& a) const {
  if (a.lemma == Analysis::kGuessedName)
    return a.morphology < kNameEndingCount ? kNameEndings[a.morphology].grammaticalCase : GrammaticalCase::None;
  if (a.lemma == Analysis::kRomanNumeral || a.morphology >= morphologies_.size()) return GrammaticalCase::None;
  const MorphologyFeatures& m = morphologies_[a.morphology].features;
  return m.kind == FormKind::Supine ? GrammaticalCase::None : m.grammaticalCase;
}

GrammaticalNumber LatinAnalyser::numberOf(const Analysis& a) const {
  if (a.lemma == Analysis::kGuessedName)
    return a.morphology < kNameEndingCount ? kNameEndings[a.morphology].number : GrammaticalNumber::None;
  if (a.lemma == Analysis::kRomanNumeral || a.morphology >= morphologies_.size()) return GrammaticalNumber::None;
  const MorphologyFeatures& m = morphologies_[a.morphology].features;
  if (m.grammaticalCase == GrammaticalCase::Locative && m.number == GrammaticalNumber::None)
    return locativeNumber(a.lemma);
  return m.number;
}

// The lexicon gives the locative without number: "Romae" is singular, "Athenis"
// plural, as the noun is.
GrammaticalNumber LatinAnalyser::locativeNumber(std::uint32_t lemma) const {
  return (lemmas_[lemma].flags & lemma_flag::kPluralOnly) ? GrammaticalNumber::Plural : GrammaticalNumber::Singular;
}

AnalysisText LatinAnalyser::describe(const Analysis& a, std::string_view word) const {
  AnalysisText t;
  if (a.lemma == Analysis::kRomanNumeral) {
    for (const char c : word) t.lemma += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    t.translation = std::to_string(a.morphology);
    t.category = "num.";
    return t;
  }
  if (a.lemma == Analysis::kGuessedName) {
    if (a.morphology >= kNameEndingCount) return t;
    const NameEnding& e = kNameEndings[a.morphology];
    const std::string_view stem = word.substr(0, word.size() >= e.ending.size() ? word.size() - e.ending.size() : 0);
    t.lemma.assign(stem);
    // The nominative of a name of the third declension cannot be told from its
    // other cases: its stem is shown, ended by a hyphen ("Caesar-").
    t.lemma += e.nominative.empty() ? std::string_view("-") : e.nominative;
    t.translation = "(nom propre inconnu)";
    t.category = std::string("npr. ") + e.declension;
    joinTo(t.caseGenderNumber, kCaseLabels[static_cast<int>(e.grammaticalCase)]);
    joinTo(t.caseGenderNumber, e.gender);
    joinTo(t.caseGenderNumber, e.number == GrammaticalNumber::Plural ? "pl." : "sg.");
    return t;
  }
  if (a.lemma >= lemmas_.size() || a.morphology >= morphologies_.size()) return t;
  const Lemma& l = lemmas_[a.lemma];
  const Morphology& m = morphologies_[a.morphology];
  t.lemma = l.headword;
  t.translation = l.translation;
  t.category = l.category;
  joinTo(t.caseGenderNumber, m.personCase);
  joinTo(t.caseGenderNumber, isNounForm(m.features) ? l.gender : m.gender);
  if (m.features.grammaticalCase == GrammaticalCase::Locative && m.number.empty())
    joinTo(t.caseGenderNumber, locativeNumber(a.lemma) == GrammaticalNumber::Plural ? "pl." : "sg.");
  else
    joinTo(t.caseGenderNumber, m.number);
  t.moodTenseVoice = (l.flags & lemma_flag::kDeponent) ? m.deponentMoodTenseVoice : m.moodTenseVoice;
  static constexpr std::string_view kNotes[] = {"", "(latin tardif)", "(latin archa\xEFque)", "(forme grecque)",
                                               "(+ est)", "(+ -ne)"};
  joinTo(t.moodTenseVoice, kNotes[static_cast<int>(a.note)]);
  return t;
}

std::uint64_t LatinAnalyser::fingerprint() const { return fingerprintOf(*bytes_); }

std::size_t LatinAnalyser::memoryUsed() const {
  return bytes_->capacity() + keyPool_->capacity() + morphologies_.capacity() * sizeof(Morphology) +
         lemmas_.capacity() * sizeof(Lemma) + endings_.capacity() * sizeof(Ending) +
         stems_.capacity() * sizeof(Stem) + irregulars_.capacity() * sizeof(Irregular) +
         exclusions_.capacity() * 8 + abbreviations_.capacity() * sizeof(Irregular) + (modelEndingStart_.capacity() + modelEndings_.capacity() +
                                       lemmaStemStart_.capacity() + lemmaStems_.capacity()) * 4 + spellingCount_.capacity() +
         stemIndex_.memoryUsed() + endingIndex_.memoryUsed() + irregularIndex_.memoryUsed() +
         endingSet_.memoryUsed();
}

}  // namespace varnelio
