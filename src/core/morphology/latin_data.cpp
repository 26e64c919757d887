// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/morphology/latin_data.h"

namespace varnelio {
namespace {

LatinDataProblem problemOf(DataFileStatus status, std::string_view fileName, const std::string& path,
                           const FileError& error) {
  LatinDataProblem problem;
  problem.fileName = std::string(fileName);
  problem.error = error;
  if (problem.error.path.empty()) problem.error.path = path;
  problem.kind = status == DataFileStatus::Missing ? LatinDataProblem::Kind::Missing : LatinDataProblem::Kind::Unreadable;
  return problem;
}

}  // namespace

std::string LatinDataProblem::message() const {
  switch (kind) {
    case Kind::Missing: return "Le fichier " + fileName + " est manquant!";
    case Kind::Mismatched:
      if (!mismatch.empty()) return mismatch;
      return "Le fichier " + fileName + " ne correspond pas \xC3\xA0 " + std::string(LatinAnalyser::kFileName) + ".";
    case Kind::Unreadable: break;
  }
  std::string text = "Le fichier " + fileName + " ne peut pas \xC3\xAA" "tre lu";
  if (!error.reason.empty()) text += " : " + error.reason;
  return text + ".";
}

LatinDataLoad<const LatinAnalyser> loadAnalyser(const std::string& path) {
  auto analyser = std::make_shared<LatinAnalyser>(LatinAnalyser::load(path));
  if (analyser->status() != LatinAnalyser::Status::Loaded)
    return problemOf(analyser->status(), LatinAnalyser::kFileName, path, analyser->error());
  return std::shared_ptr<const LatinAnalyser>(std::move(analyser));
}

namespace {

LatinDataProblem mismatched(std::string_view fileName, const std::string& path, std::string message) {
  LatinDataProblem problem;
  problem.kind = LatinDataProblem::Kind::Mismatched;
  problem.fileName = std::string(fileName);
  problem.mismatch = std::move(message);
  problem.error = {path, "Ce fichier ne correspond pas \xC3\xA0 " + std::string(LatinAnalyser::kFileName)};
  return problem;
}

}  // namespace

LatinDataLoad<const ContextualTagger> loadTagger(const std::string& path, const LatinAnalyser& analyser) {
  auto tagger = std::make_shared<ContextualTagger>(ContextualTagger::load(path));
  if (tagger->status() != DataFileStatus::Loaded)
    return problemOf(tagger->status(), ContextualTagger::kFileName, path, tagger->error());
  // Bound here, once for every user of the tagger.
  if (!tagger->bind(analyser)) return mismatched(ContextualTagger::kFileName, path, {});
  return std::shared_ptr<const ContextualTagger>(std::move(tagger));
}

LatinDataLoad<const NounJudge> loadJudge(const std::string& path, const LatinAnalyser& analyser,
                                         const ContextualTagger& tagger) {
  auto judge = std::make_shared<const NounJudge>(NounJudge::load(path));
  if (judge->status() != DataFileStatus::Loaded) return problemOf(judge->status(), NounJudge::kFileName, path, judge->error());
  const JudgeFit fit = judge->fitWith(analyser, tagger);
  if (fit != JudgeFit::Fits) {
    LatinDataProblem problem = mismatched(NounJudge::kFileName, path, NounJudge::mismatchMessage(fit));
    if (fit == JudgeFit::OtherTagger)
      problem.error.reason = "Ce fichier ne correspond pas \xC3\xA0 " + std::string(ContextualTagger::kFileName);
    if (fit == JudgeFit::OtherFeatures) problem.error.reason = "Ce fichier a \xC3\xA9t\xC3\xA9 fait pour une autre version du programme";
    return problem;
  }
  return judge;
}

const LatinDataLoad<const LatinAnalyser>& LatinData::analyser() {
  if (std::holds_alternative<LatinDataProblem>(analyser_)) analyser_ = loadAnalyser(pathOf(LatinAnalyser::kFileName));
  return analyser_;
}

namespace {

// A file loaded once the one it is built beside is (the tagger beside the
// analyser, the judge beside the tagger), or that one's problem.
template <typename T, typename Before, typename Load>
const LatinDataLoad<T>& loadBeside(LatinDataLoad<T>& slot, const LatinDataLoad<Before>& before, Load&& load) {
  if (!std::holds_alternative<LatinDataProblem>(slot)) return slot;
  if (const auto* problem = std::get_if<LatinDataProblem>(&before))
    slot = *problem;
  else
    slot = load(*std::get<std::shared_ptr<Before>>(before));
  return slot;
}

}  // namespace

const LatinDataLoad<const ContextualTagger>& LatinData::tagger() {
  return loadBeside(tagger_, analyser(), [&](const LatinAnalyser& analyser) {
    return loadTagger(pathOf(ContextualTagger::kFileName), analyser);
  });
}

const LatinDataLoad<const NounJudge>& LatinData::judge() {
  return loadBeside(judge_, tagger(), [&](const ContextualTagger& tagger) {
    return loadJudge(pathOf(NounJudge::kFileName), *std::get<std::shared_ptr<const LatinAnalyser>>(analyser_), tagger);
  });
}

}  // namespace varnelio
