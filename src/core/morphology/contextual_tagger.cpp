// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/morphology/contextual_tagger.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <map>
#include <optional>
#include <variant>

#include "core/files/little_endian.h"
#include "core/files/source_file.h"
#include "core/morphology/form_class_shares.h"
#include "core/morphology/tagger_tuning.h"

namespace varnelio {

namespace {

// A case as the corpus's tags write it, by the enum's order: none, nominative,
// vocative, accusative, genitive, dative, ablative, locative.
char caseDigit(GrammaticalCase c) { return " 1234567"[static_cast<std::size_t>(c) & 7]; }

char numberDigit(GrammaticalNumber n) {
  return n == GrammaticalNumber::Singular ? '1' : n == GrammaticalNumber::Plural ? '2' : ' ';
}

// The class of a lemma, as the first letter of its tags: a verb's participles
// and gerunds come from the verb's frequency too.
char lemmaLetter(const LatinAnalyser& analyser, std::uint32_t lemma) {
  switch (analyser.partOfSpeech(lemma)) {
    case PartOfSpeech::Noun: return 'n';
    case PartOfSpeech::Adjective: return 'a';
    case PartOfSpeech::Pronoun: return 'p';
    case PartOfSpeech::Numeral: return 'm';
    case PartOfSpeech::Verb: return 'v';
    case PartOfSpeech::Adverb: return 'd';
    case PartOfSpeech::Invariable: break;
  }
  const std::string_view category = analyser.category(lemma);
  if (category.starts_with("pr\xE9p")) return 'r';
  if (category.starts_with("conj")) return 'c';
  if (category.starts_with("interj")) return 'i';
  if (category.starts_with("n")) return 'n';
  if (category.starts_with("num")) return 'm';
  if (category.starts_with("pron")) return 'p';
  if (category.starts_with("adj")) return 'a';
  return 'd';
}

// A verb's tag without case: its mood, and whether the form is built on the
// present stem (the perfect system and the imperative in -to apart), as the
// corpus's tags count them.
struct VerbMood {
  char mood;
  bool presentStem;
};
VerbMood verbMood(const MorphologyFeatures& m) {
  const bool presentSystem = m.tense == Tense::Present || m.tense == Tense::Imperfect || m.tense == Tense::Future;
  switch (m.kind) {
    case FormKind::Finite: return {m.mood == Mood::Subjunctive ? '2' : '1', presentSystem};
    case FormKind::Imperative: return {'3', m.tense == Tense::Present};
    case FormKind::Infinitive:
      // The future infinitive ("fore", a participle in -urus without esse) has
      // no tag of its own: it goes with the finite forms of the present stem.
      if (m.tense == Tense::Future) break;
      return {'4', m.tense == Tense::Present};
    default: break;
  }
  return {'1', true};
}

// Whether a lemma of that class (its tag letter) has forms of that kind: a
// noun's cases, an adjective's gendered cases in their degrees and its adverbs,
// a pronoun's or numeral's cases with or without gender, a verb's moods.
bool formOfClass(char letter, const MorphologyFeatures& m) {
  switch (m.kind) {
    case FormKind::NounCase: return letter == 'n' || letter == 'p' || letter == 'm';
    case FormKind::GenderedCase: return letter == 'a' || letter == 'p' || letter == 'm';
    case FormKind::Adverb: return letter == 'a';
    case FormKind::Finite:
    case FormKind::Imperative:
    case FormKind::Infinitive:
    case FormKind::Participle:
    case FormKind::Gerund:
    case FormKind::Gerundive:
    case FormKind::Supine: return letter == 'v';
    case FormKind::Invariable:
    case FormKind::None: break;
  }
  return false;
}

// The place of a tag made of a letter and two digits (or blanks) in the table of
// ContextualTagger::byName_, or -1.
int nameSlot(char a, char b, char c) {
  const auto digit = [](char d) { return d == ' ' ? 0 : d >= '0' && d <= '9' ? d - '0' + 1 : -1; };
  if (a < 'a' || a > 'z' || digit(b) < 0 || digit(c) < 0) return -1;
  return ((a - 'a') * 11 + digit(b)) * 11 + digit(c);
}

}  // namespace

ContextualTagger ContextualTagger::fromBytes(std::string_view bytes) {
  ContextualTagger t;
  if (t.decode(bytes)) {
    t.status_ = Status::Loaded;
    t.fingerprint_ = fingerprintOf(bytes);
  } else {
    t = ContextualTagger();
    t.status_ = Status::Invalid;
  }
  return t;
}

namespace {

// The corpus's counts of tag trigrams (x, y, z), with the pairs (y, z), the
// histories (x, y) and the middles y they hold, each T tags wide.
struct TrigramCounts {
  explicit TrigramCounts(std::size_t tags) : T(tags), tri(T * T * T, 0.0), bi(T * T, 0.0), pairs(T * T, 0.0) {}
  std::size_t T;
  std::vector<double> tri, bi, pairs;
  std::vector<double> second;  // counts of y as the middle of a pair (y, z)
};

struct InterpolationWeights {
  double l1 = 0, l2 = 0, l3 = 0;
};

// The tags: their names, and how often each occurs alone.
bool readTags(LittleEndianReader& in, std::vector<std::array<char, 3>>& names, std::vector<double>& unigram) {
  const std::uint32_t tagCount = in.u32();
  if (tagCount == 0 || tagCount > 255 || !in.holds(tagCount, 7)) return false;
  unigram.resize(tagCount);
  names.resize(tagCount);
  for (std::uint32_t k = 0; k < tagCount; ++k) {
    const std::string_view name = in.raw(3);
    names[k] = {name[0], name[1], name[2]};
    unigram[k] = in.u32();
  }
  return in.ok();
}

bool readTrigrams(LittleEndianReader& in, TrigramCounts& n) {
  const std::uint32_t trigramCount = in.u32();
  if (!in.holds(trigramCount, 7)) return false;
  const std::size_t T = n.T;
  for (std::uint32_t k = 0; k < trigramCount; ++k) {
    const std::size_t x = in.u8(), y = in.u8(), z = in.u8();
    const double c = in.u32();
    if (x >= T || y >= T || z >= T) return false;
    n.tri[(x * T + y) * T + z] += c;
    n.bi[y * T + z] += c;     // the pair (y, z)
    n.pairs[x * T + y] += c;  // the history (x, y)
  }
  n.second.assign(T, 0.0);
  for (std::size_t y = 0; y < T; ++y)
    for (std::size_t z = 0; z < T; ++z) n.second[y] += n.bi[y * T + z];
  return true;
}

// Each lemma's frequency in the corpus and the cases it governs as a preposition.
bool readLemmas(LittleEndianReader& in, std::vector<std::uint32_t>& frequencies,
                std::vector<std::uint8_t>& government) {
  const std::uint32_t lemmaCount = in.u32();
  if (!in.holds(lemmaCount, 5)) return false;
  frequencies.resize(lemmaCount);
  government.resize(lemmaCount);
  for (std::uint32_t k = 0; k < lemmaCount; ++k) {
    frequencies[k] = in.u32();
    government[k] = in.u8();
  }
  return in.ok();
}

// Interpolation weights by deleted interpolation over the trigrams themselves:
// each trigram votes, with its count, for the order that predicts it best once
// it is taken out of the counts. Nothing when no trigram votes.
std::optional<InterpolationWeights> deletedInterpolation(const TrigramCounts& n, const std::vector<double>& unigram,
                                                         double total) {
  const std::size_t T = n.T;
  InterpolationWeights w;
  for (std::size_t x = 0; x < T; ++x)
    for (std::size_t y = 0; y < T; ++y)
      for (std::size_t z = 0; z < T; ++z) {
        const double c = n.tri[(x * T + y) * T + z];
        if (c <= 0) continue;
        const double h = n.pairs[x * T + y], p = n.bi[y * T + z], s = n.second[y];
        const double f3 = h > 1 ? (c - 1) / (h - 1) : 0;
        const double f2 = s > 1 ? (p - 1) / (s - 1) : 0;
        const double f1 = (unigram[z] - 1) / (total - 1);
        if (f3 >= f2 && f3 >= f1) w.l3 += c;
        else if (f2 >= f1) w.l2 += c;
        else w.l1 += c;
      }
  const double sum = w.l1 + w.l2 + w.l3;
  if (sum <= 0) return std::nullopt;
  w.l1 /= sum;
  w.l2 /= sum;
  w.l3 /= sum;
  return w;
}

// P(z | x y), the three orders mixed by the weights; the single tags are smoothed
// so that no trigram is impossible.
std::vector<double> smoothedTrigrams(const TrigramCounts& n, const std::vector<double>& unigram, double total,
                                     const InterpolationWeights& w) {
  const std::size_t T = n.T;
  std::vector<double> trigram(T * T * T, 0.0);
  for (std::size_t x = 0; x < T; ++x)
    for (std::size_t y = 0; y < T; ++y)
      for (std::size_t z = 0; z < T; ++z) {
        const double h = n.pairs[x * T + y], s = n.second[y];
        double p = w.l1 * (unigram[z] + 0.5) / (total + 0.5 * T);
        if (s > 0) p += w.l2 * n.bi[y * T + z] / s;
        if (h > 0) p += w.l3 * n.tri[(x * T + y) * T + z] / h;
        trigram[(x * T + y) * T + z] = p;
      }
  return trigram;
}

}  // namespace

bool ContextualTagger::decode(std::string_view b) {
  LittleEndianReader in(b);
  if (in.raw(8) != std::string_view(kTaggerMagic, 8) || in.u32() != kTaggerVersion || !in.ok()) return false;
  analyserFingerprint_ = in.u64();
  std::vector<double> unigram;
  if (!readTags(in, tagNames_, unigram)) return false;
  tagCount_ = tagNames_.size();
  TrigramCounts counts(tagCount_);
  if (!readTrigrams(in, counts) || !readLemmas(in, lemmaFrequencies_, lemmaGovernment_) || !in.ok() || !in.atEnd())
    return false;
  double total = 0;
  for (double u : unigram) total += u;
  if (total <= 0) return false;
  const auto weights = deletedInterpolation(counts, unigram, total);
  if (!weights) return false;
  trigram_ = smoothedTrigrams(counts, unigram, total, *weights);
  return indexTags();
}

// The tags found by name, the ones the tagger sets itself, and the open classes.
bool ContextualTagger::indexTags() {
  const std::size_t T = tagCount_;
  byName_.assign(26 * 11 * 11, -1);
  for (std::size_t k = 0; k < T; ++k)
    if (const int slot = nameSlot(tagNames_[k][0], tagNames_[k][1], tagNames_[k][2]); slot >= 0)
      byName_[static_cast<std::size_t>(slot)] = static_cast<std::int16_t>(k);
  snt_ = tagId('s', 'n', 't');
  enclitic_ = tagId('c', 'e', ' ');
  preposition_ = tagId('r', ' ', ' ');
  if (snt_ < 0) return false;
  for (std::size_t k = 0; k < T; ++k) {
    const char c = tagNames_[k][0];
    if ((c == 'n' || c == 'a') && tagNames_[k][1] >= '1' && tagNames_[k][1] <= '7') openTags_.push_back(static_cast<std::uint8_t>(k));
    if ((c == 'v' || c == 'd') && tagNames_[k][2] != 'e') openTags_.push_back(static_cast<std::uint8_t>(k));
  }
  return true;
}

// A lemma's frequency; a contracted spelling counts as a share of its lemma (tagger_tuning.h),
// so that "Gallis" is read as the Gauls rather than as Gallia's "Galliis".
double ContextualTagger::weightOf(const Analysis& a) const {
  if (a.lemma == Analysis::kRomanNumeral || a.lemma >= lemmaFrequencies_.size()) return 1.0;
  return (lemmaFrequencies_[a.lemma] + 1.0) * (a.contracted ? tagger_tuning::kContractedSpelling : 1.0);
}


int ContextualTagger::tagId(char a, char b, char c) const {
  if (const int slot = nameSlot(a, b, c); slot >= 0 && !byName_.empty()) return byName_[static_cast<std::size_t>(slot)];
  for (std::size_t k = 0; k < tagNames_.size(); ++k)
    if (tagNames_[k][0] == a && tagNames_[k][1] == b && tagNames_[k][2] == c) return static_cast<int>(k);
  return -1;
}

int ContextualTagger::tagOf(const LatinAnalyser& analyser, const Analysis& a) const {
  if (a.lemma == Analysis::kRomanNumeral) return tagId('m', ' ', ' ');
  return tagOfForm(lemmaLetter(analyser, a.lemma), analyser.morphology(a.morphology), analyser.caseOf(a),
                   analyser.numberOf(a));
}

int ContextualTagger::tagOfForm(char letter, const MorphologyFeatures& m, GrammaticalCase c,
                                GrammaticalNumber n) const {
  const char cd = caseDigit(c), nd = numberDigit(n);
  switch (letter) {
    case 'n':
    case 'a':
    case 'p':
    case 'm': {
      if (c == GrammaticalCase::None) {
        if (letter == 'a') return tagId('d', ' ', ' ');  // an adverb of an adjective's model
        const int id = tagId(letter, '8', ' ');
        return id >= 0 ? id : tagId(letter, ' ', ' ');
      }
      return tagId(letter, cd, nd == ' ' ? '1' : nd);
    }
    case 'v': {
      // The gerund and the supines, nouns of the verb, in their case.
      if (m.kind == FormKind::Gerund || m.kind == FormKind::Supine)
        return tagId('n', caseDigit(m.grammaticalCase), '1');
      if (c != GrammaticalCase::None) return tagId('w', cd, nd == ' ' ? '1' : nd);
      const VerbMood v = verbMood(m);
      return tagId('v', v.mood, v.presentStem ? '1' : ' ');
    }
    default: return tagId(letter, ' ', ' ');
  }
}

double ContextualTagger::formShare(const Analysis& a) const {
  if (a.lemma >= lemmaGroup_.size() || lemmaGroup_[a.lemma] == kNoGroup) return 1.0;
  const std::size_t at = lemmaGroup_[a.lemma] * morphologyCount_ + a.morphology;
  return at < formShares_.size() ? formShares_[at] : 1.0;
}

void ContextualTagger::candidatesOf(const LatinAnalyser& analyser, const TaggedWord& word,
                                    std::vector<Candidate>& out) const {
  out.clear();
  if (word.analyses.empty()) {
    for (const std::uint8_t t : openTags_) out.push_back({t, 1.0});
    return;
  }
  for (const Analysis& a : word.analyses) {
    const int tag = tagOf(analyser, a);
    if (tag < 0) continue;
    const double weight = weightOf(a) * formShare(a);
    const char letter = a.lemma == Analysis::kRomanNumeral ? 'm' : lemmaLetter(analyser, a.lemma);
    const double mass = letterMass_.empty() ? 1.0 : std::max(1.0, letterMass_[static_cast<unsigned char>(letter) - 'a']);
    const double emission = weight / mass;
    auto found = std::find_if(out.begin(), out.end(), [&](const Candidate& c) { return c.tag == tag; });
    if (found == out.end())
      out.push_back({static_cast<std::uint8_t>(tag), emission});
    else
      found->emission += emission;
  }
  // Only the ratios between the tags of one word matter: the largest is 1.
  double largest = 0;
  for (const Candidate& c : out) largest = std::max(largest, c.emission);
  if (largest > 0)
    for (Candidate& c : out) c.emission /= largest;
}

bool ContextualTagger::bind(const LatinAnalyser& analyser) {
  if (!fits(analyser)) return false;
  // The share of a lemma's weight in one tag that each of its forms takes: how
  // common the form is (form_class_shares.h) over how common all the forms of
  // that tag are, among the forms of the lemma's model, for the lemma's class.
  morphologyCount_ = analyser.morphologyCount();
  const std::size_t M = morphologyCount_;
  const std::string_view letters = "napmv";
  std::vector<double> share(letters.size() * M, 0.0);
  std::vector<int> tags(letters.size() * M, -1);
  for (std::size_t k = 0; k < letters.size(); ++k)
    for (std::size_t m = 1; m < M; ++m) {
      const MorphologyFeatures& f = analyser.morphology(static_cast<std::uint16_t>(m));
      if (!formOfClass(letters[k], f)) continue;
      const GrammaticalCase c = f.kind == FormKind::Supine ? GrammaticalCase::None : f.grammaticalCase;
      tags[k * M + m] = tagOfForm(letters[k], f, c, f.number);
      share[k * M + m] = formClassShare(partOfSpeechOfLetter(letters[k]), f);
    }
  // One group of shares for each class and model that some lemma has.
  std::map<std::pair<std::size_t, std::uint16_t>, std::uint16_t> groups;
  lemmaGroup_.assign(lemmaFrequencies_.size(), kNoGroup);
  for (std::uint32_t l = 0; l < lemmaFrequencies_.size(); ++l) {
    const std::size_t k = letters.find(lemmaLetter(analyser, l));
    if (k == std::string_view::npos || groups.size() >= kNoGroup) continue;
    lemmaGroup_[l] = groups.emplace(std::pair(k, analyser.modelOf(l)), static_cast<std::uint16_t>(groups.size()))
                         .first->second;
  }
  formShares_.assign(groups.size() * M, 1.0f);
  std::vector<double> tagMass(tagCount_, 0.0);
  for (const auto& [key, group] : groups) {
    const auto [k, model] = key;
    std::fill(tagMass.begin(), tagMass.end(), 0.0);
    for (std::size_t m = 1; m < M; ++m)
      if (tags[k * M + m] >= 0 && analyser.modelHas(model, static_cast<std::uint16_t>(m)))
        tagMass[static_cast<std::size_t>(tags[k * M + m])] += share[k * M + m];
    for (std::size_t m = 1; m < M; ++m) {
      if (tags[k * M + m] < 0) continue;
      // A form the lexicon gives whole is weighed as if its model had it too.
      const double own = analyser.modelHas(model, static_cast<std::uint16_t>(m)) ? 0.0 : share[k * M + m];
      const double mass = tagMass[static_cast<std::size_t>(tags[k * M + m])] + own;
      if (mass > 0) formShares_[group * M + m] = static_cast<float>(share[k * M + m] / mass);
    }
  }
  // A lemma's share of the frequency of its class is the likelihood that a word of
  // that class is this lemma.
  letterMass_.assign(26, 0.0);
  for (std::uint32_t l = 0; l < lemmaFrequencies_.size(); ++l)
    letterMass_[static_cast<unsigned char>(lemmaLetter(analyser, l)) - 'a'] += lemmaFrequencies_[l] + 1.0;
  return true;
}

// The positions: a sentence boundary, the words (with the enclitic and the clause
// boundaries as tokens of their own, as the corpus counts them), and the boundary
// after.
std::vector<ContextualTagger::Position> ContextualTagger::positionsOf(const LatinAnalyser& analyser,
                                                                      const std::vector<TaggedWord>& words) const {
  std::vector<Position> positions;
  positions.reserve(words.size() * 2 + 2);
  const auto token = [&](int tag) {
    Position p;
    p.candidates.push_back({static_cast<std::uint8_t>(tag), 1.0});
    positions.push_back(std::move(p));
  };
  token(snt_);
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i].clauseStart && i > 0) token(snt_);
    positions.push_back(wordPosition(analyser, words[i], static_cast<int>(i)));
    if (words[i].enclitic && enclitic_ >= 0) token(enclitic_);
  }
  token(snt_);
  return positions;
}

// A word's tags, any open tag for a word the tagger cannot place, and the cases it
// governs if it may be a preposition.
ContextualTagger::Position ContextualTagger::wordPosition(const LatinAnalyser& analyser, const TaggedWord& word,
                                                          int index) const {
  Position p;
  p.word = index;
  candidatesOf(analyser, word, p.candidates);
  if (p.candidates.empty())
    for (const std::uint8_t t : openTags_) p.candidates.push_back({t, 1.0});
  for (const Analysis& a : word.analyses)
    if (a.lemma != Analysis::kRomanNumeral && tagOf(analyser, a) == preposition_ && preposition_ >= 0)
      p.governs |= lemmaGovernment_[a.lemma];
  return p;
}

// Forward and backward over the pairs of neighbouring candidates, scaled at each
// position so that long sentences neither underflow nor need logarithms:
// alpha[i][v * |C_i| + w] is the share of the paths that end with v at i - 1 and
// w at i; beta the (equally scaled) weight of the paths that go on from there.
// Position 0 is the opening boundary, seen after another boundary.
class ContextualTagger::Lattice {
 public:
  Lattice(const ContextualTagger& tagger, const std::vector<Position>& positions)
      : tagger_(tagger), positions_(positions), alpha_(positions.size()), beta_(positions.size()),
        scale_(positions.size(), 1.0) {
    forward();
    backward();
  }

  // The probability of each candidate of position i, 0 < i < n - 1 (up to the
  // position's scale).
  void tagProbabilities(std::size_t i, std::vector<double>& out) const {
    const std::size_t B = size(i - 1), C = size(i);
    out.assign(C, 0.0);
    for (std::size_t v = 0; v < B; ++v)
      for (std::size_t w = 0; w < C; ++w) out[w] += alpha_[i][v * C + w] * beta_[i][v * C + w];
  }

 private:
  std::size_t size(std::size_t i) const { return positions_[i].candidates.size(); }

  // How much a case is weighed down right after a preposition that does not govern it.
  double governedFactor(std::size_t prev, std::uint8_t prevTag, std::uint8_t tag) const {
    if (prevTag != tagger_.preposition_ || positions_[prev].governs == 0) return 1.0;
    const char letter = tagger_.tagNames_[tag][0], c = tagger_.tagNames_[tag][1];
    if (letter != 'n' && letter != 'a' && letter != 'p' && letter != 'm' && letter != 'w') return 1.0;
    if (c < '1' || c > '7') return 1.0;
    const std::uint8_t g = positions_[prev].governs;
    if ((c == '3' && (g & government::kAccusative)) || (c == '6' && (g & government::kAblative))) return 1.0;
    return tagger_tuning::kUngovernedCase;
  }

  // The weight of going from the pair (u at i - 2, v at i - 1) to w at i.
  double step(std::size_t i, std::size_t u, std::size_t v, std::size_t w) const {
    const std::size_t T = tagger_.tagCount_;
    const Candidate& a = positions_[i - 2].candidates[u];
    const Candidate& b = positions_[i - 1].candidates[v];
    const Candidate& c = positions_[i].candidates[w];
    return tagger_.trigram_[(a.tag * T + b.tag) * T + c.tag] * c.emission * governedFactor(i - 1, b.tag, c.tag);
  }

  void normalise(std::size_t i) {
    double sum = 0;
    for (double a : alpha_[i]) sum += a;
    // Every path can be impossible only with a file of no use (no tag of a word and
    // no open tag, or no weight on the single tags): the probabilities then stay 0,
    // where a tiny scale would let the backward weights overflow into NaN.
    if (sum <= 0) {
      scale_[i] = 1.0;
      return;
    }
    scale_[i] = sum;
    for (double& a : alpha_[i]) a /= sum;
  }

  void forward() {
    const std::size_t T = tagger_.tagCount_;
    const std::size_t snt = static_cast<std::size_t>(tagger_.snt_);
    alpha_[0].assign(1, 1.0);
    const auto& c1 = positions_[1].candidates;
    alpha_[1].assign(c1.size(), 0.0);
    for (std::size_t w = 0; w < c1.size(); ++w)
      alpha_[1][w] = tagger_.trigram_[(snt * T + snt) * T + c1[w].tag] * c1[w].emission;
    normalise(1);
    for (std::size_t i = 2; i < positions_.size(); ++i) {
      const std::size_t A = size(i - 2), B = size(i - 1), C = size(i);
      alpha_[i].assign(B * C, 0.0);
      for (std::size_t v = 0; v < B; ++v)
        for (std::size_t w = 0; w < C; ++w) {
          double sum = 0;
          for (std::size_t u = 0; u < A; ++u) sum += alpha_[i - 1][u * B + v] * step(i, u, v, w);
          alpha_[i][v * C + w] = sum;
        }
      normalise(i);
    }
  }

  void backward() {
    const std::size_t n = positions_.size();
    beta_[n - 1].assign(alpha_[n - 1].size(), 1.0);
    for (std::size_t i = n - 1; i >= 2; --i) {
      const std::size_t A = size(i - 2), B = size(i - 1), C = size(i);
      beta_[i - 1].assign(A * B, 0.0);
      for (std::size_t u = 0; u < A; ++u)
        for (std::size_t v = 0; v < B; ++v) {
          double sum = 0;
          for (std::size_t w = 0; w < C; ++w) sum += step(i, u, v, w) * beta_[i][v * C + w];
          beta_[i - 1][u * B + v] = sum / scale_[i];
        }
    }
  }

  const ContextualTagger& tagger_;
  const std::vector<Position>& positions_;
  std::vector<std::vector<double>> alpha_, beta_;
  std::vector<double> scale_;
};

// A word's analyses share the probability of their tag by their weights; the
// likeliest is chosen.
void ContextualTagger::shareAmongAnalyses(const LatinAnalyser& analyser, const std::vector<Candidate>& cands,
                                          const std::vector<double>& tagProbability, TaggedWord& word) const {
  const std::size_t C = cands.size();
  word.posterior.assign(word.analyses.size(), 0.0);
  std::vector<double> tagWeight(C, 0.0);
  std::vector<int> tagOfAnalysis(word.analyses.size(), -1);
  for (std::size_t k = 0; k < word.analyses.size(); ++k) {
    const int t = tagOf(analyser, word.analyses[k]);
    for (std::size_t w = 0; w < C; ++w)
      if (cands[w].tag == t) {
        tagOfAnalysis[k] = static_cast<int>(w);
        tagWeight[w] += weightOf(word.analyses[k]) * formShare(word.analyses[k]);
      }
  }
  double best = -1;
  for (std::size_t k = 0; k < word.analyses.size(); ++k) {
    if (tagOfAnalysis[k] < 0) continue;
    const std::size_t w = static_cast<std::size_t>(tagOfAnalysis[k]);
    const Analysis& a = word.analyses[k];
    word.posterior[k] =
        tagWeight[w] > 0 ? tagProbability[w] * weightOf(a) * formShare(a) / tagWeight[w] : 0.0;
    if (word.posterior[k] > best) {
      best = word.posterior[k];
      word.chosen = static_cast<int>(k);
    }
  }
}

void ContextualTagger::tag(const LatinAnalyser& analyser, std::vector<TaggedWord>& words) const {
  for (TaggedWord& w : words) {
    w.chosen = -1;
    w.posterior.clear();
  }
  if (status_ != Status::Loaded || words.empty()) return;
  const std::vector<Position> positions = positionsOf(analyser, words);
  const Lattice lattice(*this, positions);
  std::vector<double> tagProbability;
  for (std::size_t i = 1; i + 1 < positions.size(); ++i) {
    if (positions[i].word < 0) continue;
    lattice.tagProbabilities(i, tagProbability);
    shareAmongAnalyses(analyser, positions[i].candidates, tagProbability,
                       words[static_cast<std::size_t>(positions[i].word)]);
  }
}

std::size_t ContextualTagger::memoryUsed() const {
  return trigram_.capacity() * sizeof(double) + lemmaFrequencies_.capacity() * 4 + lemmaGovernment_.capacity() +
         tagNames_.capacity() * 3 + formShares_.capacity() * sizeof(float) + lemmaGroup_.capacity() * 2;
}

}  // namespace varnelio
