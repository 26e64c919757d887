#include "core/morphology/analyser_data.h"

#include <string_view>
#include <unordered_map>

namespace varnelio {

namespace {

class Writer {
 public:
  void u8(std::uint8_t v) { out_ += static_cast<char>(v); }
  void u16(std::uint16_t v) {
    u8(static_cast<std::uint8_t>(v & 0xFF));
    u8(static_cast<std::uint8_t>(v >> 8));
  }
  void u32(std::uint32_t v) {
    u16(static_cast<std::uint16_t>(v & 0xFFFF));
    u16(static_cast<std::uint16_t>(v >> 16));
  }
  void bytes(std::string_view b) { out_ += b; }
  std::string& out() { return out_; }

 private:
  std::string out_;
};

// Each distinct string once.
class Pool {
 public:
  std::uint32_t ref(const std::string& s) {
    const auto found = offsets_.find(s);
    if (found != offsets_.end()) return found->second;
    const auto offset = static_cast<std::uint32_t>(bytes_.size());
    const std::string_view kept = std::string_view(s).substr(0, 0xFFFF);
    const auto size = static_cast<std::uint16_t>(kept.size());
    bytes_ += static_cast<char>(size & 0xFF);
    bytes_ += static_cast<char>(size >> 8);
    bytes_ += kept;
    offsets_.emplace(s, offset);
    return offset;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
  std::unordered_map<std::string, std::uint32_t> offsets_;
};

}  // namespace

std::string encodeAnalyserData(const AnalyserData& data) {
  Pool pool;
  Writer body;
  body.u32(static_cast<std::uint32_t>(data.morphologies.size()));
  for (const MorphologyData& m : data.morphologies) {
    for (const std::string* s : {&m.personCase, &m.gender, &m.number, &m.moodTenseVoice, &m.deponentMoodTenseVoice})
      body.u32(pool.ref(*s));
    body.u8(static_cast<std::uint8_t>(m.grammaticalCase));
    body.u8(static_cast<std::uint8_t>(m.grammaticalNumber));
    body.u8(m.nounForm ? 1 : 0);
  }
  body.u32(static_cast<std::uint32_t>(data.lemmas.size()));
  for (const LemmaData& l : data.lemmas) {
    for (const std::string* s : {&l.headword, &l.category, &l.translation, &l.gender}) body.u32(pool.ref(*s));
    body.u16(l.model);
    body.u8(static_cast<std::uint8_t>(l.partOfSpeech));
    body.u8(l.flags);
  }
  body.u32(static_cast<std::uint32_t>(data.endings.size()));
  for (const EndingData& e : data.endings) {
    body.u32(pool.ref(e.ending));
    body.u16(e.model);
    body.u8(e.radical);
    body.u16(e.morphology);
  }
  body.u32(static_cast<std::uint32_t>(data.stems.size()));
  for (const StemData& s : data.stems) {
    body.u32(pool.ref(s.stem));
    body.u32(s.lemma);
    body.u8(s.radical);
  }
  body.u32(static_cast<std::uint32_t>(data.irregulars.size()));
  for (const IrregularData& i : data.irregulars) {
    body.u32(pool.ref(i.form));
    body.u32(i.lemma);
    body.u16(i.morphology);
  }
  body.u32(static_cast<std::uint32_t>(data.exclusions.size()));
  for (const auto& [lemma, morphology] : data.exclusions) {
    body.u32(lemma);
    body.u16(morphology);
  }
  body.u32(static_cast<std::uint32_t>(data.abbreviations.size()));
  for (const IrregularData& i : data.abbreviations) {
    body.u32(pool.ref(i.form));
    body.u32(i.lemma);
    body.u16(i.morphology);
  }
  for (const auto* pairs : {&data.contractions, &data.assimilations}) {
    body.u32(static_cast<std::uint32_t>(pairs->size()));
    for (const auto& [a, b] : *pairs) {
      body.u32(pool.ref(a));
      body.u32(pool.ref(b));
    }
  }
  Writer file;
  file.bytes(std::string_view(kAnalyserMagic, 8));
  file.u32(kAnalyserVersion);
  file.u32(static_cast<std::uint32_t>(pool.bytes().size()));
  file.bytes(pool.bytes());
  file.bytes(body.out());
  return std::move(file.out());
}

}  // namespace varnelio
