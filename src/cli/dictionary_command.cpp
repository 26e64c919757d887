// SPDX-License-Identifier: GPL-3.0-or-later
#include <vector>

#include "cli/cli_output.h"
#include "cli/commands.h"
#include "core/dictionaries/dictionaries.h"
#include "core/text/cp1252.h"

namespace varnelio::cli {
namespace {

template <typename Row>
void writeRow(StdoutUtf8Writer& out, const Row& cells) {
  for (std::size_t c = 0; c < cells.size(); ++c) {
    if (c) out.write("\t");
    out.write(cells[c]);
  }
  out.write("\n");
}

// Loads the dictionary; on failure prints why and returns false.
bool loaded(const DictionaryFile& file, std::string_view fileName, const std::string& path, int& exitCode) {
  switch (file.status()) {
    case DictionaryStatus::Loaded: return true;
    case DictionaryStatus::MissingOrEmpty:
      printError("Le fichier " + std::string(fileName) + " est manquant! (" + path + ")");
      exitCode = kFileFailure;
      return false;
    case DictionaryStatus::Unreadable:
      exitCode = readFailure(file.error());
      return false;
  }
  return true;
}

}  // namespace

int runDictionary(const DictionaryQuery& q, const std::string& dataDir) {
  const bool lemmas = q.dictionary == Dictionary::Lemmas;
  const std::string_view fileName = lemmas ? LemmaTable::kFileName : FormTable::kFileName;
  const std::string path = q.dictPath ? *q.dictPath : dataDir + "/" + std::string(fileName);
  const std::string text = cp1252::fromUtf8(q.text);
  int exitCode = kOk;
  StdoutUtf8Writer out;
  std::size_t hits = 0;
  if (lemmas) {
    const LemmaTable table = LemmaTable::load(path);
    if (!loaded(table.file(), fileName, path, exitCode)) return exitCode;
    const auto found = q.letter ? table.findLetter(*q.letter) : table.findLemma(text);
    for (std::size_t i : found) writeRow(out, table.row(i));
    hits = found.size();
  } else {
    const FormTable table = FormTable::load(path);
    if (!loaded(table.file(), fileName, path, exitCode)) return exitCode;
    if (q.letter) {
      const auto found = table.findLetter(*q.letter);
      for (std::size_t i : found) writeRow(out, table.row(i));
      hits = found.size();
    } else {
      // The analyser beside the form dictionary adds what its records do not give;
      // without one, the records alone answer.
      const auto found = table.findForm(text);
      const auto added = table.addedRows(text, found);
      for (std::size_t i : found) writeRow(out, table.row(i));
      for (const AddedRow& row : added) writeRow(out, row);
      hits = found.size() + added.size();
    }
  }
  if (hits == 0) {
    const std::string_view none = q.letter ? kNoLetterResult : lemmas ? kNoLemmaResult : kNoFormResult;
    const std::string line = cp1252::toUtf8(none) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
  }
  return finishStdout(out);
}

}  // namespace varnelio::cli
