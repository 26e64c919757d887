// varnelio-mkdict: builds lexique.dat and donnees.dat from the Latin-French lexicon
// of Collatinus (its data files lemmes.la, lemmes.fr, modeles.la and morphos.fr).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/dictionaries/dictionaries.h"
#include "core/files/atomic_file.h"
#include "mkdict/dictionary_builder.h"

int main(int argc, char** argv) {
  using namespace varnelio;
  std::string dataFolder, outputFolder;
  mkdict::BuildOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--max-forms" && i + 1 < argc) {
      options.maxFormRecords = std::strtoul(argv[++i], nullptr, 10);
    } else if (dataFolder.empty()) {
      dataFolder = arg;
    } else if (outputFolder.empty()) {
      outputFolder = arg;
    } else {
      dataFolder.clear();
      break;
    }
  }
  if (dataFolder.empty() || outputFolder.empty()) {
    std::fprintf(stderr,
                 "usage: varnelio-mkdict [--max-forms N] <dossier des données Collatinus> <dossier de sortie>\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  mkdict::CollatinusLexicon lexicon;
  if (auto error = mkdict::loadCollatinusLexicon(dataFolder, lexicon)) {
    std::fprintf(stderr, "varnelio-mkdict: %s\n", error->c_str());
    return 1;
  }
  const mkdict::BuiltDictionaries built = mkdict::buildDictionaries(lexicon, options);
  for (const auto& [name, bytes] : {std::pair{std::string(LemmaTable::kFileName), &built.lemmaFile},
                                    std::pair{std::string(FormTable::kFileName), &built.formFile}}) {
    const std::string path = outputFolder + "/" + name;
    if (auto error = writeFileAtomically(path, *bytes)) {
      std::fprintf(stderr, "varnelio-mkdict: impossible d'écrire %s : %s\n", path.c_str(), error->reason.c_str());
      return 1;
    }
  }
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  std::printf("varnelio-mkdict: %zu lemmes dans lexique.dat, %zu formes dans donnees.dat "
              "(%zu lemmes fléchis, dont %zu en entier), %lld ms\n",
              built.lemmaCount, built.formCount, built.lemmasWithForms, built.lemmasWithAllForms,
              static_cast<long long>(ms));
  return 0;
}
