// SPDX-License-Identifier: GPL-3.0-or-later
// An evaluation figure, not a test: of the distinct words of a Latin text (cut with
// the letter classes, compared lower-cased), the share that donnees.dat alone finds.
//   form_dictionary_coverage DONNEES.DAT TEXT
#include <cstdio>
#include <set>
#include <string>
#include <unordered_set>

#include "core/dictionaries/dictionaries.h"
#include "core/files/source_file.h"
#include "core/text/cp1252.h"

int main(int argc, char** argv) {
  using namespace varnelio;
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s DONNEES.DAT TEXT\n", argv[0]);
    return 2;
  }
  const FormTable table = FormTable::load(argv[1]);
  auto text = readSourceText(argv[2]);
  if (table.file().status() != DictionaryStatus::Loaded || !std::holds_alternative<std::string>(text)) {
    std::fprintf(stderr, "cannot read %s or %s\n", argv[1], argv[2]);
    return 1;
  }
  std::unordered_set<std::string> forms;
  for (std::size_t i = 0; i < table.count(); ++i)
    forms.insert(cp1252::toLower(table.file().field(i, form_field::kForm)));
  std::set<std::string> words;
  std::string word;
  for (char ch : std::get<std::string>(text) + " ") {
    if (cp1252::isLetter(static_cast<unsigned char>(ch))) {
      word += ch;
    } else if (!word.empty()) {
      words.insert(cp1252::toLower(word));
      word.clear();
    }
  }
  std::size_t found = 0;
  for (const std::string& w : words) found += forms.contains(w);
  std::printf("%zu of %zu distinct words found (%.2f %%)\n", found, words.size(),
              100.0 * static_cast<double>(found) / static_cast<double>(words.size()));
  return 0;
}
