// SPDX-License-Identifier: GPL-3.0-or-later
// The candidate grid's model and view: fixed colours, alignment, and the event
// discipline (only the user's clicks and selection changes raise rowSelected).
#include <QSignalSpy>
#include <QHeaderView>
#include <QTest>
#include <QFont>
#include <gtest/gtest.h>

#include "../support/required_data.h"

#include <filesystem>

#include "core/analysis/candidate_scan.h"
#include "core/files/source_file.h"
#include "ui/analysis/candidate_grid_model.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/shell/codec.h"
#include "ui/shell/twips.h"

namespace varnelio::ui {
namespace {

// A session shown against no text: the rows as a file would give them.
CandidateGrid rowsOf(std::initializer_list<std::pair<const char*, int>> rows) {
  CandidateGrid g;
  for (const auto& [form, sentence] : rows) g.appendCandidate(form, sentence);
  return g;
}

// A session's grid shown in a view of 600 by 300 pixels.
struct ShownGrid {
  AnalysisSession session{KindId::AccSg, Family::Existing};
  CandidateGridModel model{session};
  CandidateGridView view;
  ShownGrid() {
    view.setModel(&model);
    view.resize(600, 300);
    view.show();
  }
};

TEST(CandidateGridView, OnlyTheUserRaisesRowSelected) {
  ShownGrid shown;
  auto& [session, model, view] = shown;
  QSignalSpy spy(&view, &CandidateGridView::rowSelected);

  CandidateGrid six;
  for (int i = 0; i < 6; ++i) six.appendCandidate(i % 2 ? "rosam" : "aquam", i + 1);
  session.openRecords(std::move(six), "", "", "");
  view.moveSilently(3, 2);
  EXPECT_EQ(view.selectedRow(), 3);
  session.deleteRow(3);  // the current row goes: the model moves the cell, silently
  session.deleteRow(1);
  view.moveSilently(4, 3);
  session.undo();
  session.openRecords(rowsOf({{"viam", 1}, {"rem", 2}}), "", "", "");
  EXPECT_EQ(spy.count(), 0);

  // One click, one row selection: on a new row and again on the same row.
  for (int click = 0; click < 2; ++click) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(model.index(1, 1)).center());
    ASSERT_EQ(spy.count(), 1) << "click " << click;
    EXPECT_EQ(spy.last().at(0).toInt(), 2);
    spy.clear();
  }
  view.setFocus();
  QTest::keyClick(&view, Qt::Key_Up);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.last().at(0).toInt(), 1);
}

// Rows of one height placed by arithmetic: a far row scrolled to is in sight where
// the view says, a point finds its cell again, and the keys move as in a table.
TEST(CandidateGridView, PlacesAndReachesRowsByArithmetic) {
  ShownGrid shown;
  auto& [session, model, view] = shown;
  CandidateGrid rows;
  for (int i = 0; i < 100000; ++i) rows.appendCandidate("rosam", i / 7 + 1);
  session.openRecords(std::move(rows), "", "", "");
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  const int inSight = view.viewport()->height() / view.rowHeight();
  for (int row : {0, 1, 4999, 99999}) {
    const QModelIndex index = model.index(row, 2);
    view.scrollTo(index);
    const QRect rect = view.visualRect(index);
    EXPECT_TRUE(view.viewport()->rect().contains(rect)) << row;
    EXPECT_EQ(rect.height(), view.rowHeight() - 1);
    EXPECT_EQ(view.indexAt(rect.center()), index) << row;
  }
  EXPECT_FALSE(view.indexAt(QPoint(5, view.rowHeight() * (inSight + 3))).isValid());  // below the last row

  view.setFocus();
  view.moveSilently(1, 2);
  struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int row, column;  // where the current cell goes from row 0, column 2 (Page Down: the row a
                      // viewport lower, as a table goes)
  };
  for (const Key& k : {Key{Qt::Key_PageDown, {}, inSight, 2}, Key{Qt::Key_End, Qt::ControlModifier, 99999, 3},
                       Key{Qt::Key_Home, Qt::ControlModifier, 0, 0}, Key{Qt::Key_Up, {}, 0, 2},
                       Key{Qt::Key_Right, {}, 0, 3}}) {
    view.moveSilently(1, 2);
    QTest::keyClick(&view, k.key, k.modifiers);
    EXPECT_EQ(view.currentIndex(), model.index(k.row, k.column)) << k.key;
    EXPECT_TRUE(view.viewport()->rect().intersects(view.visualRect(view.currentIndex()))) << k.key;
  }
}

// A proposal of the pre-analysis shows its level at a glance (a sure label in bold
// green italics, a probable one in grey italics, a doubtful row marked « douteux »),
// with its confidence in the tooltip, until an analysis is written over it; a file
// gets the analyses only.
TEST(CandidateGridModel, AProposalShowsAsOneUntilAnAnalysisIsWritten) {
  AnalysisSession session(KindId::AccSg, Family::Existing);
  CandidateGridModel model(session);
  model.setKind(&analysisKind(KindId::AccSg));
  QFont italic;
  italic.setItalic(true);
  model.setProposalFont(italic);
  session.openRecords(rowsOf({{"rosam", 4}, {"aquam", 5}, {"viam", 6}}), "", "", "");
  EditStep step(EditKind::PreAnalysis, 1);
  session.change(step, [](EditStep& s, CandidateGrid& g) {
    s.setProposals(g, {{1, Proposal{1, ProposalLevel::Sure, 97}},
                       {2, Proposal{2, ProposalLevel::Probable, 64}},
                       {3, Proposal{0, ProposalLevel::Doubtful, 41}}});
  });
  session.commit(std::move(step));
  const QModelIndex first = model.index(0, 3), second = model.index(1, 3), third = model.index(2, 3);
  EXPECT_EQ(first.data().toString(), QStringLiteral("1 décl. acc. sg. [AA00C]"));
  EXPECT_EQ(first.data(Qt::ForegroundRole).value<QColor>(), QColor(0, 110, 0));
  EXPECT_TRUE(first.data(Qt::FontRole).value<QFont>().italic());
  EXPECT_TRUE(first.data(Qt::FontRole).value<QFont>().bold());
  EXPECT_EQ(second.data(Qt::ForegroundRole).value<QColor>(), QColor(128, 128, 128));
  EXPECT_TRUE(second.data(Qt::FontRole).value<QFont>().italic());
  EXPECT_FALSE(second.data(Qt::FontRole).value<QFont>().bold());
  EXPECT_EQ(third.data().toString(), QStringLiteral("douteux"));
  EXPECT_EQ(third.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 228, 196));
  EXPECT_EQ(model.shownAnalysis(3), QString());  // nothing to put in the analysis box
  EXPECT_EQ(third.data(Qt::ToolTipRole).toString(),
            QStringLiteral("Pré-analyse : douteux (confiance 41 %) : à décider vous-même"));
  EXPECT_EQ(first.data(Qt::ToolTipRole).toString(),
            QStringLiteral("Proposition de la pré-analyse (sûr, confiance 97 %) : 1 décl. acc. sg. [AA00C]"));
  EXPECT_EQ(second.data(Qt::ToolTipRole).toString(),
            QStringLiteral("Proposition de la pré-analyse (probable, confiance 64 %) : 2 décl. acc. sg. [AB00C]"));
  EXPECT_FALSE(model.index(0, 2).data(Qt::FontRole).isValid());
  session.validate(1, "mon analyse");
  EXPECT_EQ(first.data().toString(), QStringLiteral("mon analyse"));
  EXPECT_FALSE(first.data(Qt::FontRole).isValid());
  EXPECT_FALSE(first.data(Qt::ForegroundRole).isValid());
  EXPECT_EQ(session.grid().analysis(2), "");  // a proposal is not an analysis
}

TEST(CandidateGridModel, FixedCellsHeaderAndAnalysisAlignment) {
  AnalysisSession session(KindId::AccSg, Family::Existing);
  CandidateGridModel model(session);
  CandidateGridView view;
  view.setModel(&model);
  session.openRecords(rowsOf({{"rosam", 4}, {"aquam", 5}}), "", "", "");
  session.validate(2, "1 d\xE9" "cl.   ");
  EXPECT_EQ(model.index(1, 3).data().toString(), QStringLiteral("1 décl."));
  EXPECT_EQ(model.index(1, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignLeft | Qt::AlignTop);
  EXPECT_NE(model.index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignLeft | Qt::AlignTop);
  EXPECT_EQ(model.index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 192));
  EXPECT_EQ(model.index(0, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(192, 0, 0));
  EXPECT_FALSE(model.index(0, 1).data(Qt::BackgroundRole).isValid());
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("N°"));
  EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("Analyse(s)"));
  EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
  const int widths[] = {750, 800, 2000, 3500};
  for (int c = 0; c < 4; ++c) EXPECT_EQ(view.columnWidth(c), twipsToPixelsX(widths[c]));
  EXPECT_EQ(view.rowHeight(), twipsToPixelsY(240));
}

TEST(CandidateGridModel, ServesTheScanOfTheCorpusForEveryKindAndFollowsDeletions) {
  const auto file = std::filesystem::path(VARNELIO_CORPUS_DIR) / "cicero-de-amicitia.txt";
  VARNELIO_REQUIRE_DATA(std::filesystem::exists(file), "the corpus");
  const std::string text = std::get<std::string>(readSourceText(file.string()));
  for (const AnalysisKind& kind : analysisKinds()) {
    SCOPED_TRACE(std::string(kind.cliName));
    std::vector<QStringList> expected;  // the plain scan, as the grid shows it
    scanText(text, kind, [&](std::string_view form, std::int64_t n) {
      expected.push_back({QString::number(expected.size() + 1), QString::number(n), toQString(form), QString()});
    });
    ASSERT_FALSE(expected.empty());
    AnalysisSession session(kind.id, Family::New);
    CandidateGridModel model(session);
    session.openScan(text, "");
    for (int step = 0; step < 3; ++step) {  // a middle row, the first, the last
      const std::size_t r = step == 0 ? expected.size() / 2 : step == 1 ? 1 : expected.size();
      session.deleteRow(r);
      expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(r - 1));
      for (std::size_t i = r - 1; i < expected.size(); ++i) expected[i][0] = QString::number(i + 1);
    }
    ASSERT_EQ(model.rowCount(), static_cast<int>(expected.size()));
    for (int row = 0; row < model.rowCount(); ++row)
      for (int c = 0; c < 4; ++c)
        ASSERT_EQ(model.index(row, c).data().toString(), expected[static_cast<std::size_t>(row)][c]) << row << "," << c;
  }
}

}  // namespace
}  // namespace varnelio::ui
