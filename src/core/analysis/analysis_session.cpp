// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/analysis_session.h"

#include <algorithm>

#include "core/analysis/candidate_scan.h"

namespace varnelio {

AnalysisSession::AnalysisSession(KindId kind, Family family) : kind_(analysisKind(kind)), family_(family) {}

void AnalysisSession::addListener(SessionListener* listener) { listeners_.push_back(listener); }

void AnalysisSession::removeListener(SessionListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void AnalysisSession::replaceContents(const std::function<void()>& fill) {
  notify([](SessionListener& l) { l.gridAboutToChange(); });
  fill();
  notify([](SessionListener& l) { l.gridChanged(); });
}

const SourceIdentity& AnalysisSession::source() const {
  if (!fingerprinted_) {
    source_.fingerprint = textFingerprint(sentences_.text());
    fingerprinted_ = true;
  }
  return source_;
}

void AnalysisSession::openScan(std::string text, std::string sourcePath) {
  source_ = {std::move(sourcePath), 0};
  analysisPath_.clear();
  // A book gives millions of candidates: the grid shares the text the session keeps
  // and finds each row in it, so the text is never copied.
  replaceContents([&] {
    sentences_ = cutAndScan(std::move(text), kind_, grid_);
    fingerprinted_ = false;
  });
  history_ = EditHistory();
  notify([](SessionListener& l) { l.stateChanged(); });
}

bool AnalysisSession::openScan(std::string text, std::string sourcePath, CandidateGrid::Edits work,
                               std::string analysisPath) {
  CandidateGrid grid;
  SentenceTable sentences = cutAndScan(std::move(text), kind_, grid);
  if (!grid.applyEdits(std::move(work))) return false;
  source_ = {std::move(sourcePath), 0};
  analysisPath_ = std::move(analysisPath);
  replaceContents([&] {
    grid_ = std::move(grid);
    sentences_ = std::move(sentences);
    fingerprinted_ = false;
  });
  history_ = EditHistory();
  notify([](SessionListener& l) { l.stateChanged(); });
  return true;
}

void AnalysisSession::openRecords(CandidateGrid rows, std::string text, std::string sourcePath,
                                  std::string analysisPath) {
  source_ = {std::move(sourcePath), 0};
  analysisPath_ = std::move(analysisPath);
  replaceContents([&] {
    grid_ = std::move(rows);
    sentences_ = SentenceTable(std::move(text));
    fingerprinted_ = false;
  });
  history_ = EditHistory();
  notify([](SessionListener& l) { l.stateChanged(); });
}

AnalysisSession::Recovered AnalysisSession::openRecovered(const RecoveryCopy& copy,
                                                          std::optional<std::string> currentText,
                                                          const std::function<std::optional<std::string>()>& readKept) {
  const RecoveryHeader& header = copy.header;
  Recovered outcome = Recovered::AsItWas;
  std::string text;
  if (currentText && textFingerprint(*currentText) == header.sourceFingerprint) {
    text = std::move(*currentText);
  } else {
    std::optional<std::string> kept = readKept ? readKept() : std::nullopt;
    if (!kept || textFingerprint(*kept) != header.sourceFingerprint) return Recovered::SourceLost;
    text = std::move(*kept);
    outcome = Recovered::OnKeptText;
  }
  // Built apart first: a copy that does not fit its text leaves the session as it was.
  CandidateGrid grid;
  SentenceTable sentences;
  if (copy.edits.scanned)
    sentences = cutAndScan(std::move(text), kind_, grid);
  else
    sentences = SentenceTable(std::move(text));
  if (!grid.applyEdits(copy.edits)) return Recovered::DoesNotFit;
  source_ = {header.sourcePath, header.sourceFingerprint};
  analysisPath_ = header.analysisPath;
  replaceContents([&] {
    grid_ = std::move(grid);
    sentences_ = std::move(sentences);
    fingerprinted_ = true;  // the copy's text has the fingerprint it was made on
  });
  history_ = EditHistory();
  // Nothing of it is saved: the copy stays until the user saves or gives it up.
  history_.markUnsaved();
  notify([](SessionListener& l) { l.stateChanged(); });
  return outcome;
}

void AnalysisSession::validate(std::size_t r, std::string_view analysis) {
  if (r < 1 || r > grid_.candidateCount()) return;
  EditStep step(EditKind::Validation, r);
  step.writeAnalyses(grid_, {{r, std::string(analysis)}});
  notify([r](SessionListener& l) { l.analysisChanged(r); });
  step.setSelectedAfter(r);
  commit(std::move(step));
}

std::size_t AnalysisSession::deleteRow(std::size_t r) {
  if (r < 1 || r > grid_.candidateCount()) return 0;
  EditStep step(EditKind::Deletion, r);
  notify([r](SessionListener& l) { l.rowAboutToBeRemoved(r); });
  step.deleteRows(grid_, {r});
  notify([r](SessionListener& l) { l.rowRemoved(r); });
  // The same row shows the candidate that followed; after the last row, the new last.
  const std::size_t after = std::min(r, grid_.candidateCount());
  step.setSelectedAfter(after);
  commit(std::move(step));
  return after;
}

void AnalysisSession::change(EditStep& step, const std::function<void(EditStep&, CandidateGrid&)>& operation) {
  replaceContents([&] { operation(step, grid_); });
}

void AnalysisSession::commit(EditStep step) {
  history_.push(std::move(step));
  afterStep();
}

const EditStep* AnalysisSession::undo() {
  if (!history_.canUndo()) return nullptr;
  const EditStep* step = nullptr;
  replaceContents([&] { step = history_.undo(grid_); });
  afterStep();
  return step;
}

const EditStep* AnalysisSession::redo() {
  if (!history_.canRedo()) return nullptr;
  const EditStep* step = nullptr;
  replaceContents([&] { step = history_.redo(grid_); });
  afterStep();
  return step;
}

void AnalysisSession::afterStep() {
  if (recovery_) {
    if (history_.modified())
      recovery_->changed();
    else
      recovery_->discard();  // back as saved: nothing to recover
  }
  notify([](SessionListener& l) { l.stateChanged(); });
}

void AnalysisSession::saved(std::string path) {
  analysisPath_ = std::move(path);
  history_.markSaved();
  afterStep();
}

void AnalysisSession::discardChanges() {
  if (recovery_) recovery_->discard();
}

std::string AnalysisSession::encodeRecoveryCopy(std::int64_t copiedAt) const {
  RecoveryHeader header;
  header.kind = kind_.id;
  header.family = family_;
  header.sourcePath = source_.path;
  header.sourceFingerprint = source().fingerprint;
  header.sourceSize = sentences_.text().size();
  header.analysisPath = analysisPath_;
  header.copiedAt = copiedAt;
  return varnelio::encodeRecoveryCopy(header, grid_.edits());
}

}  // namespace varnelio
