// SPDX-License-Identifier: GPL-3.0-or-later
// The tagger's file as any bytes: it is read exactly when it is a whole tagger file
// by the layout of tagger_data.h (restated here on its own), and otherwise refused
// whole. A file read and bound to an analyser of its lemmas tags any sentence with
// probabilities in [0, 1], at most 1 for a word, and chooses the likeliest reading.
// The same input also builds a well-formed file of a few tags through the encoder,
// so that the tagging itself is reached on most runs, and cuts both files short:
// every cut is refused.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "core/morphology/contextual_tagger.h"
#include "core/morphology/latin_analyser.h"
#include "core/morphology/tagger_data.h"

using namespace varnelio;

namespace {

std::uint32_t le32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(k)]);
  return v;
}

// The layout, restated: magic and version, the analyser's fingerprint, 1 to 255 tags of 7 bytes whose counts
// are not all 0 and among which "snt" is, trigrams of 7 bytes naming those tags with
// at least one count above 0, lemmas of 5 bytes, and nothing after.
bool wellFormed(std::string_view b) {
  if (b.size() < 24 || b.substr(0, 8) != "VARNTAGS" || le32(b, 8) != kTaggerVersion) return false;
  const std::uint64_t tags = le32(b, 20);
  std::size_t at = 24;
  if (tags == 0 || tags > 255 || b.size() - at < tags * 7) return false;
  double total = 0;
  bool sentenceEnd = false;
  for (std::uint64_t k = 0; k < tags; ++k, at += 7) {
    sentenceEnd = sentenceEnd || b.substr(at, 3) == "snt";
    total += le32(b, at + 3);
  }
  if (b.size() - at < 4) return false;
  const std::uint64_t trigrams = le32(b, at);
  at += 4;
  if (b.size() - at < trigrams * 7) return false;
  bool counted = false;
  for (std::uint64_t k = 0; k < trigrams; ++k, at += 7) {
    for (int i = 0; i < 3; ++i)
      if (static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]) >= tags) return false;
    counted = counted || le32(b, at + 3) > 0;
  }
  if (b.size() - at < 4) return false;
  const std::uint64_t lemmas = le32(b, at);
  at += 4;
  return b.size() - at == lemmas * 5 && total > 0 && counted && sentenceEnd;
}

// A small analyser to tag with: a noun, a preposition, a verb, an adjective and a
// conjunction, with the cases and numbers of the nouns and one verb form.
const LatinAnalyser& smallAnalyser() {
  static const LatinAnalyser analyser = [] {
    AnalyserData d;
    d.morphologies.resize(122);
    const GrammaticalCase cases[] = {GrammaticalCase::Nominative, GrammaticalCase::Vocative,
                                     GrammaticalCase::Accusative, GrammaticalCase::Genitive,
                                     GrammaticalCase::Dative,     GrammaticalCase::Ablative};
    for (int n = 0; n < 2; ++n)
      for (int c = 0; c < 6; ++c) {
        MorphologyData& m = d.morphologies[static_cast<std::size_t>(1 + n * 6 + c)];
        m.personCase = "cas";
        m.number = n == 0 ? "sg." : "pl.";
        m.features.kind = FormKind::NounCase;
        m.features.grammaticalCase = cases[c];
        m.features.number = n == 0 ? GrammaticalNumber::Singular : GrammaticalNumber::Plural;
      }
    d.morphologies[13].personCase = "loc.";
    d.morphologies[13].features = {FormKind::NounCase, GrammaticalCase::Locative};
    d.morphologies[121].personCase = "3e p.";
    d.morphologies[121].moodTenseVoice = "ind. pr\xE9s. act.";
    d.morphologies[121].features = {FormKind::Finite, GrammaticalCase::None, GrammaticalNumber::Singular,
                                    GrammaticalGender::None, GrammaticalPerson::Third, Mood::Indicative,
                                    Tense::Present, Voice::Active};
    d.lemmas = {{"rosa", "n. 1", "rose", "f.", 0, PartOfSpeech::Noun, 0},
                {"in", "pr\xE9p.", "dans", "", 0, PartOfSpeech::Invariable, 0},
                {"amo", "v. 1", "aimer", "", 0, PartOfSpeech::Verb, 0},
                {"bonus", "adj. 1", "bon", "", 0, PartOfSpeech::Adjective, 0},
                {"et", "conj.", "et", "", 0, PartOfSpeech::Invariable, 0}};
    return LatinAnalyser::fromBytes(encodeAnalyserData(d));
  }();
  return analyser;
}

constexpr std::array<const char*, 16> kTagNames = {"snt", "n11", "n31", "n61", "n12", "n32", "r  ", "v1 ",
                                                    "a11", "a31", "ce ", "c  ", "d  ", "m  ", "n81", "w11"};

// A well-formed file (or nearly: the fuzzer may leave out "snt" or every count) of
// a few tags, for the analyser's lemmas.
std::string builtFile(FuzzedDataProvider& in, std::size_t lemmaCount) {
  TaggerData d;
  d.analyserFingerprint = smallAnalyser().fingerprint();
  const std::size_t tags = in.ConsumeIntegralInRange<std::size_t>(1, kTagNames.size());
  const std::size_t first = in.ConsumeBool() ? 1 : 0;
  for (std::size_t k = 0; k < tags; ++k) {
    const char* name = kTagNames[(first + k) % kTagNames.size()];
    d.tags.push_back({{name[0], name[1], name[2]},
                      in.ConsumeBool() ? in.ConsumeIntegral<std::uint32_t>() : in.ConsumeIntegralInRange<std::uint32_t>(0, 50)});
  }
  const std::size_t trigrams = in.ConsumeIntegralInRange<std::size_t>(0, 40);
  for (std::size_t k = 0; k < trigrams; ++k) {
    const auto tag = [&] { return in.ConsumeIntegralInRange<std::uint8_t>(0, static_cast<std::uint8_t>(tags - 1)); };
    d.trigrams.push_back({tag(), tag(), tag(), in.ConsumeIntegralInRange<std::uint32_t>(0, 200)});
  }
  for (std::size_t l = 0; l < lemmaCount; ++l) {
    d.lemmaFrequencies.push_back(in.ConsumeIntegralInRange<std::uint32_t>(0, 1000));
    d.lemmaGovernment.push_back(in.ConsumeIntegralInRange<std::uint8_t>(0, 3));
  }
  return encodeTaggerData(d);
}

// A sentence of the analyser's lemmas, with the morphologies it has.
std::vector<TaggedWord> sentence(FuzzedDataProvider& in) {
  const std::uint16_t morphologies[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 121, 0};
  std::vector<TaggedWord> words(in.ConsumeIntegralInRange<std::size_t>(1, 8));
  for (TaggedWord& w : words) {
    const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, 4);
    for (std::size_t k = 0; k < n; ++k) {
      const std::uint32_t lemma = in.ConsumeIntegralInRange<std::uint32_t>(0, 5);
      w.analyses.push_back({lemma == 5 ? Analysis::kRomanNumeral : lemma, in.PickValueInArray(morphologies)});
    }
    w.clauseStart = in.ConsumeBool();
    w.enclitic = in.ConsumeBool();
  }
  return words;
}

void checkTagging(ContextualTagger& tagger, FuzzedDataProvider& in) {
  const LatinAnalyser& analyser = smallAnalyser();
  FUZZ_CHECK(tagger.bind(analyser));
  std::vector<TaggedWord> words = sentence(in);
  tagger.tag(analyser, words);
  for (const TaggedWord& w : words) {
    FUZZ_CHECK(w.posterior.size() == w.analyses.size());
    double sum = 0;
    for (const double p : w.posterior) {
      FUZZ_CHECK(std::isfinite(p) && p >= 0 && p <= 1 + 1e-9);
      sum += p;
    }
    FUZZ_CHECK(sum <= 1 + 1e-6);
    FUZZ_CHECK(w.chosen >= -1 && w.chosen < static_cast<int>(w.analyses.size()));
    if (w.analyses.empty()) FUZZ_CHECK(w.chosen == -1);
    if (w.chosen >= 0)
      FUZZ_CHECK(*std::max_element(w.posterior.begin(), w.posterior.end()) == w.posterior[static_cast<std::size_t>(w.chosen)]);
  }
}

// Read exactly when well formed; a refused file leaves the tagger empty and
// tagging nothing; a file read is refused once cut short anywhere.
void checkFile(std::string_view bytes, FuzzedDataProvider& in) {
  ContextualTagger tagger = ContextualTagger::fromBytes(bytes);
  const bool loaded = tagger.status() == ContextualTagger::Status::Loaded;
  FUZZ_CHECK(loaded == wellFormed(bytes));
  if (!loaded) {
    FUZZ_CHECK(tagger.status() == ContextualTagger::Status::Invalid);
    FUZZ_CHECK(tagger.memoryUsed() == 0 && !tagger.fits(smallAnalyser()));
    std::vector<TaggedWord> words = sentence(in);
    tagger.tag(smallAnalyser(), words);
    for (const TaggedWord& w : words) FUZZ_CHECK(w.chosen == -1 && w.posterior.empty());
    return;
  }
  const std::size_t cut = in.ConsumeIntegralInRange<std::size_t>(0, bytes.size() - 1);
  FUZZ_CHECK(ContextualTagger::fromBytes(bytes.substr(0, cut)).status() == ContextualTagger::Status::Invalid);
  // Whatever fingerprint it records, the same file bound to the small analyser's
  // tags when it has as many lemmas.
  std::string bound(bytes);
  const std::uint64_t fingerprint = smallAnalyser().fingerprint();
  for (std::size_t k = 0; k < 8; ++k) bound[12 + k] = static_cast<char>(fingerprint >> (8 * k));
  ContextualTagger boundTagger = ContextualTagger::fromBytes(bound);
  FUZZ_CHECK(boundTagger.status() == ContextualTagger::Status::Loaded);
  if (boundTagger.fits(smallAnalyser())) checkTagging(boundTagger, in);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FUZZ_CHECK(smallAnalyser().status() == LatinAnalyser::Status::Loaded);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  FuzzedDataProvider in(data, size);
  checkFile(bytes, in);
  const std::string built = builtFile(in, smallAnalyser().lemmaCount());
  checkFile(built, in);
  return 0;
}
