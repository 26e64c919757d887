// SPDX-License-Identifier: GPL-3.0-or-later
// Both dictionary files as any bytes: the same input is read as lexique.dat and as
// donnees.dat. The entry count, every loaded field and the three lookups are
// checked against a plain re-statement of their rules; the printouts of the hits
// are built too.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "core/dictionaries/dictionaries.h"
#include "core/dictionaries/dictionary_file.h"

using namespace varnelio;

namespace {

unsigned char lower(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 192 && c <= 222 && c != 215)) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
  }
}

std::string lowered(std::string_view s) {
  std::string out;
  for (unsigned char c : s) out.push_back(static_cast<char>(lower(c)));
  return out;
}

struct Field {
  std::size_t offset, width;
  bool leading;
};

// The layouts restated: offsets and widths of the loaded fields, and which of them
// loses its leading blanks instead of its trailing ones.
const std::vector<Field> kLemmaFields = {{2, 70, false}, {72, 6, false}, {78, 100, false}, {178, 70, true},
                                         {248, 70, false}};
const std::vector<Field> kFormFields = {{2, 30, false}, {32, 7, false},  {39, 50, false},
                                        {89, 15, true}, {104, 22, false}, {126, 80, false}};

std::string loaded(std::string_view bytes, std::size_t recordSize, std::size_t i, const Field& f) {
  std::string_view v = bytes.substr(i * recordSize + f.offset, f.width);
  if (f.leading) {
    while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
  } else {
    while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
  }
  return std::string(v);
}

// The lemma lookup also takes i for j and u for v.
std::string spelled(std::string_view s) {
  std::string out = lowered(s);
  for (char& c : out) {
    if (c == 'j') c = 'i';
    if (c == 'v') c = 'u';
  }
  return out;
}

std::vector<std::size_t> prefixHits(const std::vector<std::string>& heads, std::string_view t) {
  std::vector<std::size_t> hits;
  for (std::size_t i = 0; i < heads.size(); ++i) {
    const std::string_view h = heads[i];
    if (h.size() >= t.size() && spelled(h.substr(0, t.size())) == spelled(t)) hits.push_back(i);
  }
  return hits;
}

std::vector<std::size_t> exactHits(const std::vector<std::string>& heads, std::string_view t) {
  std::vector<std::size_t> hits;
  for (std::size_t i = 0; i < heads.size(); ++i)
    if (lowered(heads[i]) == lowered(t)) hits.push_back(i);
  return hits;
}

std::vector<std::size_t> letterHits(const std::vector<std::string>& heads, char c) {
  std::vector<std::size_t> hits;
  for (std::size_t i = 0; i < heads.size(); ++i) {
    if (heads[i].empty()) continue;
    const unsigned char f = lower(static_cast<unsigned char>(heads[i][0]));
    if (f == static_cast<unsigned char>(c)) hits.push_back(i);
    if (f > static_cast<unsigned char>(c)) break;
  }
  return hits;
}

// Loads the bytes with one layout and checks count and fields; returns the headwords.
std::vector<std::string> checkFile(const DictionaryFile& file, std::string_view bytes, std::size_t recordSize,
                                   const std::vector<Field>& fields) {
  FUZZ_CHECK(file.count() == bytes.size() / recordSize);
  FUZZ_CHECK((file.status() == DictionaryStatus::MissingOrEmpty) == bytes.empty());
  std::vector<std::string> heads;
  for (std::size_t i = 0; i < file.count(); ++i) {
    for (std::size_t f = 0; f < fields.size(); ++f) FUZZ_CHECK(file.field(i, f) == loaded(bytes, recordSize, i, fields[f]));
    heads.emplace_back(file.field(i, 0));
  }
  return heads;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  const LemmaTable lemmas(DictionaryFile(lemmaLayout(), bytes));
  const FormTable forms(DictionaryFile(formLayout(), bytes));
  const std::vector<std::string> lemmaHeads = checkFile(lemmas.file(), bytes, 323, kLemmaFields);
  const std::vector<std::string> formHeads = checkFile(forms.file(), bytes, 216, kFormFields);

  // The rows as the result grids show them, columns in display order.
  for (std::size_t i = 0; i < lemmas.count(); ++i) {
    const LemmaRow row = lemmas.row(i);
    const auto& f = lemmas.file();
    FUZZ_CHECK(row[0] == f.field(i, 0) && row[1] == f.field(i, 2) && row[2] == f.field(i, 1) &&
               row[3] == f.field(i, 3) && row[4] == f.field(i, 4));
  }
  for (std::size_t i = 0; i < forms.count(); ++i) {
    const FormRow row = forms.row(i);
    const auto& f = forms.file();
    FUZZ_CHECK(row[0] == f.field(i, 0) && row[1] == f.field(i, 2) && row[2] == f.field(i, 5) &&
               row[3] == f.field(i, 1) && row[4] == f.field(i, 3) && row[5] == f.field(i, 4));
  }

  // Search texts: made up from the input, the empty text, and every headword as it
  // is (each finds at least its own entry), longer by a blank, and upper-cased.
  FuzzedDataProvider in(data, size);
  std::vector<std::string> queries = {in.ConsumeRandomLengthString(40), in.ConsumeRandomLengthString(8), ""};
  for (const auto* heads : {&lemmaHeads, &formHeads})
    for (std::size_t i = 0; i < heads->size() && i < 4; ++i) {
      queries.push_back((*heads)[i]);
      queries.push_back((*heads)[i] + " ");
    }
  for (const std::string& q : queries) {
    FUZZ_CHECK(lemmas.findLemma(q) == prefixHits(lemmaHeads, q));
    FUZZ_CHECK(forms.findForm(q) == exactHits(formHeads, q));
    // The form lookup never finds more than the prefix lookup on the same field.
    FUZZ_CHECK(findExact(forms.file(), 0, q).size() <= findByPrefix(forms.file(), 0, q).size());
  }
  for (std::size_t i = 0; i < lemmaHeads.size() && i < 4; ++i) {
    const auto hits = lemmas.findLemma(lemmaHeads[i]);
    FUZZ_CHECK(std::find(hits.begin(), hits.end(), i) != hits.end());
  }
  for (std::size_t i = 0; i < formHeads.size() && i < 4; ++i) {
    const auto hits = forms.findForm(formHeads[i]);
    FUZZ_CHECK(std::find(hits.begin(), hits.end(), i) != hits.end());
  }
  std::vector<LemmaRow> lemmaRows;
  std::vector<FormRow> formRows;
  for (char c = 'a'; c <= 'z'; ++c) {
    const auto lh = lemmas.findLetter(c);
    FUZZ_CHECK(lh == letterHits(lemmaHeads, c));
    for (std::size_t i : lh) lemmaRows.push_back(lemmas.row(i));
    const auto fh = forms.findLetter(c);
    FUZZ_CHECK(fh == letterHits(formHeads, c));
    for (std::size_t i : fh) formRows.push_back(forms.row(i));
  }
  // The lemma lookup of the empty text lists the whole dictionary, in file order.
  const auto all = lemmas.findLemma("");
  FUZZ_CHECK(all.size() == lemmas.count());

  // The printouts of the hits: each entry gives its labelled lines and the line of
  // hyphens; nothing is lost, whatever bytes the fields hold.
  const auto textLines = [](const PrintJob& job, std::size_t& hyphens) {
    std::size_t lines = 0;
    for (const PrintOp& op : job.ops()) {
      if (op.kind != PrintOp::Kind::Text) continue;
      ++lines;
      hyphens += op.text == std::string(64, '-');
    }
    return lines;
  };
  std::size_t lemmaHyphens = 0, formHyphens = 0;
  FUZZ_CHECK(textLines(lemmaEntriesJob(lemmaRows), lemmaHyphens) == lemmaRows.size() * 6);
  FUZZ_CHECK(lemmaHyphens == lemmaRows.size());
  FUZZ_CHECK(textLines(formEntriesJob(formRows), formHyphens) == formRows.size() * 7);
  FUZZ_CHECK(formHyphens == formRows.size());
  return 0;
}
