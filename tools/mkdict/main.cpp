// varnelio-mkdict: builds lexique.dat, donnees.dat and the analyser's analyseur.dat
// from the Latin-French lexicon of Collatinus (its data files lemmes.la, lem_ext.la,
// their French translations, modeles.la, morphos.fr, irregs.la, tags.la, contractions.la,
// assimilations.la, CatLASLA.txt), with our corrections applied.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <variant>

#include "core/dictionaries/dictionaries.h"
#include "core/files/atomic_file.h"
#include "core/morphology/contextual_tagger.h"
#include "core/morphology/latin_analyser.h"
#include "core/files/source_file.h"
#include "mkdict/analyser_builder.h"
#include "mkdict/dictionary_builder.h"
#include "mkdict/tagger_builder.h"

int main(int argc, char** argv) {
  using namespace varnelio;
  std::string dataFolder, outputFolder, corrections;
  mkdict::BuildOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--max-forms" && i + 1 < argc) {
      options.maxFormRecords = std::strtoul(argv[++i], nullptr, 10);
    } else if (arg == "--corrections" && i + 1 < argc) {
      corrections = argv[++i];
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
                 "usage: varnelio-mkdict [--max-forms N] [--corrections FICHIER] <dossier des données Collatinus> <dossier de sortie>\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  mkdict::CollatinusLexicon lexicon;
  if (auto error = mkdict::loadCollatinusLexicon(dataFolder, lexicon, corrections)) {
    std::fprintf(stderr, "varnelio-mkdict: %s\n", error->c_str());
    return 1;
  }
  const mkdict::AnalyserBuild analyser = mkdict::buildAnalyserData(lexicon);
  const mkdict::BuiltDictionaries built = mkdict::buildDictionaries(lexicon, analyser, options);
  for (const std::string& warning : analyser.warnings) std::fprintf(stderr, "varnelio-mkdict: %s\n", warning.c_str());
  for (const std::string& problem : analyser.problems) std::fprintf(stderr, "varnelio-mkdict: %s\n", problem.c_str());
  if (!analyser.problems.empty()) return 1;
  const std::string analyserFile = encodeAnalyserData(analyser.data);
  // The tagger's counts come from tags.la, which the lexicon does not need: without
  // it the dictionaries are built all the same, and the pre-analysis is not.
  std::string taggerFile;
  auto tagText = readWholeFile(dataFolder + "/tags.la");
  if (auto* text = std::get_if<std::string>(&tagText)) {
    TaggerData tagger;
    if (auto error = mkdict::readTagCounts(*text, tagger)) {
      std::fprintf(stderr, "varnelio-mkdict: %s\n", error->c_str());
      return 1;
    }
    mkdict::addLemmaFacts(analyser, tagger);
    taggerFile = encodeTaggerData(tagger);
  } else {
    std::fprintf(stderr, "varnelio-mkdict: pas de tags.la : %s n'est pas \xC3\xA9" "crit\n",
                 std::string(ContextualTagger::kFileName).c_str());
  }
  for (const auto& [name, bytes] : {std::pair{std::string(LemmaTable::kFileName), &built.lemmaFile},
                                    std::pair{std::string(FormTable::kFileName), &built.formFile},
                                    std::pair{std::string(LatinAnalyser::kFileName), &analyserFile},
                                    std::pair{std::string(ContextualTagger::kFileName), static_cast<const std::string*>(&taggerFile)}}) {
    if (name == ContextualTagger::kFileName && bytes->empty()) continue;
    const std::string path = outputFolder + "/" + name;
    if (auto error = writeFileAtomically(path, *bytes)) {
      std::fprintf(stderr, "varnelio-mkdict: impossible d'écrire %s : %s\n", path.c_str(), error->reason.c_str());
      return 1;
    }
  }
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  std::printf("varnelio-mkdict: %zu lemmes dans lexique.dat, %zu formes dans donnees.dat "
              "(%zu lemmes fléchis, dont %zu en entier ; %zu formes des lemmes eux-mêmes), "
              "analyseur de %zu lemmes (%zu Ko), %lld ms\n",
              built.lemmaCount, built.formCount, built.lemmasWithForms, built.lemmasWithAllForms, built.headwordRecords,
              analyser.data.lemmas.size(), analyserFile.size() / 1024,
              static_cast<long long>(ms));
  return 0;
}
