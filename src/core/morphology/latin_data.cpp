// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/morphology/latin_data.h"

namespace varnelio {
namespace {

template <typename Status>
LatinDataProblem problemOf(Status status, std::string_view fileName, const std::string& path, const FileError& error) {
  LatinDataProblem problem;
  problem.fileName = std::string(fileName);
  problem.error = error;
  if (problem.error.path.empty()) problem.error.path = path;
  problem.kind = status == Status::Missing ? LatinDataProblem::Kind::Missing : LatinDataProblem::Kind::Unreadable;
  return problem;
}

}  // namespace

std::string LatinDataProblem::message() const {
  switch (kind) {
    case Kind::Missing: return "Le fichier " + fileName + " est manquant!";
    case Kind::Mismatched:
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

LatinDataLoad<ContextualTagger> loadTagger(const std::string& path, const LatinAnalyser& analyser) {
  auto tagger = std::make_shared<ContextualTagger>(ContextualTagger::load(path));
  if (tagger->status() != ContextualTagger::Status::Loaded)
    return problemOf(tagger->status(), ContextualTagger::kFileName, path, tagger->error());
  if (!tagger->fits(analyser)) {
    LatinDataProblem problem;
    problem.kind = LatinDataProblem::Kind::Mismatched;
    problem.fileName = std::string(ContextualTagger::kFileName);
    problem.error = {path, "Ce fichier ne correspond pas \xC3\xA0 " + std::string(LatinAnalyser::kFileName)};
    return problem;
  }
  return tagger;
}

LatinDataLoad<const NounJudge> loadJudge(const std::string& path, const LatinAnalyser& analyser) {
  auto judge = std::make_shared<NounJudge>(NounJudge::load(path));
  if (judge->status() != NounJudge::Status::Loaded)
    return problemOf(judge->status(), NounJudge::kFileName, path, judge->error());
  if (!judge->fits(analyser)) {
    LatinDataProblem problem;
    problem.kind = LatinDataProblem::Kind::Mismatched;
    problem.fileName = std::string(NounJudge::kFileName);
    problem.error = {path, "Ce fichier ne correspond pas \xC3\xA0 " + std::string(LatinAnalyser::kFileName)};
    return problem;
  }
  return std::shared_ptr<const NounJudge>(std::move(judge));
}

const LatinDataLoad<const LatinAnalyser>& LatinData::analyser() {
  if (std::holds_alternative<LatinDataProblem>(analyser_))
    analyser_ = loadAnalyser(dataDir_ + "/" + std::string(LatinAnalyser::kFileName));
  return analyser_;
}

const LatinDataLoad<ContextualTagger>& LatinData::tagger() {
  if (!std::holds_alternative<LatinDataProblem>(tagger_)) return tagger_;
  const auto& analyser = this->analyser();
  if (const auto* problem = std::get_if<LatinDataProblem>(&analyser)) {
    tagger_ = *problem;
    return tagger_;
  }
  tagger_ = loadTagger(dataDir_ + "/" + std::string(ContextualTagger::kFileName),
                       *std::get<std::shared_ptr<const LatinAnalyser>>(analyser));
  return tagger_;
}

}  // namespace varnelio

namespace varnelio {

const LatinDataLoad<const NounJudge>& LatinData::judge() {
  if (!std::holds_alternative<LatinDataProblem>(judge_)) return judge_;
  const auto& analyser = this->analyser();
  if (const auto* problem = std::get_if<LatinDataProblem>(&analyser)) {
    judge_ = *problem;
    return judge_;
  }
  judge_ = loadJudge(dataDir_ + "/" + std::string(NounJudge::kFileName),
                     *std::get<std::shared_ptr<const LatinAnalyser>>(analyser));
  return judge_;
}

}  // namespace varnelio
