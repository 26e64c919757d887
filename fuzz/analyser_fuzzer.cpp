// SPDX-License-Identifier: GPL-3.0-or-later
// The analyser's file as any bytes: it is either refused whole or read, and then
// every word made up from the input is analysed and described without fault; each
// analysis names a lemma of the file and a description of it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "check.h"
#include "core/morphology/latin_analyser.h"
#include "core/morphology/latin_spelling.h"

using namespace varnelio;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const LatinAnalyser analyser = LatinAnalyser::fromBytes(bytes);
  FUZZ_CHECK(analyser.status() == LatinAnalyser::Status::Loaded || analyser.empty());
  FuzzedDataProvider in(data, size);
  std::vector<std::string> words = {in.ConsumeRandomLengthString(20), in.ConsumeRandomLengthString(6), "",
                                    "vitamque", "XIV", "consili", "L", "conloquium", "amarunt", "maxumus"};
  for (std::uint32_t l = 0; l < analyser.lemmaCount() && l < 8; ++l) words.emplace_back(analyser.headword(l));
  std::vector<Analysis> out;
  for (const std::string& w : words) {
    analyser.analyse(w, out);
    for (const Analysis& a : out) {
      FUZZ_CHECK(a.lemma == Analysis::kRomanNumeral || a.lemma < analyser.lemmaCount());
      const AnalysisText t = analyser.describe(a, w);
      if (a.lemma == Analysis::kRomanNumeral) FUZZ_CHECK(latin::romanNumeralValue(w) == a.morphology);
      else FUZZ_CHECK(t.lemma == analyser.headword(a.lemma));
    }
  }
  // Every form the file gives a lemma is analysed back as that lemma.
  for (std::uint32_t l = 0; l < analyser.lemmaCount() && l < 4; ++l) {
    std::vector<std::pair<std::string, std::uint16_t>> forms;
    analyser.forEachForm(l, [&](std::string_view f, std::uint16_t m) {
      if (forms.size() < 16) forms.emplace_back(std::string(f), m);
    });
    for (const auto& [form, m] : forms) {
      analyser.analyse(form, out);
      (void)m;
      bool found = false;
      for (const Analysis& a : out) found = found || a.lemma == l;
      FUZZ_CHECK(found || form.empty());
    }
  }
  return 0;
}
