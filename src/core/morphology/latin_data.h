// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Latin analyser, the contextual tagger and the pre-analysis judge, read from
// the data folder once per program and shared by everything that needs them (the
// analysis windows, the form dictionary, the command line), with one wording of
// what stops them from loading.
#include <memory>
#include <string>
#include <variant>

#include "core/files/file_error.h"
#include "core/morphology/contextual_tagger.h"
#include "core/morphology/latin_analyser.h"
#include "core/morphology/noun_judge.h"

namespace varnelio {

// Why a data file cannot serve: missing, unreadable (or not a file of this
// program), or made for another analyser than the one beside it.
struct LatinDataProblem {
  enum class Kind { Missing, Unreadable, Mismatched };
  Kind kind = Kind::Missing;
  std::string fileName;  // "analyseur.dat"
  FileError error;       // its path, and the system's reason when there is one
  std::string mismatch;  // Mismatched: what it does not match, when not the analyser (UTF-8 sentence)
  // One French sentence (UTF-8): "Le fichier analyseur.dat est manquant!", "Le
  // fichier analyseur.dat ne peut pas être lu : <reason>.", "Le fichier
  // etiqueteur.dat ne correspond pas à analyseur.dat."
  std::string message() const;
};

template <typename Data>
using LatinDataLoad = std::variant<std::shared_ptr<Data>, LatinDataProblem>;

LatinDataLoad<const LatinAnalyser> loadAnalyser(const std::string& path);
// The tagger at path, checked against the analyser it must have been built with,
// and bound to it.
LatinDataLoad<const ContextualTagger> loadTagger(const std::string& path, const LatinAnalyser& analyser);
// The judge at path, checked against the analyser and the tagger it learnt
// with and against this program's features.
LatinDataLoad<const NounJudge> loadJudge(const std::string& path, const LatinAnalyser& analyser,
                                         const ContextualTagger& tagger);

// The analyser and the tagger of a data folder, loaded on first demand and kept.
// A file that cannot be read is tried again at the next demand (it may have been
// put back meanwhile).
class LatinData {
 public:
  explicit LatinData(std::string dataDir) : dataDir_(std::move(dataDir)) {}
  const LatinDataLoad<const LatinAnalyser>& analyser();
  // The tagger and the judge need the analyser: a problem with either is told.
  const LatinDataLoad<const ContextualTagger>& tagger();
  // The judge needs the tagger too.
  const LatinDataLoad<const NounJudge>& judge();

 private:
  std::string pathOf(std::string_view fileName) const { return dataDir_ + "/" + std::string(fileName); }

  std::string dataDir_;
  LatinDataLoad<const LatinAnalyser> analyser_ = LatinDataProblem{};
  LatinDataLoad<const ContextualTagger> tagger_ = LatinDataProblem{};
  LatinDataLoad<const NounJudge> judge_ = LatinDataProblem{};
};

}  // namespace varnelio
