// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dictionaries/dictionaries.h"

#include "core/morphology/latin_data.h"

#include <algorithm>
#include <tuple>

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

PrintJob FormTable::entriesJob(const std::vector<std::size_t>& entries) const { return entriesJob(entries, {}); }

PrintJob FormTable::entriesJob(const std::vector<std::size_t>& entries, const std::vector<AddedRow>& added) const {
  std::vector<FormRow> rows;
  rows.reserve(entries.size() + added.size());
  for (const std::size_t i : entries) rows.push_back(row(i));
  for (const AddedRow& a : added) {
    FormRow r;
    std::copy_n(a.begin(), std::min(a.size(), r.size()), r.begin());
    rows.push_back(std::move(r));
  }
  return formEntriesJob(rows);
}

FormTable FormTable::load(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  auto analyser = loadAnalyser(folder + "/" + std::string(LatinAnalyser::kFileName));
  auto* loaded = std::get_if<std::shared_ptr<const LatinAnalyser>>(&analyser);
  return load(path, loaded ? *loaded : nullptr);
}

FormTable FormTable::load(const std::string& path, std::shared_ptr<const LatinAnalyser> analyser) {
  FormTable table(DictionaryFile::load(formLayout(), path));
  table.analyser_ = std::move(analyser);
  return table;
}

std::vector<AddedRow> FormTable::addedRows(std::string_view text, const std::vector<std::size_t>& found) const {
  std::vector<AddedRow> added;
  if (!analyser_ || text.empty()) return added;
  // An analysis is already given when a record names its lemma with the same
  // case-gender-number and mood-tense-voice (as its fields hold them).
  const std::size_t lemmaWidth = formLayout().fields[form_field::kLemma].width;
  std::vector<std::tuple<std::string, std::string, std::string>> given;
  for (const std::size_t i : found)
    given.emplace_back(std::string(file_.field(i, form_field::kLemma)),
                       std::string(trimTrailingSpaces(file_.field(i, form_field::kCaseGenderNumber))),
                       std::string(file_.field(i, form_field::kMoodTenseVoice)));
  std::vector<Analysis> analyses = analyser_->analyse(text);
  // A word typed with its capital that nothing knows is taken for a name: its
  // guessed analyses, said to be guesses, come after everything known.
  if (analyses.empty() && found.empty()) analyser_->guessNames(text, analyses);
  analyser_->likeliestFirst(analyses);
  for (const Analysis& a : analyses) {
    AnalysisText t = analyser_->describe(a, text);
    auto key = std::make_tuple(t.lemma.substr(0, lemmaWidth), t.caseGenderNumber, t.moodTenseVoice);
    if (std::find(given.begin(), given.end(), key) != given.end()) continue;
    given.push_back(std::move(key));
    added.push_back({std::string(text), std::move(t.lemma), std::move(t.translation), std::move(t.category),
                     std::move(t.caseGenderNumber), std::move(t.moodTenseVoice)});
  }
  return added;
}

}  // namespace varnelio
