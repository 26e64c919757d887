// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/grammar/paradigm.h"

namespace varnelio {
namespace {

constexpr std::array<ParadigmColumn, kParadigmColumnCount> kColumns = {{
    {0, 120, 855, false},
    {1, 960, 915, true},
    {2, 1860, 1245, false},
    {2, 3090, 1245, false},
    {3, 4320, 1245, false},
    {3, 5550, 1245, false},
    {4, 6765, 915, true},
    {5, 7665, 915, true},
}};

using Row = std::array<std::string_view, 7>;
constexpr std::array<Row, kParadigmCaseCount> kSingular = {{
    {"aqua", "dominus", "donum", "homo", "nomen", "gradus", "res"},
    {"aqua", "domine", "donum", "homo", "nomen", "gradus", "res"},
    {"aquam", "dominum", "donum", "hominem", "nomen", "gradum", "rem"},
    {"aquae", "domini", "doni", "hominis", "nominis", "gradus", "rei"},
    {"aquae", "domino", "dono", "homini", "nomini", "gradui", "rei"},
    {"aqua", "domino", "dono", "homine", "nomine", "gradu", "re"},
}};
constexpr std::array<Row, kParadigmCaseCount> kPlural = {{
    {"aquae", "domini", "dona", "homines", "nomina", "gradus", "res"},
    {"aquae", "domini", "dona", "homines", "nomina", "gradus", "res"},
    {"aquas", "dominos", "dona", "homines", "nomina", "gradus", "res"},
    {"aquarum", "dominorum", "donorum", "hominum", "nominum", "graduum", "rerum"},
    {"aquis", "dominis", "donis", "hominibus", "nominibus", "gradibus", "rebus"},
    {"aquis", "dominis", "donis", "hominibus", "nominibus", "gradibus", "rebus"},
}};

constexpr std::array<ParadigmHeader, 5> kHeaders = {{
    {"I", 960, 915, 1},
    {"II", 1860, 2475, 2},
    {"III", 4320, 2460, 3},
    {"IV", 6765, 915, 4},
    {"V", 7665, 915, 5},
}};

constexpr std::array<ParadigmGenderLabel, 4> kGenders = {{
    {"masculin", 1965, 720, 975, 375},
    {"neutre", 3195, 720, 975, 375},
    {"masculin f\xE9minin", 4440, 600, 975, 615},
    {"neutre", 5640, 720, 975, 375},
}};

}  // namespace

const std::array<ParadigmColumn, kParadigmColumnCount>& paradigmColumns() { return kColumns; }
const std::array<ParadigmHeader, 5>& paradigmHeaders() { return kHeaders; }
const std::array<ParadigmGenderLabel, 4>& paradigmGenderLabels() { return kGenders; }

std::string_view paradigmForm(GrammaticalNumber number, int caseRow, int column) {
  const auto& table = number == GrammaticalNumber::Singular ? kSingular : kPlural;
  return table[caseRow][column - 1];
}

std::string paradigmCellCaption(GrammaticalNumber number, int caseRow, int column) {
  const std::string_view form = paradigmForm(number, caseRow, column);
  const bool oneBlank = kColumns[column].narrow && form.size() >= 7;
  return std::string(oneBlank ? " " : "  ") + std::string(form);
}

int paradigmHighlightedRow(const AnalysisKind& kind) {
  switch (kind.grammaticalCase) {
    case GrammaticalCase::Accusative: return 2;
    case GrammaticalCase::Genitive: return 3;
    case GrammaticalCase::Dative: return 4;
    case GrammaticalCase::Ablative: return 5;
    default: return 0;
  }
}

}  // namespace varnelio
