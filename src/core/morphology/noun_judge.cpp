// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/morphology/noun_judge.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <variant>

#include "core/files/little_endian.h"
#include "core/files/source_file.h"
#include "core/morphology/latin_spelling.h"
#include "core/text/cp1252.h"

namespace varnelio {

namespace {

constexpr char kMagic[] = "VARNJUGE";

std::uint32_t hashOf(std::string_view text) {
  std::uint32_t h = 2166136261u;  // FNV-1a
  for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return h;
}

// The class of a reading when it is a noun of one of the ten kinds, or -1.
int kindClassOf(const LatinAnalyser& analyser, const Analysis& a) {
  if (a.lemma == Analysis::kRomanNumeral || a.lemma >= analyser.lemmaCount()) return -1;
  if (analyser.partOfSpeech(a.lemma) != 'n') return -1;
  int c = -1;
  switch (analyser.caseOf(a)) {
    case GrammaticalCase::Nominative: c = 0; break;
    case GrammaticalCase::Accusative: c = 2; break;
    case GrammaticalCase::Genitive: c = 4; break;
    case GrammaticalCase::Dative: c = 6; break;
    case GrammaticalCase::Ablative: c = 8; break;
    default: return -1;
  }
  switch (analyser.numberOf(a)) {
    case GrammaticalNumber::Singular: return c;
    case GrammaticalNumber::Plural: return c + 1;
    default: return -1;
  }
}

char caseLetter(GrammaticalCase c) {
  switch (c) {
    case GrammaticalCase::Nominative: return 'n';
    case GrammaticalCase::Vocative: return 'v';
    case GrammaticalCase::Accusative: return 'a';
    case GrammaticalCase::Genitive: return 'g';
    case GrammaticalCase::Dative: return 'd';
    case GrammaticalCase::Ablative: return 'b';
    case GrammaticalCase::Locative: return 'l';
    default: return '-';
  }
}

char numberLetter(GrammaticalNumber n) {
  return n == GrammaticalNumber::Singular ? 's' : n == GrammaticalNumber::Plural ? 'p' : '-';
}

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
    const char pos = analyser.partOfSpeech(l);
    if (pos == 'v' || pos == 'a') government_[l] = governmentOfGloss(analyser.translation(l));
    preposition_[l] = analyser.category(l).starts_with("pr\xE9p");
  }
}

// The word's readings as one name: the sorted set of part of speech, case and
// number of its analyses ("n:as|v:--"), or "?" for an unknown word.
std::string JudgeFeatureReader::readingsOf(const TaggedWord& word) const {
  if (word.analyses.empty()) return "?";
  std::vector<std::string> parts;
  for (const Analysis& a : word.analyses) {
    std::string p(3, '-');
    if (a.lemma == Analysis::kRomanNumeral || a.lemma >= analyser_.lemmaCount()) {
      p = "m--";
    } else {
      p[0] = analyser_.partOfSpeech(a.lemma);
      p[1] = caseLetter(analyser_.caseOf(a));
      p[2] = numberLetter(analyser_.numberOf(a));
      if (p[0] == 'v' && finiteVerbSlot(analyser_.morphology(a.morphology)) >= 0) p[1] = 'f';
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

void JudgeFeatureReader::prepareSentence(const std::vector<std::string_view>& forms,
                                         const std::vector<TaggedWord>& words) {
  const std::size_t n = forms.size();
  wordKeys_.resize(n);
  readings_.resize(n);
  verbs_.assign(n, -1);
  verbPersons_.assign(n, -1);
  nounKinds_.assign(n, 0);
  agreeingKinds_.assign(n, 0);
  participleKinds_.assign(n, 0);
  prepositions_.assign(n, -1);
  governsDative_.assign(n, false);
  for (std::size_t k = 0; k < n; ++k) {
    wordKeys_[k] = latin::keyOf(forms[k]);
    readings_[k] = readingsOf(words[k]);
    const TaggedWord& w = words[k];
    for (const Analysis& a : w.analyses) {
      if (a.lemma == Analysis::kRomanNumeral || a.lemma >= analyser_.lemmaCount()) continue;
      if (preposition_[a.lemma] && prepositions_[k] < 0) prepositions_[k] = static_cast<int>(a.lemma);
      const char pos = analyser_.partOfSpeech(a.lemma);
      if (pos == 'a' && (government_[a.lemma] & 1)) governsDative_[k] = true;
      const int c = kindClassOf(analyser_, a);
      if (c >= 0) {
        nounKinds_[k] |= static_cast<std::uint16_t>(1u << c);
        continue;
      }
      if (pos != 'a' && pos != 'p' && pos != 'm' && pos != 'v') continue;
      const int base = caseLetter(analyser_.caseOf(a)) == 'n'   ? 0
                       : caseLetter(analyser_.caseOf(a)) == 'a' ? 2
                       : caseLetter(analyser_.caseOf(a)) == 'g' ? 4
                       : caseLetter(analyser_.caseOf(a)) == 'd' ? 6
                       : caseLetter(analyser_.caseOf(a)) == 'b' ? 8
                                                                : -1;
      const char number = numberLetter(analyser_.numberOf(a));
      if (base >= 0 && number != '-') {
        const auto bit = static_cast<std::uint16_t>(1u << (base + (number == 'p' ? 1 : 0)));
        agreeingKinds_[k] |= bit;
        if (pos == 'v') participleKinds_[k] |= bit;
      }
    }
    if (w.chosen >= 0 && static_cast<std::size_t>(w.chosen) < w.analyses.size()) {
      const Analysis& a = w.analyses[static_cast<std::size_t>(w.chosen)];
      if (a.lemma < analyser_.lemmaCount() && analyser_.partOfSpeech(a.lemma) == 'v') {
        const int slot = finiteVerbSlot(analyser_.morphology(a.morphology));
        if (slot >= 0) {
          verbs_[k] = static_cast<int>(a.lemma);
          verbPersons_[k] = slot;
        }
      }
    }
  }
}

void JudgeFeatureReader::add(std::vector<JudgeFeature>& out, std::string_view name, float value) {
  out.push_back({hashOf(name), value});
}

void JudgeFeatureReader::features(const std::vector<std::string_view>& forms, const std::vector<TaggedWord>& words,
                                  std::size_t k, std::vector<JudgeFeature>& out) {
  out.clear();
  const std::size_t n = forms.size();
  const TaggedWord& w = words[k];
  const std::string& key = wordKeys_[k];
  std::string& f = name_;
  const auto named = [&](std::string_view prefix, std::string_view value, float v = 1.0f) {
    f.assign(prefix);
    f += value;
    add(out, f, v);
  };
  add(out, "bias");
  named("w=", key);
  for (std::size_t len = 1; len <= 5; ++len)
    if (key.size() > len) named("s" + std::to_string(len) + "=", key.substr(key.size() - len));
  if (k > 0 && !forms[k].empty() && cp1252::toLower(static_cast<unsigned char>(forms[k][0])) != static_cast<unsigned char>(forms[k][0]))
    add(out, "capital");
  named("R=", readings_[k]);
  // The readings one by one, the lemmas, and the tagger's share of each kind.
  std::array<double, kKindCount> share{};
  double nounShare = 0;
  for (std::size_t a = 0; a < w.analyses.size(); ++a) {
    const Analysis& an = w.analyses[a];
    const double p = a < w.posterior.size() ? w.posterior[a] : 0.0;
    if (an.lemma < analyser_.lemmaCount()) {
      named("l=", keys_[an.lemma]);
      const int c = kindClassOf(analyser_, an);
      if (c >= 0) {
        share[static_cast<std::size_t>(c)] += p;
        nounShare += p;
        named("offers=", std::to_string(c));
        named("decl=", analyser_.category(an.lemma));
        // Datives are mostly of persons, seldom of neuter things.
        named("gen=", std::string(analyser_.gender(an.lemma)) + std::to_string(c));
      }
    }
  }
  for (int c = 0; c < kKindCount; ++c)
    if (share[static_cast<std::size_t>(c)] > 0) named("tp=", std::to_string(c), static_cast<float>(share[static_cast<std::size_t>(c)]));
  add(out, "tpnoun", static_cast<float>(nounShare));
  if (w.chosen >= 0 && static_cast<std::size_t>(w.chosen) < w.analyses.size()) {
    const Analysis& an = w.analyses[static_cast<std::size_t>(w.chosen)];
    if (an.lemma < analyser_.lemmaCount()) {
      std::string t(3, '-');
      t[0] = analyser_.partOfSpeech(an.lemma);
      t[1] = caseLetter(analyser_.caseOf(an));
      t[2] = numberLetter(analyser_.numberOf(an));
      named("tc=", t);
    }
  }
  // The neighbours.
  for (int d = -3; d <= 3; ++d) {
    if (d == 0) continue;
    const long j = static_cast<long>(k) + d;
    const std::string pos = std::to_string(d);
    if (j < 0 || j >= static_cast<long>(n)) {
      named("edge", pos);
      continue;
    }
    named("w" + pos + "=", wordKeys_[static_cast<std::size_t>(j)]);
    if (d >= -2 && d <= 2) named("R" + pos + "=", readings_[static_cast<std::size_t>(j)]);
  }
  // The verbs of the sentence, the nearest on each side, their person and number
  // and what they govern.
  std::uint8_t sentenceGovernment = 0;
  int verbCount = 0;
  for (std::size_t j = 0; j < n; ++j) {
    if (j == k || verbs_[j] < 0) continue;
    ++verbCount;
    named("sv=", keys_[static_cast<std::size_t>(verbs_[j])]);
    named("svpn=", std::to_string(verbPersons_[j]));
    sentenceGovernment |= government_[static_cast<std::size_t>(verbs_[j])];
  }
  named("verbs=", std::to_string(std::min(verbCount, 3)));
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
    named("nv" + s + "=", keys_[static_cast<std::size_t>(verbs_[v])]);
    named("nvpn" + s + "=", std::to_string(verbPersons_[v]));
    named("nvpnR" + s + "=", std::to_string(verbPersons_[v]) + readings_[k]);
    const long distance = std::labs(j - static_cast<long>(k));
    named("nvd" + s + "=", std::to_string(std::min(distance, 6L)));
    // The verb itself with the word's readings: what each verb governs, as far
    // as the treebanks show it ("dare" and a dative or ablative plural).
    named("nvlR" + s + "=", keys_[static_cast<std::size_t>(verbs_[v])] + readings_[k]);
    nearGovernment |= government_[static_cast<std::size_t>(verbs_[v])];
  }
  for (int g = 0; g < 4; ++g)
    if (nearGovernment & (1 << g)) {
      named("nvg=", std::to_string(g));
      named("nvgR=", std::to_string(g) + readings_[k]);
    }
  named("Rs=", readings_[k] + (sentenceGovernment & 1 ? "+dat" : "") + (verbCount ? "+v" : ""));
  // The preposition before the word, a few words back at most ("in magnis
  // castris"): it tells an ablative from a dative of the same form.
  // Its absence counts too: an ablative without one is less common.
  std::string_view preposition = "none";
  for (long j = static_cast<long>(k) - 1; j >= 0 && j >= static_cast<long>(k) - 3; --j) {
    const int p = prepositions_[static_cast<std::size_t>(j)];
    if (p < 0) continue;
    preposition = keys_[static_cast<std::size_t>(p)];
    break;
  }
  named("pL=", preposition);
  named("pLR=", std::string(preposition) + readings_[k]);
  // Agreement: a neighbour that can be an adjective, a participle or a pronoun
  // of a case and number the word can have as a noun ("populo Romano").
  for (int side = -1; side <= 1; side += 2) {
    std::uint16_t agree = 0, participle = 0;
    bool dative = false;
    for (long d = 1; d <= 3; ++d) {
      const long j = static_cast<long>(k) + side * d;
      if (j < 0 || j >= static_cast<long>(n)) break;
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

std::array<double, kJudgeClassCount> JudgeModel::scores(const std::vector<JudgeFeature>& features) const {
  std::array<double, kJudgeClassCount> s{};
  for (int c = 0; c < kJudgeClassCount; ++c) {
    double z = 0;
    for (const JudgeFeature& f : features) z += weights[slot(f.hash, c)] * f.value;
    s[static_cast<std::size_t>(c)] = z;
  }
  return s;
}

std::array<double, kJudgeClassCount> JudgeModel::probabilities(const std::vector<JudgeFeature>& features) const {
  std::array<double, kJudgeClassCount> s = scores(features);
  double most = s[0];
  for (const double z : s) most = std::max(most, z);
  double total = 0;
  for (double& z : s) total += (z = std::exp((z - most) / temperature));
  for (double& z : s) z /= total;
  return s;
}

std::string encodeJudgeModel(const JudgeModel& model) {
  std::string out;
  LittleEndianWriter w(out);
  w.raw(std::string_view(kMagic, 8));
  w.u32(NounJudge::kVersion);
  w.u64(model.analyserFingerprint);
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

}  // namespace varnelio
