// SPDX-License-Identifier: GPL-3.0-or-later
// The "Outils" menu of the analysis windows: the pre-analysis proposes the label
// of every candidate judged a noun of the window's case and number and offers to
// delete the others; the check walks the analyses the user wrote that the
// pre-analysis would not have written.
#include "ui/analysis/analysis_window.h"

#include <QDir>
#include <QMenuBar>
#include <QProgressDialog>
#include <QStatusBar>
#include <optional>

#include "core/morphology/latin_data.h"
#include "core/morphology/pre_analysis.h"
#include "core/text/french_count.h"
#include "core/text/trim.h"
#include "ui/analysis/candidate_grid_model.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/shell/busy_cursor.h"
#include "ui/shell/codec.h"
#include "ui/shell/prompts.h"
#include "ui/shell/workspace.h"

#include <algorithm>
#include <cmath>

namespace varnelio::ui {

// The pre-analyser over the program's one analyser, tagger and judge, made the first
// time a command of the menu needs it.
struct AnalysisWindow::PreAnalysisTools {
  std::shared_ptr<const LatinAnalyser> analyser;
  std::shared_ptr<const ContextualTagger> tagger;
  std::shared_ptr<const NounJudge> nounJudge;
  std::optional<PreAnalyser> judge;
};

namespace {

// How many rows a grid has before the pre-analysis shows its progress.
constexpr std::size_t kLongGrid = 2000;

// "au nominatif singulier", "à l'accusatif pluriel".
QString caseInWords(const AnalysisKind& kind) {
  const QString title = fromUtf8(kind.title).toLower();
  const bool vowel = kind.grammaticalCase == GrammaticalCase::Accusative || kind.grammaticalCase == GrammaticalCase::Ablative;
  return (vowel ? QStringLiteral("à l'") : QStringLiteral("au ")) + title;
}

QString withThousands(std::uint64_t n) { return QString::fromStdString(frenchCount(n)); }

}  // namespace

PreAnalyser* AnalysisWindow::preAnalyser() {
  if (tools_ && tools_->judge) return &*tools_->judge;
  BusyCursor busy(this);
  LatinData& data = workspace_.latinData();
  const auto& tagger = data.tagger();
  const auto& nounJudge = data.judge();
  const LatinDataProblem* problem = std::get_if<LatinDataProblem>(&tagger);
  if (!problem) problem = std::get_if<LatinDataProblem>(&nounJudge);
  if (problem) {
    busy.restore();
    workspace_.prompts().inform(this,
                                fromUtf8(problem->message()) + QLatin1Char('\n') +
                                    QDir::toNativeSeparators(QString::fromStdString(problem->error.path)),
                                kApplicationTitle, MessageIcon::Warning);
    return nullptr;
  }
  auto tools = std::make_shared<PreAnalysisTools>();
  tools->analyser = std::get<std::shared_ptr<const LatinAnalyser>>(data.analyser());
  tools->tagger = std::get<std::shared_ptr<const ContextualTagger>>(tagger);
  tools->nounJudge = std::get<std::shared_ptr<const NounJudge>>(nounJudge);
  tools->judge.emplace(*tools->analyser, *tools->tagger, *tools->nounJudge);
  tools_ = std::move(tools);
  return &*tools_->judge;
}

bool AnalysisWindow::judgeAllRows(RowJudgements& out) {
  PreAnalyser* judge = preAnalyser();
  if (!judge) return false;
  const std::size_t total = candidateGrid().candidateCount();
  std::optional<QProgressDialog> progress;
  std::optional<BusyCursor> busy;
  if (total >= kLongGrid) {
    progress.emplace(QStringLiteral("Pré-analyse…"), QStringLiteral("Annuler"), 0, 1000, this);
    progress->setObjectName(QStringLiteral("progression"));
    progress->setWindowTitle(kApplicationTitle);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(0);
    progress->setAutoReset(false);
    progress->setAutoClose(false);
  } else {
    busy.emplace(this);
  }
  return judgeRows(*judge, sentences(), candidateGrid(), kind(), out, [&](std::size_t done, std::size_t all) {
    if (!progress) return true;
    progress->setValue(static_cast<int>(all ? done * 1000 / all : 1000));  // lets the dialog's events run
    return !progress->wasCanceled();
  });
}

void AnalysisWindow::onPreAnalysis() {
  const CandidateGrid& grid = candidateGrid();
  if (grid.empty()) return;
  // Two bytes a row: a library's grid has millions.
  RowJudgements judged;
  if (!judgeAllRows(judged)) return;  // cancelled, or nothing to judge with: the grid is untouched
  // The proposals and the deletions are one step: "Annuler la pré-analyse" takes
  // back both. A label is proposed, never written: the user's analyses are the
  // user's alone, and a proposal shows as one until validated or accepted.
  EditStep step(EditKind::PreAnalysis, selectedRow_ >= 1 ? static_cast<std::size_t>(selectedRow_) : 0);
  std::vector<std::size_t> falseRows;  // judged "faux", with no analysis of the user's
  double nounsAmongFalse = 0;          // how many of them may be nouns all the same
  std::vector<std::pair<std::size_t, std::optional<Proposal>>> proposals;
  LevelCounts levels;
  for (std::size_t r = 1; r <= judged.size(); ++r) {
    if (!judged.found(r)) continue;
    const JudgementLevel level = judged.level(r);
    levels.add(level);
    std::optional<Proposal> proposal;
    const std::uint8_t confidence = judged.confidence(r);
    const auto declension = static_cast<std::uint8_t>(judged.declension(r));
    if ((level == JudgementLevel::Sure || level == JudgementLevel::Probable) && declension != 0)
      proposal = Proposal{declension, level == JudgementLevel::Sure ? ProposalLevel::Sure : ProposalLevel::Probable,
                          confidence};
    else if (level == JudgementLevel::Doubtful || level == JudgementLevel::Sure || level == JudgementLevel::Probable)
      proposal = Proposal{0, ProposalLevel::Doubtful, confidence};  // a noun, but which declension?
    const Proposal* current = grid.proposal(r);
    if (current ? !proposal || !(*current == *proposal) : proposal.has_value()) proposals.emplace_back(r, proposal);
    if (level == JudgementLevel::False && grid.analysis(r).empty()) {  // never what the user wrote
      falseRows.push_back(r);
      nounsAmongFalse += judged.probability(r);
    }
  }
  session_->change(step, [&](EditStep& s, CandidateGrid& g) { s.setProposals(g, proposals); });
  bool deleted = false;
  if (!falseRows.empty()) {
    const QString question =
        QStringLiteral("%1 candidats ne semblent pas être des noms %2 (environ %3 pourraient pourtant en être). "
                       "Les supprimer ? Vous pourrez annuler la suppression (Ctrl+Z).")
            .arg(withThousands(falseRows.size()), caseInWords(kind()),
                 withThousands(static_cast<std::size_t>(std::llround(nounsAmongFalse))));
    if (workspace_.prompts().askYesNo(this, kApplicationTitle, question)) {
      BusyCursor busy(this);
      // In one pass, renumbered as the bin renumbers; a scanned grid keeps no rows.
      session_->change(step, [&](EditStep& s, CandidateGrid& g) { s.deleteRows(g, falseRows); });
      deleted = true;
    }
  }
  step.setSelectedAfter(1);
  session_->commit(std::move(step));
  statusBar()->showMessage(fromUtf8(levelSummary(levels, deleted)));
  if (grid.empty()) {
    showEmptyGrid();
    return;
  }
  finishLoad();
}

void AnalysisWindow::acceptSureProposals() {
  const CandidateGrid& grid = candidateGrid();
  std::vector<std::pair<std::size_t, std::string>> analyses;
  std::vector<std::pair<std::size_t, std::optional<Proposal>>> accepted;
  for (std::size_t r = 1; r <= grid.candidateCount(); ++r) {
    const Proposal* p = grid.proposal(r);
    if (!p || p->level != ProposalLevel::Sure || !grid.analysis(r).empty()) continue;
    analyses.emplace_back(r, analysisLabel(kind(), p->declension));
    accepted.emplace_back(r, std::nullopt);
  }
  if (analyses.empty()) {
    workspace_.prompts().inform(this, QStringLiteral("Aucune proposition sûre n'attend d'être acceptée."));
    return;
  }
  const std::size_t selected = selectedRow_ >= 1 ? static_cast<std::size_t>(selectedRow_) : 1;
  EditStep step(EditKind::AcceptProposals, selected);
  session_->change(step, [&](EditStep& s, CandidateGrid& g) {
    s.writeAnalyses(g, analyses);
    s.setProposals(g, accepted);
  });
  step.setSelectedAfter(selected);
  session_->commit(std::move(step));
  selectRow(selected);
  const std::size_t n = analyses.size();
  workspace_.prompts().inform(this, n > 1 ? QStringLiteral("%1 propositions sûres acceptées.").arg(withThousands(n))
                                          : QStringLiteral("1 proposition sûre acceptée."));
}

// One walk of « Vérifier les analyses » goes from the selected row to the end, then
// from the top back to where it started, stopping once at each disagreement; each
// use of the command goes on from the row it stopped at, and the walk ends with its
// summary. Selecting another row, or a grid that changed size, starts a new walk.
void AnalysisWindow::onCheckAnalyses() {
  const CandidateGrid& grid = candidateGrid();
  if (grid.empty()) return;
  RowJudgements judged;
  if (!judgeAllRows(judged)) return;
  const std::size_t count = judged.size();
  const auto selected = static_cast<std::size_t>(std::max(selectedRow_, 1));
  if (!checkWalk_ || checkWalk_->rows != count || checkWalk_->lastStop != selected)
    checkWalk_ = CheckWalk{selected, 0, 0, count};
  CheckWalk& walk = *checkWalk_;
  std::size_t disagreements = 0;
  while (walk.visited < count) {
    const std::size_t r = (walk.start - 1 + walk.visited) % count + 1;
    ++walk.visited;
    const std::string_view written = trimBlanks(grid.analysis(r));
    // A "douteux" candidate proposes nothing to disagree with.
    if (!judged.found(r) || written.empty() || judged.level(r) == JudgementLevel::Doubtful) continue;
    const std::string label = judged.label(r, kind());
    if (written == label) continue;
    ++walk.disagreements;
    walk.lastStop = r;
    const QString form = toQString(grid.form(r));
    gridView_->moveSilently(static_cast<int>(r), 2);
    showSelectedRow();
    const QString text =
        label.empty()
            ? QStringLiteral("Ligne %1 : « %2 » ne semble pas être un nom %3.")
                  .arg(withThousands(r), form, caseInWords(kind()))
            : QStringLiteral("Ligne %1 : « %2 » semble être %3.").arg(withThousands(r), form, toQString(label));
    workspace_.prompts().inform(this, text);
    return;
  }
  disagreements = walk.disagreements;
  checkWalk_.reset();
  std::size_t doubtful = 0;  // left without an analysis and without a proposal
  for (std::size_t r = 1; r <= count; ++r)
    if (judged.found(r) && judged.level(r) == JudgementLevel::Doubtful && trimBlanks(grid.analysis(r)).empty())
      ++doubtful;
  QString text = disagreements == 0
                     ? QStringLiteral("Toutes les analyses concordent avec la pré-analyse.")
                     : QStringLiteral("Vérification terminée : %1 analyse%2 diffère%3 de la pré-analyse.")
                           .arg(withThousands(disagreements), disagreements > 1 ? QStringLiteral("s") : QString(),
                                disagreements > 1 ? QStringLiteral("nt") : QString());
  if (doubtful > 0)
    text += QStringLiteral(" %1 candidat%2 reste%3 douteux.")
                .arg(withThousands(doubtful), doubtful > 1 ? QStringLiteral("s") : QString(),
                     doubtful > 1 ? QStringLiteral("nt") : QString());
  workspace_.prompts().inform(this, text);
}

}  // namespace varnelio::ui
