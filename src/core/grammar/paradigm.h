// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The paradigm tables of the grammar summaries: seven example nouns of the five
// declensions in the six cases, singular or plural, with the analysed case's row
// highlighted. Geometry in twips, relative to the table panel. Texts Windows-1252.
#include <array>
#include <string>
#include <string_view>

#include "core/analysis/analysis_kind.h"

namespace varnelio {

struct ParadigmColumn {
  int declension;   // 1..5; 0 for the row-label column
  int left;
  int width;
  bool narrow;      // the columns I, IV and V
};

// Column 0 holds the row labels; columns 1..7 the nouns aqua, dominus, donum,
// homo, nomen, gradus, res.
inline constexpr int kParadigmColumnCount = 8;
const std::array<ParadigmColumn, kParadigmColumnCount>& paradigmColumns();

// The six case rows, top to bottom: "N.", "V.", "Acc.", "G.", "D.", "Abl.".
inline constexpr int kParadigmCaseCount = 6;
inline constexpr std::array<std::string_view, kParadigmCaseCount> kParadigmRowLabels = {"N.", "V.", "Acc.", "G.",
                                                                                          "D.", "Abl."};
inline constexpr std::array<int, kParadigmCaseCount> kParadigmRowTops = {1200, 1560, 1920, 2280, 2640, 3000};
inline constexpr int kParadigmRowHeight = 375;

// The plain form of a noun (column 1..7) in a case row (0..5).
std::string_view paradigmForm(GrammaticalNumber number, int caseRow, int column);
// The caption of its cell: the form indented by two blanks, or by one blank for a
// form of seven letters or more in a narrow column.
std::string paradigmCellCaption(GrammaticalNumber number, int caseRow, int column);

// The declension headers: caption, left, width, declension.
struct ParadigmHeader {
  std::string_view caption;
  int left;
  int width;
  int declension;
};
inline constexpr int kParadigmHeaderTop = 240;
inline constexpr int kParadigmHeaderHeight = 375;
const std::array<ParadigmHeader, 5>& paradigmHeaders();

// The gender labels over the gender row (transparent, underlined).
struct ParadigmGenderLabel {
  std::string_view caption;  // Windows-1252
  int left, top, width, height;
};
inline constexpr int kParadigmGenderTop = 600;
inline constexpr int kParadigmGenderHeight = 615;
const std::array<ParadigmGenderLabel, 4>& paradigmGenderLabels();

// The row (0..5) highlighted for a kind.
int paradigmHighlightedRow(const AnalysisKind& kind);

}  // namespace varnelio
