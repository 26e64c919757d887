// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/morphology/noun_judge.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>
#include <variant>

#include "core/files/little_endian.h"
#include "core/files/source_file.h"
#include "core/morphology/latin_spelling.h"
#include "core/morphology/raw_latin_counts.h"
#include "core/text/cp1252.h"

namespace varnelio {

namespace {

constexpr char kMagic[] = "VARNJUGE";

std::uint32_t hashOf(std::string_view text) {
  std::uint32_t h = 2166136261u;  // FNV-1a
  for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return h;
}

// How far around the word each group of features looks, and why that far.
namespace reach {
// The last letters read as suffixes: the longest case endings have four letters
// ("-ibus", "-orum"), and one more tells the stem ("-tibus", "-ionum").
constexpr std::size_t kSuffixLetters = 5;
// The neighbours read by their forms, on each side: three words hold a noun's
// preposition, its adjectives and its genitive in most sentences ("in magnis
// castris", "legatos Helvetiorum ad eum").
constexpr int kNeighbourForms = 3;
// The neighbours read by their readings, on each side: two, the reach of the
// tagger's trigrams, whose probabilities the judge reads beside them; further
// readings only repeat what the forms say.
constexpr int kNeighbourReadings = 2;
// The distance to the nearest verb is told up to six words; beyond, a subject or
// an object is as likely at any distance.
constexpr long kVerbDistance = 6;
// The sentence's verbs are counted up to three: more is a period like any other.
constexpr int kVerbCount = 3;
// The preposition is looked for up to three words back: two adjectives or a
// genitive may stand between it and its noun ("in magnis castris").
constexpr long kPrepositionReach = 3;
// An agreeing adjective, participle or pronoun is looked for up to three words
// on each side, as the neighbours' forms are.
constexpr long kAgreementReach = 3;
// The verb or adjective whose neighbours raw Latin counted is looked for as far
// as those counts reach (scripts/count-raw-cases).
constexpr long kGovernorReach = 3;
}  // namespace reach

// How much the counts of raw Latin weigh against the usual shares of the cases:
// a lemma met as often as this prior is halfway between its own shares and the
// usual ones.
constexpr double kRawPrior = 5.0;

// The index of a case among the five of the raw counts, or -1.
int rawCaseIndex(GrammaticalCase c) {
  switch (c) {
    case GrammaticalCase::Nominative: return 0;
    case GrammaticalCase::Accusative: return 1;
    case GrammaticalCase::Genitive: return 2;
    case GrammaticalCase::Dative: return 3;
    case GrammaticalCase::Ablative: return 4;
    default: return -1;
  }
}

// The counts of one lemma in a table sorted by lemma, or nullptr.
const raw_latin_counts::LemmaCases* rawCountsOf(std::span<const raw_latin_counts::LemmaCases> table,
                                                std::string_view key) {
  const auto found = std::lower_bound(table.begin(), table.end(), key,
                                      [](const raw_latin_counts::LemmaCases& e, std::string_view k) { return e.lemma < k; });
  return found != table.end() && found->lemma == key ? &*found : nullptr;
}

// Each case's log of how much likelier it is in `counts` than in `usual` (summed
// counts of a group), the counts shrunk toward the usual shares by kRawPrior.
std::array<float, 5> leanings(const std::array<int, 5>& counts, const std::array<double, 5>& usual) {
  double total = 0, usualTotal = 0;
  for (int c = 0; c < 5; ++c) {
    total += counts[static_cast<std::size_t>(c)];
    usualTotal += usual[static_cast<std::size_t>(c)] + 1;
  }
  std::array<float, 5> out{};
  for (std::size_t c = 0; c < 5; ++c) {
    const double share = (usual[c] + 1) / usualTotal;
    out[c] = static_cast<float>(std::log((counts[c] + kRawPrior * share) / (total + kRawPrior) / share));
  }
  return out;
}

// A case in the features' names, by the enum's order: none, nominative,
// vocative, accusative, genitive, dative, ablative, locative.
char caseLetter(GrammaticalCase c) { return "-nvagdbl"[static_cast<std::size_t>(c) & 7]; }

char numberLetter(GrammaticalNumber n) {
  return n == GrammaticalNumber::Singular ? 's' : n == GrammaticalNumber::Plural ? 'p' : '-';
}

// A part of speech in the features' names: the lexicon's letter (0 for the
// invariable words).
char partLetter(PartOfSpeech part) { return static_cast<char>(part); }

bool knownLemma(const LatinAnalyser& analyser, const Analysis& a) {
  return a.lemma != Analysis::kRomanNumeral && a.lemma < analyser.lemmaCount();
}

std::uint16_t kindBit(KindId kind) { return static_cast<std::uint16_t>(1u << judgeClassOf(kind)); }

}  // namespace

std::string_view levelName(JudgementLevel level) {
  switch (level) {
    case JudgementLevel::False: return "faux";
    case JudgementLevel::Doubtful: return "douteux";
    case JudgementLevel::Probable: return "probable";
    case JudgementLevel::Sure: return "s\xC3\xBBr";
  }
  return "";
}

JudgementLevel levelOf(double p, const KindThresholds& t) {
  if (p >= t.sure) return JudgementLevel::Sure;
  if (p >= t.label) return JudgementLevel::Probable;
  if (p < t.drop) return JudgementLevel::False;
  return JudgementLevel::Doubtful;
}

// ---------------------------------------------------------------------------

std::uint8_t JudgeFeatureReader::governmentOfGloss(std::string_view gloss) {
  std::uint8_t g = 0;
  const auto has = [&](std::string_view s) { return gloss.find(s) != std::string_view::npos; };
  // "(+ dat.)", "[avec dat.]", "obéir à", "nuire à": a French "à" after the verb
  // is most often a Latin dative. Glosses are UTF-8 or Windows-1252.
  if (has("dat.") || has("dat)") || has("datif") || has(" \xC3\xA0 ") || has(" \xE0 ") || has(" \xC3\xA0,") ||
      has(" \xE0,") || gloss.ends_with(" \xC3\xA0") || gloss.ends_with(" \xE0"))
    g |= 1;
  if (has("abl.") || has("abl)")) g |= 2;
  if (has("g\xC3\xA9n.") || has("g\xE9n.") || has("gen.")) g |= 4;
  if (has("acc.") || has("acc)")) g |= 8;
  return g;
}

std::uint32_t JudgeFeatureReader::featureSet() {
  // The groups, each with its revision (raised when the group reads something
  // else) and its reach: a change of either is another feature set.
  static const std::uint32_t id = [] {
    using namespace reach;
    const std::string description =
        "word 1 " + std::to_string(kSuffixLetters) + "; readings 1; neighbours 1 " + std::to_string(kNeighbourForms) +
        " " + std::to_string(kNeighbourReadings) + "; verbs 1 " + std::to_string(kVerbDistance) + " " +
        std::to_string(kVerbCount) + "; government 1 " + std::to_string(kPrepositionReach) + " " +
        std::to_string(kAgreementReach) + "; raw 1 " + std::to_string(kGovernorReach) + " " +
        std::to_string(kRawPrior) + " " + std::to_string(std::size(raw_latin_counts::kNounCases)) + " " +
        std::to_string(std::size(raw_latin_counts::kNearbyCases));
    return hashOf(description);
  }();
  return id;
}

JudgeFeatureReader::JudgeFeatureReader(const LatinAnalyser& analyser) : analyser_(analyser) {
  const std::size_t n = analyser.lemmaCount();
  government_.assign(n, 0);
  keys_.resize(n);
  preposition_.assign(n, false);
  for (std::uint32_t l = 0; l < n; ++l) {
    std::string key = latin::keyOf(analyser.headword(l));
    std::erase_if(key, [](char c) { return c >= '0' && c <= '9'; });
    keys_[l] = std::move(key);
    // Verbs and adjectives ("similis", "amicus") govern a case; prepositions
    // that of the noun after them ("in castris", "cum militibus").
    const PartOfSpeech part = analyser.partOfSpeech(l);
    if (part == PartOfSpeech::Verb || part == PartOfSpeech::Adjective)
      government_[l] = governmentOfGloss(analyser.translation(l));
    preposition_[l] = analyser.category(l).starts_with("pr\xE9p");
  }
  readRawCounts();
}

void JudgeFeatureReader::readRawCounts() {
  const std::size_t n = analyser_.lemmaCount();
  ownCases_.assign(n, {});
  nearbyCases_.assign(n, {});
  hasOwnCases_.assign(n, false);
  hasNearbyCases_.assign(n, false);
  // The usual shares: a noun's against the nouns of its model, since some models
  // have no form that can only be a dative; a verb's or adjective's neighbours
  // against those of all of them.
  std::unordered_map<std::uint16_t, std::array<double, 5>> byModel;
  std::array<double, 5> nearAny{};
  std::vector<const raw_latin_counts::LemmaCases*> own(n, nullptr), nearby(n, nullptr);
  for (std::uint32_t l = 0; l < n; ++l) {
    const PartOfSpeech part = analyser_.partOfSpeech(l);
    if (part == PartOfSpeech::Noun) {
      if ((own[l] = rawCountsOf(raw_latin_counts::kNounCases, keys_[l]))) {
        auto& sums = byModel[analyser_.modelOf(l)];
        for (std::size_t c = 0; c < 5; ++c) sums[c] += own[l]->cases[c];
      }
    } else if (part == PartOfSpeech::Verb || part == PartOfSpeech::Adjective) {
      if ((nearby[l] = rawCountsOf(raw_latin_counts::kNearbyCases, keys_[l])))
        for (std::size_t c = 0; c < 5; ++c) nearAny[c] += nearby[l]->cases[c];
    }
  }
  for (std::uint32_t l = 0; l < n; ++l) {
    if (own[l]) {
      ownCases_[l] = leanings(own[l]->cases, byModel[analyser_.modelOf(l)]);
      hasOwnCases_[l] = true;
    }
    if (nearby[l]) {
      nearbyCases_[l] = leanings(nearby[l]->cases, nearAny);
      hasNearbyCases_[l] = true;
    }
  }
}

std::optional<KindId> JudgeFeatureReader::nounKindOf(const Analysis& a) const {
  if (!knownLemma(analyser_, a) || analyser_.partOfSpeech(a.lemma) != PartOfSpeech::Noun) return std::nullopt;
  return kindOf(analyser_.caseOf(a), analyser_.numberOf(a));
}

// The word's readings as one name: the sorted set of part of speech, case and
// number of its analyses ("n:as|v:--"), or "?" for an unknown word.
std::string JudgeFeatureReader::readingsOf(const TaggedWord& word) const {
  if (word.analyses.empty()) return "?";
  std::vector<std::string> parts;
  for (const Analysis& a : word.analyses) {
    std::string p(3, '-');
    if (!knownLemma(analyser_, a)) {
      p = "m--";
    } else {
      const PartOfSpeech part = analyser_.partOfSpeech(a.lemma);
      p[0] = partLetter(part);
      p[1] = caseLetter(analyser_.caseOf(a));
      p[2] = numberLetter(analyser_.numberOf(a));
      if (part == PartOfSpeech::Verb && finiteVerbSlot(analyser_.morphology(a.morphology)) >= 0) p[1] = 'f';
    }
    parts.push_back(std::move(p));
  }
  std::sort(parts.begin(), parts.end());
  parts.erase(std::unique(parts.begin(), parts.end()), parts.end());
  std::string out;
  for (const std::string& p : parts) {
    if (!out.empty()) out += '|';
    out += p;
  }
  return out;
}

const SentenceFeatures& JudgeFeatureReader::read(const std::vector<std::string_view>& forms,
                                                 const std::vector<TaggedWord>& words) {
  SentenceFeatures& s = sentence_;
  const std::size_t n = forms.size();
  s.forms_ = &forms;
  s.words_ = &words;
  s.wordKeys_.resize(n);
  s.readings_.resize(n);
  s.verbs_.assign(n, -1);
  s.verbPersons_.assign(n, -1);
  s.nounKinds_.assign(n, 0);
  s.agreeingKinds_.assign(n, 0);
  s.participleKinds_.assign(n, 0);
  s.prepositions_.assign(n, -1);
  s.governsDative_.assign(n, false);
  s.governors_.assign(n, -1);
  for (std::size_t k = 0; k < n; ++k) {
    s.wordKeys_[k] = latin::keyOf(forms[k]);
    s.readings_[k] = readingsOf(words[k]);
    const TaggedWord& w = words[k];
    for (const Analysis& a : w.analyses) {
      if (!knownLemma(analyser_, a)) continue;
      if (preposition_[a.lemma] && s.prepositions_[k] < 0) s.prepositions_[k] = static_cast<int>(a.lemma);
      const PartOfSpeech part = analyser_.partOfSpeech(a.lemma);
      if (part == PartOfSpeech::Adjective && (government_[a.lemma] & 1)) s.governsDative_[k] = true;
      if (const auto noun = nounKindOf(a)) {
        s.nounKinds_[k] |= kindBit(*noun);
        continue;
      }
      if (part != PartOfSpeech::Adjective && part != PartOfSpeech::Pronoun && part != PartOfSpeech::Numeral &&
          part != PartOfSpeech::Verb)
        continue;
      if (const auto kind = kindOf(analyser_.caseOf(a), analyser_.numberOf(a))) {
        s.agreeingKinds_[k] |= kindBit(*kind);
        if (part == PartOfSpeech::Verb) s.participleKinds_[k] |= kindBit(*kind);
      }
    }
    if (w.chosen >= 0 && static_cast<std::size_t>(w.chosen) < w.analyses.size()) {
      const Analysis& a = w.analyses[static_cast<std::size_t>(w.chosen)];
      if (a.lemma < analyser_.lemmaCount() && hasNearbyCases_[a.lemma]) s.governors_[k] = static_cast<int>(a.lemma);
      if (a.lemma < analyser_.lemmaCount() && analyser_.partOfSpeech(a.lemma) == PartOfSpeech::Verb) {
        const int slot = finiteVerbSlot(analyser_.morphology(a.morphology));
        if (slot >= 0) {
          s.verbs_[k] = static_cast<int>(a.lemma);
          s.verbPersons_[k] = slot;
        }
      }
    }
  }
  return s;
}

bool SentenceFeatures::mayBeOfKind(std::size_t k, KindId kind) const {
  const TaggedWord& w = (*words_)[k];
  const LatinAnalyser& analyser = reader_.analyser_;
  // A name is where the lexicon lacks most forms (Greek cases above all): its
  // readings do not rule it out.
  const std::string_view form = (*forms_)[k];
  if (w.analyses.empty() || form.empty() ||
      cp1252::toLower(static_cast<unsigned char>(form[0])) != static_cast<unsigned char>(form[0]))
    return true;
  for (const Analysis& a : w.analyses) {
    if (!knownLemma(analyser, a)) return true;
    // A noun without cases ("fas", an abbreviation such as "Kal") may stand for any
    // of them, and a locative has the form of a genitive or an ablative ("domi").
    const PartOfSpeech part = analyser.partOfSpeech(a.lemma);
    const bool indeclinableNoun = part == PartOfSpeech::Invariable && (analyser.category(a.lemma).starts_with("n.") ||
                                                                      analyser.category(a.lemma).starts_with("npr."));
    const bool declined = part == PartOfSpeech::Noun || part == PartOfSpeech::Adjective ||
                          part == PartOfSpeech::Pronoun || part == PartOfSpeech::Numeral || indeclinableNoun;
    const GrammaticalCase c = analyser.caseOf(a);
    if (declined && (c == GrammaticalCase::None || c == GrammaticalCase::Locative)) return true;
  }
  return ((nounKinds_[k] | agreeingKinds_[k]) & kindBit(kind)) != 0;
}

// ---------------------------------------------------------------------------
// The features of one word, group by group.

void SentenceFeatures::add(std::string_view name, float value) const { out_->push_back({hashOf(name), value}); }

void SentenceFeatures::named(std::string_view prefix, std::string_view value, float v) const {
  name_.assign(prefix);
  name_ += value;
  add(name_, v);
}

void SentenceFeatures::of(std::size_t k, std::vector<JudgeFeature>& out) const {
  out.clear();
  out_ = &out;
  addWordItself(k);
  addReadings(k);
  addNeighbours(k);
  addVerbs(k);
  addGovernment(k);
  addRawCounts(k);
  out_ = nullptr;
}

// The word itself: its form, its last letters, a capital inside the sentence.
void SentenceFeatures::addWordItself(std::size_t k) const {
  const std::string_view form = (*forms_)[k];
  const std::string& key = wordKeys_[k];
  add("bias");
  named("w=", key);
  for (std::size_t len = 1; len <= reach::kSuffixLetters; ++len)
    if (key.size() > len) named("s" + std::to_string(len) + "=", std::string_view(key).substr(key.size() - len));
  if (k > 0 && !form.empty() && cp1252::toLower(static_cast<unsigned char>(form[0])) != static_cast<unsigned char>(form[0]))
    add("capital");
}

// The analyser's readings of the word (as a set, and each noun reading's kind,
// lemma, declension, gender) and the tagger's probability of each kind.
void SentenceFeatures::addReadings(std::size_t k) const {
  const LatinAnalyser& analyser = reader_.analyser_;
  const TaggedWord& w = (*words_)[k];
  named("R=", readings_[k]);
  std::array<double, kKindCount> share{};
  double nounShare = 0;
  for (std::size_t a = 0; a < w.analyses.size(); ++a) {
    const Analysis& an = w.analyses[a];
    const double p = a < w.posterior.size() ? w.posterior[a] : 0.0;
    if (an.lemma >= analyser.lemmaCount()) continue;
    named("l=", reader_.keys_[an.lemma]);
    const auto kind = reader_.nounKindOf(an);
    if (!kind) continue;
    const int c = judgeClassOf(*kind);
    share[static_cast<std::size_t>(c)] += p;
    nounShare += p;
    named("offers=", std::to_string(c));
    named("decl=", analyser.category(an.lemma));
    // Datives are mostly of persons, seldom of neuter things.
    named("gen=", std::string(analyser.gender(an.lemma)) + std::to_string(c));
  }
  for (int c = 0; c < kKindCount; ++c)
    if (share[static_cast<std::size_t>(c)] > 0)
      named("tp=", std::to_string(c), static_cast<float>(share[static_cast<std::size_t>(c)]));
  add("tpnoun", static_cast<float>(nounShare));
  if (w.chosen >= 0 && static_cast<std::size_t>(w.chosen) < w.analyses.size()) {
    const Analysis& an = w.analyses[static_cast<std::size_t>(w.chosen)];
    if (an.lemma < analyser.lemmaCount()) {
      const std::string t{partLetter(analyser.partOfSpeech(an.lemma)), caseLetter(analyser.caseOf(an)),
                          numberLetter(analyser.numberOf(an))};
      named("tc=", t);
    }
  }
}

// The neighbours: their forms, and nearer their readings; the sentence's edge.
void SentenceFeatures::addNeighbours(std::size_t k) const {
  const long n = static_cast<long>(forms_->size());
  for (int d = -reach::kNeighbourForms; d <= reach::kNeighbourForms; ++d) {
    if (d == 0) continue;
    const long j = static_cast<long>(k) + d;
    const std::string pos = std::to_string(d);
    if (j < 0 || j >= n) {
      named("edge", pos);
      continue;
    }
    named("w" + pos + "=", wordKeys_[static_cast<std::size_t>(j)]);
    if (std::abs(d) <= reach::kNeighbourReadings) named("R" + pos + "=", readings_[static_cast<std::size_t>(j)]);
  }
}

// The verbs of the sentence, the nearest on each side, their person and number
// and what their glosses say they govern.
void SentenceFeatures::addVerbs(std::size_t k) const {
  const std::vector<std::string>& keys = reader_.keys_;
  const std::vector<std::uint8_t>& government = reader_.government_;
  const std::size_t n = forms_->size();
  std::uint8_t sentenceGovernment = 0;
  int verbCount = 0;
  for (std::size_t j = 0; j < n; ++j) {
    if (j == k || verbs_[j] < 0) continue;
    ++verbCount;
    named("sv=", keys[static_cast<std::size_t>(verbs_[j])]);
    named("svpn=", std::to_string(verbPersons_[j]));
    sentenceGovernment |= government[static_cast<std::size_t>(verbs_[j])];
  }
  named("verbs=", std::to_string(std::min(verbCount, reach::kVerbCount)));
  for (int g = 0; g < 4; ++g)
    if (sentenceGovernment & (1 << g)) named("svg=", std::to_string(g));
  std::uint8_t nearGovernment = 0;
  for (int side = -1; side <= 1; side += 2) {
    long j = static_cast<long>(k) + side;
    while (j >= 0 && j < static_cast<long>(n) && verbs_[static_cast<std::size_t>(j)] < 0) j += side;
    const std::string s = side < 0 ? "L" : "R";
    if (j < 0 || j >= static_cast<long>(n)) {
      named("nv" + s, "none");
      continue;
    }
    const std::size_t v = static_cast<std::size_t>(j);
    const std::string& verb = keys[static_cast<std::size_t>(verbs_[v])];
    named("nv" + s + "=", verb);
    named("nvpn" + s + "=", std::to_string(verbPersons_[v]));
    named("nvpnR" + s + "=", std::to_string(verbPersons_[v]) + readings_[k]);
    const long distance = std::labs(j - static_cast<long>(k));
    named("nvd" + s + "=", std::to_string(std::min(distance, reach::kVerbDistance)));
    // The verb itself with the word's readings: what each verb governs, as far
    // as the treebanks show it ("dare" and a dative or ablative plural).
    named("nvlR" + s + "=", verb + readings_[k]);
    nearGovernment |= government[static_cast<std::size_t>(verbs_[v])];
  }
  for (int g = 0; g < 4; ++g)
    if (nearGovernment & (1 << g)) {
      named("nvg=", std::to_string(g));
      named("nvgR=", std::to_string(g) + readings_[k]);
    }
  named("Rs=", readings_[k] + (sentenceGovernment & 1 ? "+dat" : "") + (verbCount ? "+v" : ""));
}

// Government and agreement around the word: the preposition before it, the
// adjectives, participles and pronouns that agree with it, an adjective that
// takes a dative.
void SentenceFeatures::addGovernment(std::size_t k) const {
  const long n = static_cast<long>(forms_->size());
  // The preposition before the word tells an ablative from a dative of the
  // same form; its absence counts too: an ablative without one is less common.
  std::string_view preposition = "none";
  for (long j = static_cast<long>(k) - 1; j >= 0 && j >= static_cast<long>(k) - reach::kPrepositionReach; --j) {
    const int p = prepositions_[static_cast<std::size_t>(j)];
    if (p < 0) continue;
    preposition = reader_.keys_[static_cast<std::size_t>(p)];
    break;
  }
  named("pL=", preposition);
  named("pLR=", std::string(preposition) + readings_[k]);
  // Agreement: a neighbour that can be an adjective, a participle or a pronoun
  // of a case and number the word can have as a noun ("populo Romano").
  for (int side = -1; side <= 1; side += 2) {
    std::uint16_t agree = 0, participle = 0;
    bool dative = false;
    for (long d = 1; d <= reach::kAgreementReach; ++d) {
      const long j = static_cast<long>(k) + side * d;
      if (j < 0 || j >= n) break;
      agree |= agreeingKinds_[static_cast<std::size_t>(j)];
      participle |= participleKinds_[static_cast<std::size_t>(j)];
      dative = dative || governsDative_[static_cast<std::size_t>(j)];
    }
    agree &= nounKinds_[k];
    participle &= nounKinds_[k];
    for (int c = 0; c < kKindCount; ++c) {
      if (agree & (1u << c)) named(side < 0 ? "agrL=" : "agrR=", std::to_string(c));
      // A participle agreeing in the ablative: most often an ablative absolute.
      if (participle & (1u << c)) named(side < 0 ? "ptcL=" : "ptcR=", std::to_string(c));
    }
    if (dative) named(side < 0 ? "adatL=" : "adatR=", readings_[k]);
  }
}

// ---------------------------------------------------------------------------

void toProbabilities(std::array<double, kJudgeClassCount>& s, double temperature) {
  const double most = *std::max_element(s.begin(), s.end());
  double total = 0;
  for (double& z : s) total += (z = std::exp((z - most) / temperature));
  for (double& z : s) z /= total;
}

std::array<double, kJudgeClassCount> JudgeModel::scores(std::span<const JudgeFeature> features) const {
  std::array<double, kJudgeClassCount> s{};
  for (int c = 0; c < kJudgeClassCount; ++c) {
    double z = 0;
    for (const JudgeFeature& f : features) z += weights[slot(f.hash, c)] * f.value;
    s[static_cast<std::size_t>(c)] = z;
  }
  return s;
}

std::array<double, kJudgeClassCount> JudgeModel::probabilities(std::span<const JudgeFeature> features) const {
  std::array<double, kJudgeClassCount> s = scores(features);
  toProbabilities(s, temperature);
  return s;
}

std::string encodeJudgeModel(const JudgeModel& model) {
  std::string out;
  LittleEndianWriter w(out);
  w.raw(std::string_view(kMagic, 8));
  w.u32(NounJudge::kVersion);
  w.u64(model.analyserFingerprint);
  w.u64(model.taggerFingerprint);
  w.u32(model.featureSet);
  w.f32(model.temperature);
  for (const KindThresholds& t : model.thresholds) {
    w.f32(t.drop);
    w.f32(t.label);
    w.f32(t.sure);
  }
  w.u32(JudgeModel::kHashBits);
  float most = 0;
  for (const float weight : model.weights) most = std::max(most, std::fabs(weight));
  const float scale = most > 0 ? most / 32767.0f : 1.0f;
  w.f32(scale);
  for (const float weight : model.weights) w.u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(weight / scale))));
  return out;
}

NounJudge NounJudge::fromModel(JudgeModel model) {
  NounJudge j;
  j.model_ = std::move(model);
  j.status_ = j.model_.weights.size() == (std::size_t{1} << JudgeModel::kHashBits) ? Status::Loaded : Status::Invalid;
  return j;
}

NounJudge NounJudge::fromBytes(std::string_view bytes) {
  NounJudge j;
  j.status_ = Status::Invalid;
  LittleEndianReader r(bytes);
  if (r.raw(8) != std::string_view(kMagic, 8) || r.u32() != kVersion) return j;
  JudgeModel m;
  m.analyserFingerprint = r.u64();
  m.taggerFingerprint = r.u64();
  m.featureSet = r.u32();
  m.temperature = r.f32();
  for (KindThresholds& t : m.thresholds) {
    t.drop = r.f32();
    t.label = r.f32();
    t.sure = r.f32();
  }
  if (r.u32() != JudgeModel::kHashBits) return j;
  const float scale = r.f32();
  if (!r.ok() || !(m.temperature > 0) || !std::isfinite(scale)) return j;
  if (!r.holds(std::uint64_t{1} << JudgeModel::kHashBits, 2)) return j;
  m.weights.resize(std::size_t{1} << JudgeModel::kHashBits);
  for (float& weight : m.weights) weight = static_cast<float>(static_cast<std::int16_t>(r.u16())) * scale;
  if (!r.ok() || !r.atEnd()) return j;
  j.model_ = std::move(m);
  j.status_ = Status::Loaded;
  return j;
}

// What raw Latin says of the word's cases as a noun: how its lemma's own
// unambiguous forms lean ("legatis" a person, often a dative; "castris" a
// thing, an ablative), and how the cases near the closest verb or adjective
// lean ("persuadeo" and a dative, "utor" and an ablative).
void SentenceFeatures::addRawCounts(std::size_t k) const {
  const JudgeFeatureReader& r = reader_;
  const TaggedWord& w = (*words_)[k];
  std::array<bool, 5> offered{}, own{};
  for (const Analysis& a : w.analyses) {
    const auto kind = r.nounKindOf(a);
    if (!kind) continue;
    const int c = rawCaseIndex(r.analyser_.caseOf(a));
    if (c < 0) continue;
    offered[static_cast<std::size_t>(c)] = true;
    if (!own[static_cast<std::size_t>(c)] && r.hasOwnCases_[a.lemma]) {
      own[static_cast<std::size_t>(c)] = true;
      named("rawn=", std::to_string(c), r.ownCases_[a.lemma][static_cast<std::size_t>(c)]);
    }
  }
  const long n = static_cast<long>(forms_->size());
  for (long d = 1; d <= reach::kGovernorReach; ++d)
    for (const long j : {static_cast<long>(k) - d, static_cast<long>(k) + d}) {
      if (j < 0 || j >= n || governors_[static_cast<std::size_t>(j)] < 0) continue;
      const auto& lean = r.nearbyCases_[static_cast<std::size_t>(governors_[static_cast<std::size_t>(j)])];
      for (std::size_t c = 0; c < 5; ++c)
        if (offered[c]) named("rawv=", std::to_string(c), lean[c]);
      return;
    }
}

JudgeFit NounJudge::fitWith(const LatinAnalyser& analyser, const ContextualTagger& tagger) const {
  if (status_ != Status::Loaded) return JudgeFit::NotLoaded;
  if (model_.analyserFingerprint != analyser.fingerprint()) return JudgeFit::OtherAnalyser;
  if (model_.taggerFingerprint != tagger.fingerprint()) return JudgeFit::OtherTagger;
  if (model_.featureSet != JudgeFeatureReader::featureSet()) return JudgeFit::OtherFeatures;
  return JudgeFit::Fits;
}

std::string NounJudge::mismatchMessage(JudgeFit fit) {
  const std::string judge(kFileName);
  switch (fit) {
    case JudgeFit::Fits: return {};
    case JudgeFit::NotLoaded: return "Le fichier " + judge + " n'est pas charg\xC3\xA9.";
    case JudgeFit::OtherAnalyser:
      return "Le fichier " + judge + " ne correspond pas \xC3\xA0 " + std::string(LatinAnalyser::kFileName) + ".";
    case JudgeFit::OtherTagger:
      return "Le fichier " + judge + " ne correspond pas \xC3\xA0 " + std::string(ContextualTagger::kFileName) + ".";
    case JudgeFit::OtherFeatures:
      return "Le fichier " + judge + " a \xC3\xA9t\xC3\xA9 appris sur d'autres indices que ceux de ce programme.";
  }
  return {};
}

}  // namespace varnelio
