// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/morphology/tagger_data.h"

#include "core/files/little_endian.h"

namespace varnelio {

std::string encodeTaggerData(const TaggerData& data) {
  std::string out;
  LittleEndianWriter w(out);
  w.raw(std::string_view(kTaggerMagic, 8));
  w.u32(kTaggerVersion);
  w.u64(data.analyserFingerprint);
  w.u32(static_cast<std::uint32_t>(data.tags.size()));
  for (const TaggerData::Tag& t : data.tags) {
    w.raw(std::string_view(t.name.data(), 3));
    w.u32(t.count);
  }
  w.u32(static_cast<std::uint32_t>(data.trigrams.size()));
  for (const TaggerData::Trigram& t : data.trigrams) {
    w.u8(t.first);
    w.u8(t.second);
    w.u8(t.third);
    w.u32(t.count);
  }
  w.u32(static_cast<std::uint32_t>(data.lemmaFrequencies.size()));
  for (std::size_t i = 0; i < data.lemmaFrequencies.size(); ++i) {
    w.u32(data.lemmaFrequencies[i]);
    w.u8(i < data.lemmaGovernment.size() ? data.lemmaGovernment[i] : 0);
  }
  return out;
}

}  // namespace varnelio
