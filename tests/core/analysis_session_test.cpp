// SPDX-License-Identifier: GPL-3.0-or-later
// An analysis session with no window: its edits as steps, what it tells those who
// listen, whether it differs from its file, and its recovery copy.
#include "core/analysis/analysis_session.h"

#include <gtest/gtest.h>

#include "core/analysis/analysis_file.h"

namespace varnelio {
namespace {

constexpr const char* kText = "Puella rosam amat. Dominam video et servum. Templum portam.";

// Writes down every change in the order it is told.
struct Recorder final : SessionListener, RecoveryKeeper {
  std::vector<std::string> heard;
  void gridAboutToChange() override { heard.push_back("about"); }
  void gridChanged() override { heard.push_back("changed"); }
  void rowAboutToBeRemoved(std::size_t r) override { heard.push_back("remove " + std::to_string(r)); }
  void rowRemoved(std::size_t r) override { heard.push_back("removed " + std::to_string(r)); }
  void analysisChanged(std::size_t r) override { heard.push_back("analysis " + std::to_string(r)); }
  void stateChanged() override { heard.push_back("state"); }
  void changed() override { heard.push_back("copy"); }
  void discard() override { heard.push_back("no copy"); }
};

std::vector<std::string> forms(const AnalysisSession& s) {
  std::vector<std::string> out;
  for (std::size_t r = 1; r <= s.grid().candidateCount(); ++r)
    out.push_back(std::to_string(s.grid().number(r)) + ":" + std::string(s.grid().form(r)) + ":" +
                  std::string(s.grid().analysis(r)));
  return out;
}

TEST(AnalysisSession, EditsAreStepsThatComeBackAndTellWhatChanged) {
  AnalysisSession session(KindId::AccSg, Family::New);
  Recorder r;
  session.addListener(&r);
  session.setRecoveryKeeper(&r);
  session.openScan(kText, "/textes/puella.txt");
  EXPECT_EQ(r.heard, (std::vector<std::string>{"about", "changed", "state"}));
  EXPECT_EQ(session.source().path, "/textes/puella.txt");
  EXPECT_EQ(session.source().fingerprint, textFingerprint(kText));
  EXPECT_FALSE(session.modified());
  const auto scanned = forms(session);
  ASSERT_EQ(scanned, (std::vector<std::string>{"1:rosam:", "2:Dominam:", "3:servum:", "4:Templum:", "5:portam:"}));

  r.heard.clear();
  session.validate(2, "1 d\xE9" "cl. acc. sg. [AA00C]   ");
  EXPECT_EQ(r.heard, (std::vector<std::string>{"analysis 2", "copy", "state"}));
  EXPECT_TRUE(session.modified());
  r.heard.clear();
  EXPECT_EQ(session.deleteRow(5), 4u);  // the last row: the new last is selected
  EXPECT_EQ(r.heard, (std::vector<std::string>{"remove 5", "removed 5", "copy", "state"}));
  EXPECT_EQ(session.deleteRow(1), 1u);
  EXPECT_EQ(forms(session), (std::vector<std::string>{"1:Dominam:1 d\xE9" "cl. acc. sg. [AA00C]", "2:servum:",
                                                      "3:Templum:"}));
  EXPECT_EQ(session.deleteRow(9), 0u);  // no such row: nothing done
  EXPECT_EQ(session.history().nextUndo()->kind(), EditKind::Deletion);

  // Back to the scan, step by step, then forward again to the same rows.
  const auto edited = forms(session);
  r.heard.clear();
  EXPECT_EQ(session.undo()->selectedBefore(), 1u);
  EXPECT_EQ(r.heard, (std::vector<std::string>{"about", "changed", "copy", "state"}));
  session.undo();
  r.heard.clear();
  session.undo();
  EXPECT_EQ(r.heard, (std::vector<std::string>{"about", "changed", "no copy", "state"}));  // as opened
  EXPECT_EQ(session.undo(), nullptr);
  EXPECT_EQ(forms(session), scanned);
  EXPECT_FALSE(session.modified());
  while (session.redo()) {
  }
  EXPECT_EQ(forms(session), edited);
  EXPECT_TRUE(session.modified());

  // Saved: no copy left, and the session knows its file.
  r.heard.clear();
  session.saved("/analyses/puella.DAT");
  EXPECT_EQ(r.heard, (std::vector<std::string>{"no copy", "state"}));
  EXPECT_FALSE(session.modified());
  EXPECT_EQ(session.analysisPath(), "/analyses/puella.DAT");
  session.undo();
  EXPECT_TRUE(session.modified());  // differs from the file now

  session.removeListener(&r);
  r.heard.clear();
  session.redo();
  EXPECT_EQ(r.heard, (std::vector<std::string>{"no copy"}));  // the keeper still hears, the listener no more
}

// The fingerprint is taken when first asked for: each opening's is its own text's,
// whether or not the one before was asked for, and a recovery copy carries it.
TEST(AnalysisSession, TheSourceFingerprintIsThatOfTheTextOpenedLast) {
  AnalysisSession session(KindId::AccSg, Family::New);
  const std::string other = "Agricola terram arat.";
  session.openScan(kText, "/textes/puella.txt");
  EXPECT_EQ(session.source().fingerprint, textFingerprint(kText));
  session.openScan(other, "/textes/agricola.txt");
  EXPECT_EQ(session.source().fingerprint, textFingerprint(other));
  CandidateGrid rows;
  rows.appendCandidate("rosam", 1);
  session.openRecords(rows, kText, "/textes/puella.txt", "/analyses/puella.DAT");
  session.validate(1, "a");
  const auto decoded = decodeRecoveryCopy(session.encodeRecoveryCopy(0));
  const auto* copy = std::get_if<RecoveryCopy>(&decoded);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->header.sourceFingerprint, textFingerprint(kText));
  EXPECT_EQ(copy->header.sourceSize, std::string_view(kText).size());
}

TEST(AnalysisSession, AStepOfSeveralChangesIsOneUndo) {
  AnalysisSession session(KindId::AccSg, Family::New);
  session.openScan(kText, "t.txt");
  EditStep step(EditKind::PreAnalysis, 1);
  session.change(step, [](EditStep& s, CandidateGrid& g) {
    s.setProposals(g, {{1, Proposal{1, ProposalLevel::Sure, 97}}});
  });
  session.change(step, [](EditStep& s, CandidateGrid& g) { s.deleteRows(g, {2, 3}); });
  session.commit(std::move(step));
  EXPECT_EQ(session.grid().candidateCount(), 3u);
  ASSERT_NE(session.grid().proposal(1), nullptr);
  session.undo();
  EXPECT_EQ(session.grid().candidateCount(), 5u);
  EXPECT_EQ(session.grid().proposal(1), nullptr);
  EXPECT_FALSE(session.modified());
}

TEST(AnalysisSession, RecoveryCopyComesBackOnTheTextItWasMadeOn) {
  AnalysisSession session(KindId::AblPl, Family::Existing);
  CandidateGrid rows;
  rows.appendCandidate("servis", 2);
  rows.appendCandidate("portis", 3);
  session.openRecords(std::move(rows), kText, "t.txt", "/a/b.DAT");
  EXPECT_EQ(session.analysisPath(), "/a/b.DAT");
  session.validate(2, "2 d\xE9" "cl.");
  const auto copy = decodeRecoveryCopy(session.encodeRecoveryCopy(1765400000));
  ASSERT_TRUE(std::holds_alternative<RecoveryCopy>(copy));
  const RecoveryHeader& header = std::get<RecoveryCopy>(copy).header;
  EXPECT_EQ(header.kind, KindId::AblPl);
  EXPECT_EQ(header.family, Family::Existing);
  EXPECT_EQ(header.analysisPath, "/a/b.DAT");

  struct Case {
    const char* name;
    std::optional<std::string> current, kept;
    AnalysisSession::Recovered outcome;
  };
  for (const Case& c : {Case{"as it was", kText, std::nullopt, AnalysisSession::Recovered::AsItWas},
                        Case{"text changed, copy kept", "autre texte.", kText, AnalysisSession::Recovered::OnKeptText},
                        Case{"text gone, copy kept", std::nullopt, kText, AnalysisSession::Recovered::OnKeptText},
                        Case{"both gone", std::nullopt, std::nullopt, AnalysisSession::Recovered::SourceLost},
                        Case{"both changed", "x.", "y.", AnalysisSession::Recovered::SourceLost}}) {
    SCOPED_TRACE(c.name);
    AnalysisSession back(header.kind, header.family);
    int keptReads = 0;
    const auto outcome = back.openRecovered(std::get<RecoveryCopy>(copy), c.current, [&] {
      ++keptReads;
      return c.kept;
    });
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(keptReads, c.outcome == AnalysisSession::Recovered::AsItWas ? 0 : 1);  // read only when needed
    if (c.outcome == AnalysisSession::Recovered::SourceLost) {
      EXPECT_TRUE(back.grid().empty());  // left as it was
      continue;
    }
    EXPECT_EQ(forms(back), forms(session));
    EXPECT_TRUE(back.modified());  // nothing of it is saved
    EXPECT_EQ(back.analysisPath(), "/a/b.DAT");
  }
}

TEST(AnalysisSession, ACopyThatDoesNotFitItsTextLeavesTheSessionAsItWas) {
  AnalysisSession made(KindId::AccSg, Family::New);
  made.openScan(kText, "t.txt");
  made.deleteRow(5);
  const auto copy = std::get<RecoveryCopy>(decodeRecoveryCopy(made.encodeRecoveryCopy(0)));
  AnalysisSession other(KindId::AccSg, Family::New);
  // The same fingerprint cannot be forged here: a copy whose deletions go beyond the
  // scan stands for one made on another text.
  RecoveryCopy beyond = copy;
  beyond.edits.deleted = {40};
  EXPECT_EQ(other.openRecovered(beyond, std::string(kText), {}), AnalysisSession::Recovered::DoesNotFit);
  EXPECT_TRUE(other.grid().empty());
}

// What can be the records of an analysis file, whoever wrote them, and what cannot.
TEST(AnalysisFile, ReadsAsRecordsOnlyWhatCanBeRecords) {
  CandidateGrid grid;
  grid.appendCandidate("rosam", 1);
  grid.appendCandidate("Rosam", 12);
  grid.validate(1, "1 d\xE9" "cl.\r\nsur deux lignes\tet un tab");
  const std::string file = encodeAnalysisFile(grid);
  std::string blanksAroundNumber = file;
  blanksAroundNumber.replace(2, 7, "  12   ");
  std::string nulPadded = file;
  for (std::size_t i = 9 + 5; i < 109; ++i) nulPadded[i] = '\0';
  std::string controlInForm = file;
  controlInForm[9 + 2] = '\x01';
  std::string wordAsNumber = file;
  wordAsNumber.replace(2, 7, "Gallia ");
  const std::string exportBytes = "N\xB0\tN\xB0 phrase\tForme(s)\tAnalyse(s)\r\n1\t1\trosam\t\r\n2\t12\tRosam\t\r\n";
  std::string text;
  while (text.size() < 2000) text += "Gallia est omnis divisa in partes tres. ";
  struct Case {
    const char* name;
    std::string bytes;
    bool records;
  };
  for (const Case& c : {Case{"written by the program", file, true},
                        Case{"empty: no row", "", true},
                        Case{"a short last record", file.substr(0, 369 + 200), true},
                        Case{"blanks only", std::string(100, ' '), true},
                        Case{"blanks around the sentence number", blanksAroundNumber, true},
                        Case{"fields padded with zero bytes", nulPadded, true},
                        Case{"a control byte in a form", controlInForm, false},
                        Case{"a word for a sentence number", wordAsNumber, false},
                        Case{"an export", exportBytes, false},
                        Case{"a Latin text", text, false},
                        Case{"a text cut short", text.substr(0, 6), false}}) {
    EXPECT_EQ(readsAsAnalysisRecords(c.bytes), c.records) << c.name;
  }
}

}  // namespace
}  // namespace varnelio
