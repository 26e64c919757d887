// The "Outils" menu of the analysis windows: the pre-analysis proposes the label
// of every candidate judged a noun of the window's case and number and offers to
// delete the others; the check walks the analyses the user wrote that the
// pre-analysis would not have written.
#include "ui/analysis/analysis_window.h"

#include <QMenuBar>
#include <QProgressDialog>
#include <optional>

#include "core/morphology/pre_analysis.h"
#include "core/text/trim.h"
#include "ui/analysis/candidate_grid_model.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/shell/busy_cursor.h"
#include "ui/shell/codec.h"
#include "ui/shell/prompts.h"
#include "ui/shell/workspace.h"

#include <cmath>

namespace varnelio::ui {

// The analyser, the tagger and the judge, read from the data folder the first
// time a command of the menu needs them.
struct AnalysisWindow::PreAnalysisTools {
  LatinAnalyser analyser;
  ContextualTagger tagger;
  NounJudge nounJudge;
  std::optional<PreAnalyser> judge;
};

namespace {

// How many rows a grid has before the pre-analysis shows its progress.
constexpr std::size_t kLongGrid = 2000;

// "au nominatif singulier", "à l'accusatif pluriel".
QString caseInWords(const AnalysisKind& kind) {
  const QString title = fromUtf8(kind.title).toLower();
  const bool vowel = kind.grammaticalCase == Case::Accusative || kind.grammaticalCase == Case::Ablative;
  return (vowel ? QStringLiteral("à l'") : QStringLiteral("au ")) + title;
}

// "5 376": thousands apart by a no-break space.
QString withThousands(std::size_t n) {
  QString digits = QString::number(n);
  for (int k = digits.size() - 3; k > 0; k -= 3) digits.insert(k, QChar(0x00A0));
  return digits;
}

}  // namespace

PreAnalyser* AnalysisWindow::preAnalyser() {
  if (tools_ && tools_->judge) return &*tools_->judge;
  auto tools = std::make_shared<PreAnalysisTools>();
  const std::string dir = fromQString(workspace_.dataDir());
  BusyCursor busy(this);
  tools->analyser = LatinAnalyser::load(dir + "/" + std::string(LatinAnalyser::kFileName));
  if (tools->analyser.status() == LatinAnalyser::Status::Loaded) {
    tools->tagger = ContextualTagger::load(dir + "/" + std::string(ContextualTagger::kFileName));
    tools->nounJudge = NounJudge::load(dir + "/" + std::string(NounJudge::kFileName));
  }
  if (tools->analyser.status() != LatinAnalyser::Status::Loaded || !tools->tagger.fits(tools->analyser) ||
      !tools->nounJudge.fits(tools->analyser)) {
    const std::string_view file = tools->analyser.status() != LatinAnalyser::Status::Loaded ? LatinAnalyser::kFileName
                                  : !tools->tagger.fits(tools->analyser)                   ? ContextualTagger::kFileName
                                                                                          : NounJudge::kFileName;
    workspace_.prompts().inform(this, QStringLiteral("Le fichier %1 est manquant!").arg(toQString(file)),
                                kApplicationTitle, MessageIcon::Warning);
    return nullptr;
  }
  tools->judge.emplace(tools->analyser, tools->tagger, tools->nounJudge);
  tools_ = std::move(tools);
  return &*tools_->judge;
}

bool AnalysisWindow::judgeAllRows(std::vector<RowJudgement>& out) {
  PreAnalyser* judge = preAnalyser();
  if (!judge) return false;
  const std::size_t total = grid_.candidateCount();
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
  return judgeRows(*judge, sentences_, grid_, kind_, out, [&](std::size_t done, std::size_t all) {
    if (!progress) return true;
    progress->setValue(static_cast<int>(all ? done * 1000 / all : 1000));  // lets the dialog's events run
    return !progress->wasCanceled();
  });
}

void AnalysisWindow::Preanalyse_Click() {
  if (grid_.empty()) return;
  std::vector<RowJudgement> judged;
  if (!judgeAllRows(judged)) return;  // cancelled, or nothing to judge with: the grid is untouched
  std::vector<std::size_t> falseRows;  // judged "faux", with no analysis of the user's
  double nounsAmongFalse = 0;          // how many of them may be nouns all the same
  model_->refill([&](CandidateGrid& grid) {
    for (std::size_t r = 1; r <= judged.size(); ++r) {
      const RowJudgement& j = judged[r - 1];
      if (!j.found || !grid.analysis(r).empty()) continue;  // never over what the user wrote
      if (j.level == JudgementLevel::False) {
        falseRows.push_back(r);
        nounsAmongFalse += j.probability;
      } else if (j.declension != 0) {
        grid.validate(r, j.label(kind_));
      }
    }
  });
  if (!falseRows.empty()) {
    const QString question =
        QStringLiteral("%1 candidats ne semblent pas être des noms %2 (environ %3 pourraient pourtant en être). "
                       "Les supprimer ? Vous pourrez annuler la suppression (Ctrl+Z).")
            .arg(withThousands(falseRows.size()), caseInWords(kind_),
                 withThousands(static_cast<std::size_t>(std::llround(nounsAmongFalse))));
    if (workspace_.prompts().askYesNo(this, kApplicationTitle, question)) {
      BusyCursor busy(this);
      // In one pass, renumbered as the bin renumbers; a scanned grid keeps no rows.
      model_->refill([&](CandidateGrid& grid) { grid.deleteRows(falseRows); });
    }
  }
  if (grid_.empty()) {
    showEmptyGrid();
    return;
  }
  finishLoad();
}

void AnalysisWindow::Verifier_Click() {
  if (grid_.empty()) return;
  std::vector<RowJudgement> judged;
  if (!judgeAllRows(judged)) return;
  const std::size_t count = judged.size();
  const std::size_t start = lignecourante_ >= 1 ? static_cast<std::size_t>(lignecourante_) : 0;
  for (std::size_t step = 1; step <= count; ++step) {
    const std::size_t r = (start + step - 1) % count + 1;
    const RowJudgement& j = judged[r - 1];
    const std::string_view written = trimBlanks(grid_.analysis(r));
    // A "douteux" candidate proposes nothing to disagree with.
    if (!j.found || written.empty() || j.level == JudgementLevel::Doubtful) continue;
    const std::string label = j.label(kind_);
    if (written == label) continue;
    const QString form = toQString(grid_.form(r));
    grille01->moveSilently(static_cast<int>(r), 2);
    grille01_SelChange();
    const QString text =
        label.empty()
            ? QStringLiteral("Ligne %1 : « %2 » ne semble pas être un nom %3.").arg(r).arg(form, caseInWords(kind_))
            : QStringLiteral("Ligne %1 : « %2 » semble être %3.").arg(r).arg(form, toQString(label));
    workspace_.prompts().inform(this, text);
    return;
  }
  std::size_t doubtful = 0;  // left without an analysis and without a proposal
  for (std::size_t r = 1; r <= count; ++r)
    if (judged[r - 1].found && judged[r - 1].level == JudgementLevel::Doubtful && trimBlanks(grid_.analysis(r)).empty())
      ++doubtful;
  QString text = QStringLiteral("Toutes les analyses concordent avec la pré-analyse.");
  if (doubtful > 0)
    text += QStringLiteral(" %1 candidat%2 reste%3 douteux.")
                .arg(withThousands(doubtful), doubtful > 1 ? QStringLiteral("s") : QString(),
                     doubtful > 1 ? QStringLiteral("nt") : QString());
  workspace_.prompts().inform(this, text);
}

}  // namespace varnelio::ui
