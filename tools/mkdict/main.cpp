// SPDX-License-Identifier: GPL-3.0-or-later
// varnelio-mkdict: builds lexique.dat, donnees.dat and the analyser's analyseur.dat
// from the Latin-French lexicon of Collatinus (its data files lemmes.la, lem_ext.la,
// their French translations, modeles.la, morphos.fr, irregs.la, tags.la, contractions.la,
// assimilations.la, CatLASLA.txt), with our corrections applied; the tagger's
// etiqueteur.dat from tags.la; and, given annotated Latin (--train-judge
// FILE.conllu...), the pre-analysis's judge juge.dat, bound to that analyseur.dat.
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <variant>

#include "core/dictionaries/dictionaries.h"
#include "core/files/atomic_file.h"
#include "core/morphology/contextual_tagger.h"
#include "core/morphology/latin_analyser.h"
#include "core/files/source_file.h"
#include "core/text/cp1252.h"
#include "mkdict/analyser_builder.h"
#include "mkdict/dictionary_builder.h"
#include "mkdict/judge_trainer.h"
#include "core/morphology/noun_judge.h"
#include "mkdict/tagger_builder.h"

using namespace varnelio;

namespace {

struct Arguments {
  std::string dataFolder, outputFolder, corrections;
  std::vector<std::string> treebanks;  // the annotated Latin the judge learns from
  std::size_t errors = 0;              // held-out mistakes of the judge to print, per kind and sort
  mkdict::BuildOptions options;
};

// The options and the two folders; nothing when a folder is missing or a third
// is given.
std::optional<Arguments> parseArguments(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--max-forms" && i + 1 < argc) {
      args.options.maxFormRecords = std::strtoul(argv[++i], nullptr, 10);
    } else if (arg == "--errors" && i + 1 < argc) {
      args.errors = std::strtoul(argv[++i], nullptr, 10);
    } else if (arg == "--corrections" && i + 1 < argc) {
      args.corrections = argv[++i];
    } else if (arg == "--train-judge") {
      while (i + 1 < argc && std::string_view(argv[i + 1]).ends_with(".conllu")) args.treebanks.push_back(argv[++i]);
      if (args.treebanks.empty()) return std::nullopt;
    } else if (args.dataFolder.empty()) {
      args.dataFolder = arg;
    } else if (args.outputFolder.empty()) {
      args.outputFolder = arg;
    } else {
      return std::nullopt;
    }
  }
  if (args.dataFolder.empty() || args.outputFolder.empty()) return std::nullopt;
  return args;
}

void report(const std::string& message) { std::fprintf(stderr, "varnelio-mkdict: %s\n", message.c_str()); }

// The tagger's counts come from tags.la, which the lexicon does not need: without
// it the dictionaries are built all the same, and the pre-analysis is not (the
// file stays empty). False when tags.la is there but wrong.
bool buildTaggerFile(const std::string& dataFolder, const mkdict::AnalyserBuild& analyser, const std::string& analyserFile,
                     std::string& taggerFile) {
  auto tagText = readWholeFile(dataFolder + "/tags.la");
  auto* text = std::get_if<std::string>(&tagText);
  if (!text) {
    report("pas de tags.la : " + std::string(ContextualTagger::kFileName) + " n'est pas \xC3\xA9" "crit");
    return true;
  }
  TaggerData tagger;
  if (auto error = mkdict::readTagCounts(*text, tagger)) {
    report(*error);
    return false;
  }
  mkdict::addLemmaFacts(analyser, tagger);
  tagger.analyserFingerprint = fingerprintOf(analyserFile);
  taggerFile = encodeTaggerData(tagger);
  return true;
}

// The judge of the pre-analysis, from the treebanks, bound to this analyser
// file; nothing without treebanks or a tagger. False when a treebank is unreadable.
// The first `most` held-out mistakes of each kind and sort, each in its sentence.
void printErrors(const std::vector<mkdict::JudgeSentence>& sentences, const mkdict::JudgeTrainingReport& trained,
                 std::size_t most) {
  using Sort = mkdict::HeldOutError::Sort;
  for (const AnalysisKind& kind : analysisKinds())
    for (const auto& [sort, name] : {std::pair{Sort::Missed, "sans \u00e9tiquette"}, std::pair{Sort::Lost, "supprim\u00e9"},
                                     std::pair{Sort::Labelled, "\u00e9tiquet\u00e9 \u00e0 tort"}}) {
      std::size_t shown = 0;
      for (const mkdict::HeldOutError& e : trained.errors) {
        if (e.kind != kind.id || e.sort != sort || shown == most) continue;
        ++shown;
        const mkdict::JudgeSentence& s = sentences[e.sentence];
        std::string context;
        for (std::size_t w = e.word >= 4 ? e.word - 4 : 0; w < s.forms.size() && w <= e.word + 4; ++w) {
          if (!context.empty()) context += ' ';
          context += w == e.word ? "[" + s.forms[w] + "]" : s.forms[w];
        }
        std::printf("  %s %s %.2f : %s\n", std::string(kind.cliName).c_str(), name, e.p,
                    cp1252::toUtf8(context).c_str());
      }
    }
}

bool buildJudgeFile(const std::vector<std::string>& treebanks, const std::string& analyserFile,
                    const std::string& taggerFile, std::size_t errors, std::string& judgeFile) {
  if (treebanks.empty() || taggerFile.empty()) return true;
  std::vector<mkdict::JudgeSentence> sentences;
  for (const std::string& path : treebanks) {
    auto read = readWholeFile(path);
    if (auto* err = std::get_if<FileError>(&read)) {
      report("impossible de lire " + path + " : " + err->reason);
      return false;
    }
    mkdict::readJudgeSentences(std::get<std::string>(read), sentences);
  }
  const LatinAnalyser analyser = LatinAnalyser::fromBytes(analyserFile);
  ContextualTagger tagger = ContextualTagger::fromBytes(taggerFile);
  tagger.bind(analyser);
  mkdict::JudgeTrainingReport trained;
  const JudgeModel model = mkdict::trainJudge(analyser, tagger, sentences, {}, &trained);
  judgeFile = encodeJudgeModel(model);
  std::printf("varnelio-mkdict: juge appris sur %zu phrases (%zu mots, %zu noms)\n", sentences.size(), trained.words,
              trained.nouns);
  double macro = 0;
  for (const double f : trained.labelF1) macro += f / kKindCount;
  std::printf("  validation crois\u00e9e : F1 macro des \u00e9tiquettes %.3f ; toutes sortes ensemble, %.2f %% des noms perdus, %.1f %% des faux retir\u00e9s\n",
              macro, 100 * trained.allLostNouns, 100 * trained.allRemovedFalse);
  for (const AnalysisKind& kind : analysisKinds()) {
    const auto k = static_cast<std::size_t>(judgeClassOf(kind.id));
    const KindThresholds& t = model.thresholds[k];
    std::printf("  %s : seuils %.3f %.3f %.3f, validation crois\u00e9e : F1 %.3f, %.1f %% des noms perdus, %.1f %% des faux retir\u00e9s\n",
                std::string(kind.cliName).c_str(), t.drop, t.label, t.sure, trained.labelF1[k],
                100 * trained.lostNouns[k], 100 * trained.removedFalse[k]);
  }
  if (errors > 0) printErrors(sentences, trained, errors);
  return true;
}

// Writes each file into the output folder, the tagger's only if it was built.
bool writeFiles(const std::string& outputFolder, const mkdict::BuiltDictionaries& built,
                const std::string& analyserFile, const std::string& taggerFile, const std::string& judgeFile) {
  for (const auto& [name, bytes] : {std::pair{std::string(LemmaTable::kFileName), &built.lemmaFile},
                                    std::pair{std::string(FormTable::kFileName), &built.formFile},
                                    std::pair{std::string(LatinAnalyser::kFileName), &analyserFile},
                                    std::pair{std::string(ContextualTagger::kFileName), &taggerFile},
                                    std::pair{std::string(NounJudge::kFileName), &judgeFile}}) {
    if ((name == ContextualTagger::kFileName || name == NounJudge::kFileName) && bytes->empty()) continue;
    const std::string path = outputFolder + "/" + name;
    if (auto error = writeFileAtomically(path, *bytes)) {
      report("impossible d'écrire " + path + " : " + error->reason);
      return false;
    }
  }
  return true;
}

void printSummary(const mkdict::BuiltDictionaries& built, const mkdict::AnalyserBuild& analyser,
                  std::size_t analyserBytes, long long ms) {
  std::printf("varnelio-mkdict: %zu lemmes dans lexique.dat, %zu formes dans donnees.dat "
              "(%zu lemmes fléchis, dont %zu en entier ; %zu formes des lemmes eux-mêmes), "
              "analyseur de %zu lemmes (%zu Ko), %lld ms\n",
              built.lemmaCount, built.formCount, built.lemmasWithForms, built.lemmasWithAllForms, built.headwordRecords,
              analyser.data.lemmas.size(), analyserBytes / 1024, ms);
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Arguments> args = parseArguments(argc, argv);
  if (!args) {
    std::fprintf(stderr,
                 "usage: varnelio-mkdict [--max-forms N] [--corrections FICHIER] [--train-judge FICHIER.conllu... [--errors N]] <dossier des données Collatinus> <dossier de sortie>\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  mkdict::CollatinusLexicon lexicon;
  if (auto error = mkdict::loadCollatinusLexicon(args->dataFolder, lexicon, args->corrections)) {
    report(*error);
    return 1;
  }
  const mkdict::AnalyserBuild analyser = mkdict::buildAnalyserData(lexicon);
  for (const std::string& warning : analyser.warnings) report(warning);
  for (const std::string& problem : analyser.problems) report(problem);
  if (!analyser.problems.empty()) return 1;
  const mkdict::BuiltDictionaries built = mkdict::buildDictionaries(lexicon, analyser, args->options);
  const std::string analyserFile = encodeAnalyserData(analyser.data);
  std::string taggerFile;
  if (!buildTaggerFile(args->dataFolder, analyser, analyserFile, taggerFile)) return 1;
  std::string judgeFile;
  if (!buildJudgeFile(args->treebanks, analyserFile, taggerFile, args->errors, judgeFile)) return 1;
  if (!writeFiles(args->outputFolder, built, analyserFile, taggerFile, judgeFile)) return 1;
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  printSummary(built, analyser, analyserFile.size(), static_cast<long long>(ms));
  return 0;
}
