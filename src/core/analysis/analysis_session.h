// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One open analysis, apart from any window: its grid and the sentences it is shown
// against, the edits that can be taken back, the analysis file it saves to, the
// source text it was made on, and whether it differs from what was last saved or
// opened. Every edit goes through it as a step that can be undone, and whoever
// shows the grid or keeps a recovery copy of it listens instead of being kept in
// step by hand. A window shows a session and forwards the user's commands to it;
// the command line and the tests use it with no window at all.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/analysis_kind.h"
#include "core/analysis/candidate_grid.h"
#include "core/analysis/edit_history.h"
#include "core/analysis/recovery_copy.h"
#include "core/text/sentence_table.h"

namespace varnelio {

// The source text an analysis is shown against, as the user named it.
struct SourceIdentity {
  std::string path;  // UTF-8
  std::uint64_t fingerprint = 0;
};

// Told of every change of a session's grid, in the order the changes happen.
class SessionListener {
 public:
  virtual ~SessionListener() = default;
  // Many rows may change at once (a fill, a whole pre-analysis, an undo).
  virtual void gridAboutToChange() {}
  virtual void gridChanged() {}
  // Row r (from 1) alone goes; the rows after it move up.
  virtual void rowAboutToBeRemoved(std::size_t /*r*/) {}
  virtual void rowRemoved(std::size_t /*r*/) {}
  // The analysis cell of row r (from 1) changed.
  virtual void analysisChanged(std::size_t /*r*/) {}
  // The history, the saved state or the analysis file changed.
  virtual void stateChanged() {}
};

// Where a session's recovery copy is kept: the copy is made from encodeRecoveryCopy
// whenever it is told of a change, and goes when the session no longer differs from
// its file.
class RecoveryKeeper {
 public:
  virtual ~RecoveryKeeper() = default;
  virtual void changed() = 0;
  virtual void discard() = 0;
};

class AnalysisSession {
 public:
  AnalysisSession(KindId kind, Family family);
  AnalysisSession(const AnalysisSession&) = delete;
  AnalysisSession& operator=(const AnalysisSession&) = delete;

  const AnalysisKind& kind() const { return kind_; }
  Family family() const { return family_; }
  const CandidateGrid& grid() const { return grid_; }
  const SentenceTable& sentences() const { return sentences_; }
  const EditHistory& history() const { return history_; }
  // The fingerprint of a text of several hundred megabytes takes a noticeable part
  // of its opening, and only a recovery copy needs it: it is taken the first time it
  // is asked for, from the text the session keeps (which never changes).
  const SourceIdentity& source() const;
  // The analysis file the session saves to; empty when it has none yet.
  const std::string& analysisPath() const { return analysisPath_; }
  // The grid differs from what was last saved or opened.
  bool modified() const { return history_.modified(); }

  void addListener(SessionListener* listener);
  void removeListener(SessionListener* listener);
  // The keeper of the recovery copy; none keeps no copy.
  void setRecoveryKeeper(RecoveryKeeper* keeper) { recovery_ = keeper; }

  // ---- Opening ----
  // A new analysis: the text cut into sentences, every sentence scanned for the kind.
  void openScan(std::string text, std::string sourcePath);
  // A new analysis with work already done on it, saved in analysisPath: the scan of
  // the text with those edits. False, with the session as it was, when they do not
  // fit the scan.
  bool openScan(std::string text, std::string sourcePath, CandidateGrid::Edits work, std::string analysisPath);
  // An analysis read from a file, shown against the text: the grid as the file has it.
  void openRecords(CandidateGrid rows, std::string text, std::string sourcePath, std::string analysisPath);
  // A recovery copy shown again. The text is the source as it is now when it is the
  // one the copy was made on, else the copy of it kept beside the copy (read only
  // then). A copy that cannot be shown leaves the session as it was.
  enum class Recovered { AsItWas, OnKeptText, SourceLost, DoesNotFit };
  Recovered openRecovered(const RecoveryCopy& copy, std::optional<std::string> currentText,
                          const std::function<std::optional<std::string>()>& keptText);

  // ---- Edits, each a step that can be taken back ----
  // Writes the analysis into row r (from 1).
  void validate(std::size_t r, std::string_view analysis);
  // Deletes row r (from 1); returns the row to select after it (0: none left).
  std::size_t deleteRow(std::size_t r);
  // A step of several operations: each change runs on the grid and is shown as one
  // change of many rows; commit keeps the step. Between two changes the user may be
  // asked something with the grid showing the first.
  void change(EditStep& step, const std::function<void(EditStep&, CandidateGrid&)>& operation);
  void commit(EditStep step);
  // Takes back / does again the last step; returns it (nullptr when there is none).
  const EditStep* undo();
  const EditStep* redo();

  // ---- Files ----
  // The grid has just been written whole to path: it is the session's file now.
  void saved(std::string path);
  // The user gave up the changes: no recovery copy stays.
  void discardChanges();
  // The recovery copy of the session as it is now.
  std::string encodeRecoveryCopy(std::int64_t copiedAt) const;

 private:
  template <typename F>
  void notify(F f) {
    for (SessionListener* l : listeners_) f(*l);
  }
  void afterStep();
  void replaceContents(const std::function<void()>& fill);

  const AnalysisKind& kind_;
  const Family family_;
  CandidateGrid grid_;
  SentenceTable sentences_;
  EditHistory history_;
  mutable SourceIdentity source_;
  mutable bool fingerprinted_ = false;  // source_.fingerprint is the text's
  std::string analysisPath_;
  std::vector<SessionListener*> listeners_;
  RecoveryKeeper* recovery_ = nullptr;
};

}  // namespace varnelio
