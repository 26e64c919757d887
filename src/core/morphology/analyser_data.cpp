// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/morphology/analyser_data.h"

#include "core/files/little_endian.h"

#include <string_view>
#include <unordered_map>

namespace varnelio {

namespace {

// Each distinct string once: a 16-bit length and its bytes.
class Pool {
 public:
  std::uint32_t ref(const std::string& s) {
    const auto found = offsets_.find(s);
    if (found != offsets_.end()) return found->second;
    const auto offset = static_cast<std::uint32_t>(bytes_.size());
    const std::string_view kept = std::string_view(s).substr(0, 0xFFFF);
    LittleEndianWriter w(bytes_);
    w.u16(static_cast<std::uint16_t>(kept.size()));
    w.raw(kept);
    offsets_.emplace(s, offset);
    return offset;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
  std::unordered_map<std::string, std::uint32_t> offsets_;
};

// The file: its tables, each a count and its records, with the strings they name
// gathered in the pool that precedes them.
class AnalyserFileWriter {
 public:
  AnalyserFileWriter() = default;
  AnalyserFileWriter(const AnalyserFileWriter&) = delete;  // body_ writes into bodyBytes_
  AnalyserFileWriter& operator=(const AnalyserFileWriter&) = delete;

  template <typename Record, typename WriteRecord>
  void table(const std::vector<Record>& records, WriteRecord writeRecord) {
    body_.u32(static_cast<std::uint32_t>(records.size()));
    for (const Record& r : records) writeRecord(*this, r);
  }
  void u8(std::uint8_t v) { body_.u8(v); }
  void u16(std::uint16_t v) { body_.u16(v); }
  void u32(std::uint32_t v) { body_.u32(v); }
  void str(const std::string& s) { body_.u32(pool_.ref(s)); }

  // The header, the pool, then the tables.
  std::string file() {
    std::string out;
    LittleEndianWriter file(out);
    file.raw(std::string_view(kAnalyserMagic, 8));
    file.u32(kAnalyserVersion);
    file.bytes(pool_.bytes());  // its size, then the pool
    file.raw(bodyBytes_);
    return out;
  }

 private:
  Pool pool_;
  std::string bodyBytes_;
  LittleEndianWriter body_{bodyBytes_};
};

void writeMorphology(AnalyserFileWriter& w, const MorphologyData& m) {
  for (const std::string* s : {&m.personCase, &m.gender, &m.number, &m.moodTenseVoice, &m.deponentMoodTenseVoice})
    w.str(*s);
  for (const std::uint8_t b : featureBytes(m.features)) w.u8(b);
}

void writeLemma(AnalyserFileWriter& w, const LemmaData& l) {
  for (const std::string* s : {&l.headword, &l.category, &l.translation, &l.gender}) w.str(*s);
  w.u16(l.model);
  w.u8(static_cast<std::uint8_t>(l.partOfSpeech));
  w.u8(l.flags);
  w.u32(l.frequency);
}

void writeEnding(AnalyserFileWriter& w, const EndingData& e) {
  w.str(e.ending);
  w.u16(e.model);
  w.u8(e.radical);
  w.u16(e.morphology);
}

void writeStem(AnalyserFileWriter& w, const StemData& s) {
  w.str(s.stem);
  w.u32(s.lemma);
  w.u8(s.radical);
}

// An irregular form or an abbreviation.
void writeForm(AnalyserFileWriter& w, const IrregularData& i) {
  w.str(i.form);
  w.u32(i.lemma);
  w.u16(i.morphology);
}

void writeExclusion(AnalyserFileWriter& w, const std::pair<std::uint32_t, std::uint16_t>& x) {
  w.u32(x.first);
  w.u16(x.second);
}

void writePair(AnalyserFileWriter& w, const std::pair<std::string, std::string>& p) {
  w.str(p.first);
  w.str(p.second);
}

}  // namespace

namespace {
// The last value of each field's enumeration, in the file's order.
constexpr std::array<std::uint8_t, kFeatureBytes> kLastValue = {
    static_cast<std::uint8_t>(FormKind::Invariable),     static_cast<std::uint8_t>(GrammaticalCase::Locative),
    static_cast<std::uint8_t>(GrammaticalNumber::Plural), static_cast<std::uint8_t>(GrammaticalGender::Neuter),
    static_cast<std::uint8_t>(GrammaticalPerson::Third), static_cast<std::uint8_t>(Mood::Supine),
    static_cast<std::uint8_t>(Tense::FuturePerfect),     static_cast<std::uint8_t>(Voice::Passive),
    static_cast<std::uint8_t>(Degree::Superlative)};
}  // namespace

std::array<std::uint8_t, kFeatureBytes> featureBytes(const MorphologyFeatures& m) {
  return {static_cast<std::uint8_t>(m.kind),   static_cast<std::uint8_t>(m.grammaticalCase),
          static_cast<std::uint8_t>(m.number), static_cast<std::uint8_t>(m.gender),
          static_cast<std::uint8_t>(m.person), static_cast<std::uint8_t>(m.mood),
          static_cast<std::uint8_t>(m.tense),  static_cast<std::uint8_t>(m.voice),
          static_cast<std::uint8_t>(m.degree)};
}

std::optional<MorphologyFeatures> featuresFromBytes(const std::array<std::uint8_t, kFeatureBytes>& b) {
  for (std::size_t k = 0; k < kFeatureBytes; ++k)
    if (b[k] > kLastValue[k]) return std::nullopt;
  MorphologyFeatures m;
  m.kind = static_cast<FormKind>(b[0]);
  m.grammaticalCase = static_cast<GrammaticalCase>(b[1]);
  m.number = static_cast<GrammaticalNumber>(b[2]);
  m.gender = static_cast<GrammaticalGender>(b[3]);
  m.person = static_cast<GrammaticalPerson>(b[4]);
  m.mood = static_cast<Mood>(b[5]);
  m.tense = static_cast<Tense>(b[6]);
  m.voice = static_cast<Voice>(b[7]);
  m.degree = static_cast<Degree>(b[8]);
  return m;
}

std::string encodeAnalyserData(const AnalyserData& data) {
  AnalyserFileWriter w;
  w.table(data.morphologies, writeMorphology);
  w.table(data.lemmas, writeLemma);
  w.table(data.endings, writeEnding);
  w.table(data.stems, writeStem);
  w.table(data.irregulars, writeForm);
  w.table(data.exclusions, writeExclusion);
  w.table(data.abbreviations, writeForm);
  w.table(data.contractions, writePair);
  w.table(data.assimilations, writePair);
  return w.file();
}

}  // namespace varnelio
