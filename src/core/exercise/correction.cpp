// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exercise/correction.h"

#include "core/text/cp1252.h"
#include "core/text/french_count.h"
#include "core/text/trim.h"

namespace varnelio {
namespace {

Verdict judge(const ExerciseKey& key, std::size_t candidate, const GridAnswer& answer, const AnalysisKind& kind) {
  const AnswerReading reading =
      answer.kept ? readAnswer(answer.text, kind) : AnswerReading{AnswerReading::Shape::Empty, 0, false};
  const bool label = answer.kept && reading.shape == AnswerReading::Shape::Label;
  if (key.expected(candidate) == Expected::Noun) {
    if (!answer.kept) return Verdict::NounDeleted;
    return label && reading.consistent && reading.declension == key.declension(candidate) ? Verdict::Right
                                                                                            : Verdict::WrongAnalysis;
  }
  if (!answer.kept || reading.shape == AnswerReading::Shape::OtherText) return Verdict::Right;
  return Verdict::FalseCandidateKept;
}

// "1 analyse juste", "0 nom supprimé", "2 faux candidats gardés": French puts the
// noun in the plural from 2 on.
std::string counted(std::size_t n, const char* singular, const char* plural) {
  return frenchCount(n) + " " + (n >= 2 ? plural : singular);
}

}  // namespace

std::optional<int> Correction::markInHalves() const {
  if (graded == 0) return std::nullopt;
  // right / graded × 40 half points, the nearest whole one, a half going up.
  return static_cast<int>((80 * static_cast<std::uint64_t>(right) + graded) / (2 * static_cast<std::uint64_t>(graded)));
}

Correction correct(const Exercise& exercise, const CandidateGrid& studentGrid, const GradedVisitor& onGraded) {
  Correction c;
  const ExerciseKey& key = exercise.key();
  c.candidates.reserve(key.gradedCount());
  c.unmatchedRows = forEachGridAnswer(exercise, studentGrid, [&](std::size_t candidate, const GridAnswer& answer) {
    if (candidate >= key.size() || key.expected(candidate) == Expected::NotGraded) return;
    GradedCandidate g;
    g.candidate = static_cast<std::uint32_t>(candidate);
    g.row = answer.row;
    g.kept = answer.kept;
    g.verdict = judge(key, candidate, answer, exercise.kind());
    ++c.graded;
    switch (g.verdict) {
      case Verdict::Right: ++c.right; break;
      case Verdict::WrongAnalysis: ++c.wrongAnalyses; break;
      case Verdict::NounDeleted: ++c.nounsDeleted; break;
      case Verdict::FalseCandidateKept: ++c.falseCandidatesKept; break;
    }
    c.candidates.push_back(g);
    if (onGraded) onGraded(g, answer);
  });
  return c;
}

std::string formatMark(int halves) {
  std::string mark = std::to_string(halves / 2);
  if (halves % 2) mark += ",5";
  return mark;
}

std::string summaryLine(const Correction& c) {
  const std::optional<int> mark = c.markInHalves();
  if (!mark) return "Aucun candidat n'a de r\xC3\xA9ponse attendue : rien \xC3\xA0 corriger.";
  return counted(c.right, "analyse juste", "analyses justes") + " sur " + frenchCount(c.graded) + " ; " +
         counted(c.nounsDeleted, "nom supprim\xC3\xA9 \xC3\xA0 tort", "noms supprim\xC3\xA9s \xC3\xA0 tort") + " ; " +
         counted(c.falseCandidatesKept, "faux candidat gard\xC3\xA9", "faux candidats gard\xC3\xA9s") +
         ". Note : " + formatMark(*mark) + " / 20";
}

std::string expectedAnswer(const Exercise& exercise, std::size_t candidate) {
  const ExerciseKey& key = exercise.key();
  if (candidate >= key.size() || key.expected(candidate) == Expected::NotGraded) return "non corrig\xC3\xA9";
  if (key.expected(candidate) == Expected::Noun) {
    const std::string_view text = trimBlanks(key.teacherText(candidate));
    return cp1252::toUtf8(text.empty() ? analysisLabel(exercise.kind(), key.declension(candidate)) : text);
  }
  // "pas un accusatif singulier": the kind's title, its capital lowered (every
  // title starts with an ASCII capital).
  std::string title(exercise.kind().title);
  if (!title.empty() && title[0] >= 'A' && title[0] <= 'Z') title[0] = static_cast<char>(title[0] - 'A' + 'a');
  return "pas un " + title;
}

std::string expectedAnswerTooltip(const Exercise& exercise, std::size_t candidate) {
  return "Attendu : " + expectedAnswer(exercise, candidate);
}

std::string givenAnswer(const GridAnswer& answer) {
  if (!answer.kept) return "supprim\xC3\xA9";
  const std::string_view text = trimBlanks(answer.text);
  return text.empty() ? std::string("(vide)") : cp1252::toUtf8(text);
}

std::string notGradedQuestion(std::size_t n) {
  if (n >= 2)
    return frenchCount(n) + " candidats n'ont pas de r\xC3\xA9ponse et ne seront pas corrig\xC3\xA9s. Continuer ?";
  return frenchCount(n) + " candidat n'a pas de r\xC3\xA9ponse et ne sera pas corrig\xC3\xA9. Continuer ?";
}

}  // namespace varnelio
