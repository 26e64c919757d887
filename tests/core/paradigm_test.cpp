// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/grammar/paradigm.h"

#include <gtest/gtest.h>

namespace varnelio {
namespace {

TEST(Paradigm, CaptionsIndentFormsAndNarrowColumnsTakeOneBlankForLongForms) {
  struct Case {
    GrammaticalNumber number;
    int row;
    int column;
    const char* caption;
  } cases[] = {
      {GrammaticalNumber::Singular, 2, 1, "  aquam"},     {GrammaticalNumber::Singular, 2, 2, "  dominum"},
      {GrammaticalNumber::Singular, 2, 4, "  hominem"},   {GrammaticalNumber::Singular, 2, 6, "  gradum"},
      {GrammaticalNumber::Singular, 2, 7, "  rem"},       {GrammaticalNumber::Singular, 3, 6, "  gradus"},
      {GrammaticalNumber::Singular, 4, 6, "  gradui"},    {GrammaticalNumber::Singular, 5, 6, "  gradu"},
      {GrammaticalNumber::Singular, 5, 7, "  re"},        {GrammaticalNumber::Plural, 3, 1, " aquarum"},
      {GrammaticalNumber::Plural, 3, 6, " graduum"},      {GrammaticalNumber::Plural, 4, 6, " gradibus"},
      {GrammaticalNumber::Plural, 3, 2, "  dominorum"},   {GrammaticalNumber::Plural, 5, 5, "  nominibus"},
      {GrammaticalNumber::Plural, 3, 7, "  rerum"},       {GrammaticalNumber::Plural, 2, 3, "  dona"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(paradigmCellCaption(c.number, c.row, c.column), c.caption) << c.row << "," << c.column;
}

TEST(Paradigm, HighlightedRowsAndTheirLabels) {
  const std::pair<KindId, int> rows[] = {{KindId::NomSg, 0}, {KindId::NomPl, 0}, {KindId::AccSg, 2},
                                         {KindId::AccPl, 2}, {KindId::GenSg, 3}, {KindId::GenPl, 3},
                                         {KindId::DatSg, 4}, {KindId::DatPl, 4}, {KindId::AblSg, 5},
                                         {KindId::AblPl, 5}};
  for (auto [kind, row] : rows) {
    EXPECT_EQ(paradigmHighlightedRow(analysisKind(kind)), row);
    EXPECT_EQ(kParadigmRowLabels[row], analysisKind(kind).paradigmRowLabel);
  }
}

// The table reads left to right, cells side by side, and each declension's header
// spans exactly the columns of that declension, so a click on a header and a click
// on one of its forms give the same declension.
TEST(Paradigm, ColumnsInOrderUnderTheHeaderOfTheirDeclension) {
  const auto& columns = paradigmColumns();
  EXPECT_EQ(columns[0].declension, 0);  // the row labels
  for (int c = 1; c < kParadigmColumnCount; ++c) {
    // Neighbouring cells share their border line (one or two pixels), no more.
    EXPECT_GE(columns[c].left + 30, columns[c - 1].left + columns[c - 1].width) << "column " << c;
    EXPECT_LE(columns[c].left, columns[c - 1].left + columns[c - 1].width) << "column " << c;
    EXPECT_GE(columns[c].declension, columns[c - 1].declension) << "column " << c;
  }
  const char* captions[] = {"I", "II", "III", "IV", "V"};
  for (int h = 0; h < 5; ++h) {
    const ParadigmHeader& header = paradigmHeaders()[h];
    EXPECT_EQ(header.caption, captions[h]);
    EXPECT_EQ(header.declension, h + 1);
    int first = -1, last = -1;
    for (int c = 0; c < kParadigmColumnCount; ++c)
      if (columns[c].declension == header.declension) {
        if (first < 0) first = c;
        last = c;
      }
    ASSERT_GE(first, 0) << captions[h];
    EXPECT_EQ(header.left, columns[first].left) << captions[h];
    // The header ends where its last column ends, give or take the rule between cells.
    EXPECT_NEAR(header.left + header.width, columns[last].left + columns[last].width, 15) << captions[h];
  }
  EXPECT_EQ(paradigmGenderLabels()[2].caption, "masculin f\xE9minin");
}

}  // namespace
}  // namespace varnelio
