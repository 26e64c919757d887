// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/morphology/latin_data.h"

#include <type_traits>

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

// A file built with one analyser file (the tagger, the judge): loaded, then
// checked against the analyser it is to serve.
template <typename T>
LatinDataLoad<T> loadBoundToAnalyser(const std::string& path, const LatinAnalyser& analyser) {
  using File = std::remove_const_t<T>;
  auto data = std::make_shared<File>(File::load(path));
  if (data->status() != DataFileStatus::Loaded) return problemOf(data->status(), File::kFileName, path, data->error());
  if (!data->fits(analyser)) {
    LatinDataProblem problem;
    problem.kind = LatinDataProblem::Kind::Mismatched;
    problem.fileName = std::string(File::kFileName);
    problem.error = {path, "Ce fichier ne correspond pas \xC3\xA0 " + std::string(LatinAnalyser::kFileName)};
    return problem;
  }
  return std::shared_ptr<T>(std::move(data));
}

LatinDataLoad<ContextualTagger> loadTagger(const std::string& path, const LatinAnalyser& analyser) {
  return loadBoundToAnalyser<ContextualTagger>(path, analyser);
}

LatinDataLoad<const NounJudge> loadJudge(const std::string& path, const LatinAnalyser& analyser) {
  return loadBoundToAnalyser<const NounJudge>(path, analyser);
}

const LatinDataLoad<const LatinAnalyser>& LatinData::analyser() {
  if (std::holds_alternative<LatinDataProblem>(analyser_))
    analyser_ = loadAnalyser(dataDir_ + "/" + std::string(LatinAnalyser::kFileName));
  return analyser_;
}

template <typename T>
const LatinDataLoad<T>& LatinData::loadedBesideAnalyser(LatinDataLoad<T>& slot) {
  if (!std::holds_alternative<LatinDataProblem>(slot)) return slot;
  const auto& analyser = this->analyser();
  if (const auto* problem = std::get_if<LatinDataProblem>(&analyser))
    slot = *problem;
  else
    slot = loadBoundToAnalyser<T>(dataDir_ + "/" + std::string(std::remove_const_t<T>::kFileName),
                                  *std::get<std::shared_ptr<const LatinAnalyser>>(analyser));
  return slot;
}

const LatinDataLoad<ContextualTagger>& LatinData::tagger() { return loadedBesideAnalyser(tagger_); }

const LatinDataLoad<const NounJudge>& LatinData::judge() { return loadedBesideAnalyser(judge_); }

}  // namespace varnelio
