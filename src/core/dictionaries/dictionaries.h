// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lemma dictionary (lexique.dat, 323-byte records) and the form dictionary
// (donnees.dat, 216-byte records), their lookups, and the printouts of their hits.
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/dictionaries/dictionary_file.h"
#include "core/morphology/latin_analyser.h"
#include "core/reports/print_job.h"

namespace varnelio {

// Field indexes into each table, in file order.
namespace lemma_field {
inline constexpr std::size_t kLemma = 0, kCategory = 1, kTranslation = 2, kFrenchFamily = 3, kLatinFamily = 4;
}
namespace form_field {
inline constexpr std::size_t kForm = 0, kCategory = 1, kLemma = 2, kCaseGenderNumber = 3, kMoodTenseVoice = 4,
                             kTranslation = 5;
}

const DictionaryLayout& lemmaLayout();
const DictionaryLayout& formLayout();

// A hit as the result grid shows it: the cells of one row, in column order.
using LemmaRow = std::array<std::string, 5>;  // lemma, translation, category, French family, Latin family
using FormRow = std::array<std::string, 6>;   // form, lemma, translation, category, case-gender-number, mood-tense-voice
// A row a search adds after the file's entries, its cells in column order.
using AddedRow = std::vector<std::string>;

// What either dictionary answers, so that the windows and the command line show
// both the same way: the typed search, the entries of a letter, the printout.
class DictionaryTable {
 public:
  virtual ~DictionaryTable() = default;
  virtual const DictionaryFile& file() const = 0;
  std::size_t count() const { return file().count(); }
  // A lemma is found by its beginning, a form whole; case is ignored.
  virtual std::vector<std::size_t> find(std::string_view text) const = 0;
  virtual std::vector<std::size_t> findLetter(char letter) const = 0;
  // The rows a typed search adds after the entries that find() gave: the form
  // dictionary's analyser answers what its records do not. None by default.
  virtual std::vector<AddedRow> addedRows(std::string_view /*text*/, const std::vector<std::size_t>& /*found*/) const {
    return {};
  }
  // The printout of these entries, in this order; then of the added rows.
  virtual PrintJob entriesJob(const std::vector<std::size_t>& entries) const = 0;
  virtual PrintJob entriesJob(const std::vector<std::size_t>& entries, const std::vector<AddedRow>& added) const {
    (void)added;
    return entriesJob(entries);
  }

 protected:
  DictionaryTable() = default;
  DictionaryTable(const DictionaryTable&) = default;
  DictionaryTable& operator=(const DictionaryTable&) = default;
};

class LemmaTable final : public DictionaryTable {
 public:
  static constexpr std::string_view kFileName = "lexique.dat";
  LemmaTable() = default;
  explicit LemmaTable(DictionaryFile file) : file_(std::move(file)) {}
  static LemmaTable load(const std::string& path) { return LemmaTable(DictionaryFile::load(lemmaLayout(), path)); }

  const DictionaryFile& file() const override { return file_; }
  LemmaRow row(std::size_t i) const;
  std::vector<std::size_t> findLemma(std::string_view text) const;  // prefix, ignoring case
  std::vector<std::size_t> find(std::string_view text) const override { return findLemma(text); }
  std::vector<std::size_t> findLetter(char letter) const override;
  using DictionaryTable::entriesJob;
  PrintJob entriesJob(const std::vector<std::size_t>& entries) const override;

 private:
  DictionaryFile file_;
};

class FormTable final : public DictionaryTable {
 public:
  static constexpr std::string_view kFileName = "donnees.dat";
  FormTable() = default;
  explicit FormTable(DictionaryFile file) : file_(std::move(file)) {}
  // Reads donnees.dat, and the Latin analyser (analyseur.dat) when it lies beside it.
  static FormTable load(const std::string& path);
  // Reads donnees.dat, with the analyser given (none: the records alone answer).
  static FormTable load(const std::string& path, std::shared_ptr<const LatinAnalyser> analyser);

  const DictionaryFile& file() const override { return file_; }
  FormRow row(std::size_t i) const;
  std::vector<std::size_t> findForm(std::string_view text) const;  // whole form, ignoring case
  std::vector<std::size_t> find(std::string_view text) const override { return findForm(text); }
  std::vector<std::size_t> findLetter(char letter) const override;
  // Every analysis of the text by the analyser that the records found did not
  // already give (same lemma, case-gender-number and mood-tense-voice), the text as
  // the form.
  std::vector<AddedRow> addedRows(std::string_view text, const std::vector<std::size_t>& found) const override;
  PrintJob entriesJob(const std::vector<std::size_t>& entries) const override;
  PrintJob entriesJob(const std::vector<std::size_t>& entries, const std::vector<AddedRow>& added) const override;

 private:
  DictionaryFile file_;
  std::shared_ptr<const LatinAnalyser> analyser_;
};

// The no-result texts (Windows-1252).
inline constexpr std::string_view kNoLemmaResult = "Aucune information n'est disponible pour le lemme demand\xE9";
inline constexpr std::string_view kNoFormResult = "Aucune information n'est disponible pour la forme demand\xE9" "e";
inline constexpr std::string_view kNoLetterResult =
    "Aucune information n'est disponible pour la lettre demand\xE9" "e";

// Printouts: "verdana" 9 pt, labelled lines then 64 hyphens per entry, a new page
// after every tenth entry. Cells lose their trailing blanks.
PrintJob lemmaEntriesJob(const std::vector<LemmaRow>& rows);
PrintJob formEntriesJob(const std::vector<FormRow>& rows);

}  // namespace varnelio
