// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/morphology/tagger_data.h"

namespace varnelio {

namespace {

void put32(std::string& out, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) out += static_cast<char>((v >> (8 * k)) & 0xFF);
}

}  // namespace

std::string encodeTaggerData(const TaggerData& data) {
  std::string out(kTaggerMagic, 8);
  put32(out, kTaggerVersion);
  put32(out, static_cast<std::uint32_t>(data.tags.size()));
  for (const TaggerData::Tag& t : data.tags) {
    out.append(t.name.data(), 3);
    put32(out, t.count);
  }
  put32(out, static_cast<std::uint32_t>(data.trigrams.size()));
  for (const TaggerData::Trigram& t : data.trigrams) {
    out += static_cast<char>(t.first);
    out += static_cast<char>(t.second);
    out += static_cast<char>(t.third);
    put32(out, t.count);
  }
  put32(out, static_cast<std::uint32_t>(data.lemmaFrequencies.size()));
  for (std::size_t i = 0; i < data.lemmaFrequencies.size(); ++i) {
    put32(out, data.lemmaFrequencies[i]);
    out += static_cast<char>(i < data.lemmaGovernment.size() ? data.lemmaGovernment[i] : 0);
  }
  return out;
}

}  // namespace varnelio
