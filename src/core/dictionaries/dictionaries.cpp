#include "core/dictionaries/dictionaries.h"

#include "core/text/trim.h"

namespace varnelio {

const DictionaryLayout& lemmaLayout() {
  static const DictionaryLayout layout{
      323,
      {
          {2, 70, false},    // lemma
          {72, 6, false},    // category
          {78, 100, false},  // translation
          {178, 70, true},   // French family: leading blanks removed
          {248, 70, false},  // Latin family
      },
      318,
      5};
  return layout;
}

const DictionaryLayout& formLayout() {
  static const DictionaryLayout layout{
      216,
      {
          {2, 30, false},    // form
          {32, 7, false},    // category
          {39, 50, false},   // lemma
          {89, 15, true},    // case, gender, number: leading blanks removed
          {104, 22, false},  // mood, tense, voice
          {126, 80, false},  // translation
      },
      206,
      10};
  return layout;
}

LemmaRow LemmaTable::row(std::size_t i) const {
  using namespace lemma_field;
  return {std::string(file_.field(i, kLemma)), std::string(file_.field(i, kTranslation)),
          std::string(file_.field(i, kCategory)), std::string(file_.field(i, kFrenchFamily)),
          std::string(file_.field(i, kLatinFamily))};
}

std::vector<std::size_t> LemmaTable::findLemma(std::string_view text) const {
  return findByPrefix(file_, lemma_field::kLemma, text);
}
std::vector<std::size_t> LemmaTable::findLetter(char letter) const {
  return findByLetter(file_, lemma_field::kLemma, letter);
}

FormRow FormTable::row(std::size_t i) const {
  using namespace form_field;
  return {std::string(file_.field(i, kForm)),        std::string(file_.field(i, kLemma)),
          std::string(file_.field(i, kTranslation)), std::string(file_.field(i, kCategory)),
          std::string(file_.field(i, kCaseGenderNumber)), std::string(file_.field(i, kMoodTenseVoice))};
}

std::vector<std::size_t> FormTable::findForm(std::string_view text) const {
  return findExact(file_, form_field::kForm, text);
}
std::vector<std::size_t> FormTable::findLetter(char letter) const {
  return findByLetter(file_, form_field::kForm, letter);
}

namespace {

template <std::size_t N>
PrintJob entriesJob(const std::vector<std::array<std::string, N>>& rows,
                    const std::array<std::string_view, N>& labels) {
  PrintJob job;
  job.setFont("verdana", 9, false);
  int k = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto& row = rows[i];
    ++k;
    for (std::size_t c = 0; c < N; ++c) {
      std::string line(labels[c]);
      line += trimTrailingSpaces(row[c]);
      job.print(line, true);
    }
    job.print(std::string(64, '-'), true);
    // Ten entries a page; the last page is never followed by an empty one.
    if (k == 10 && i + 1 < rows.size()) {
      k = 0;
      job.newPage();
    }
  }
  job.endDocument();
  return job;
}

}  // namespace

PrintJob lemmaEntriesJob(const std::vector<LemmaRow>& rows) {
  return entriesJob<5>(rows, {"Lemme: ", "Traduction : ", "Cat\xE9gorie : ", "Famille fran\xE7" "aise : ",
                              "Famille latine : "});
}

PrintJob formEntriesJob(const std::vector<FormRow>& rows) {
  return entriesJob<6>(rows, {"Formes: ", "Lemme : ", "Traduction : ", "Cat. gramm. : ", "Cas, genre, nombre : ",
                              "Mode, temps, voix : "});
}

PrintJob LemmaTable::entriesJob(const std::vector<std::size_t>& entries) const {
  std::vector<LemmaRow> rows;
  rows.reserve(entries.size());
  for (const std::size_t i : entries) rows.push_back(row(i));
  return lemmaEntriesJob(rows);
}

PrintJob FormTable::entriesJob(const std::vector<std::size_t>& entries) const {
  std::vector<FormRow> rows;
  rows.reserve(entries.size());
  for (const std::size_t i : entries) rows.push_back(row(i));
  return formEntriesJob(rows);
}

}  // namespace varnelio
