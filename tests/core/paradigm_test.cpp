#include "core/grammar/paradigm.h"

#include <gtest/gtest.h>

namespace varnelio {
namespace {

TEST(Paradigm, CaptionsIndentFormsAndNarrowColumnsTakeOneBlankForLongForms) {
  struct Case {
    Number number;
    int row;
    int column;
    const char* caption;
  } cases[] = {
      {Number::Singular, 2, 1, "  aquam"},     {Number::Singular, 2, 2, "  dominum"},
      {Number::Singular, 2, 4, "  hominem"},   {Number::Singular, 2, 6, "  gradum"},
      {Number::Singular, 2, 7, "  rem"},       {Number::Singular, 3, 6, "  gradus"},
      {Number::Singular, 4, 6, "  gradui"},    {Number::Singular, 5, 6, "  gradu"},
      {Number::Singular, 5, 7, "  re"},        {Number::Plural, 3, 1, " aquarum"},
      {Number::Plural, 3, 6, " graduum"},      {Number::Plural, 4, 6, " gradibus"},
      {Number::Plural, 3, 2, "  dominorum"},   {Number::Plural, 5, 5, "  nominibus"},
      {Number::Plural, 3, 7, "  rerum"},       {Number::Plural, 2, 3, "  dona"},
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

TEST(Paradigm, GeometryOfColumnsAndHeaders) {
  const int lefts[] = {120, 960, 1860, 3090, 4320, 5550, 6765, 7665};
  const int widths[] = {855, 915, 1245, 1245, 1245, 1245, 915, 915};
  const int declensions[] = {0, 1, 2, 2, 3, 3, 4, 5};
  for (int c = 0; c < kParadigmColumnCount; ++c) {
    EXPECT_EQ(paradigmColumns()[c].left, lefts[c]);
    EXPECT_EQ(paradigmColumns()[c].width, widths[c]);
    EXPECT_EQ(paradigmColumns()[c].declension, declensions[c]);
  }
  const char* captions[] = {"I", "II", "III", "IV", "V"};
  const int hl[] = {960, 1860, 4320, 6765, 7665};
  const int hw[] = {915, 2475, 2460, 915, 915};
  for (int h = 0; h < 5; ++h) {
    EXPECT_EQ(paradigmHeaders()[h].caption, captions[h]);
    EXPECT_EQ(paradigmHeaders()[h].left, hl[h]);
    EXPECT_EQ(paradigmHeaders()[h].width, hw[h]);
    EXPECT_EQ(paradigmHeaders()[h].declension, h + 1);
  }
  EXPECT_EQ(paradigmGenderLabels()[2].caption, "masculin f\xE9minin");
  EXPECT_EQ(paradigmGenderLabels()[2].height, 615);
}

}  // namespace
}  // namespace varnelio
