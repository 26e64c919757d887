// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's side of an exercise on the command line: making one from a text
// and an analysis file, and grading a class's analysis files against it.
#include <variant>

#include "cli/cli_output.h"
#include "cli/commands.h"
#include "core/analysis/analysis_file.h"
#include "core/analysis/analysis_record.h"
#include "core/exercise/correction.h"
#include "core/exercise/exercise_file.h"
#include "core/files/source_file.h"
#include "core/text/cp1252.h"
#include "core/text/french_count.h"

namespace varnelio::cli {
namespace {

std::string plural(std::size_t n, const char* singular, const char* plural) {
  return frenchCount(n) + " " + (n >= 2 ? plural : singular);
}

// A copy is an analysis file of the exercise's text: whole records, and rows that
// are the exercise's candidates. Anything else is refused with the reason.
std::variant<CandidateGrid, std::string> readCopy(const std::string& path) {
  auto read = readWholeFile(path);
  if (auto* err = std::get_if<FileError>(&read))
    return "impossible de lire le fichier " + err->path + " : " + err->reason;
  const std::string& bytes = std::get<std::string>(read);
  if (bytes.size() % AnalysisRecord::kSize != 0)
    return "le fichier " + path + " n'est pas un fichier d'analyse (sa longueur n'est pas un multiple de 369 octets)";
  return decodeAnalysisFile(bytes);
}

// The lines of the table, UTF-8, without their ends.
struct GradeLines {
  std::vector<std::string> lines;
  bool everyCopyGraded = true;
};

GradeLines gradeCopies(const Exercise& exercise, const std::vector<std::string>& copies, bool detail) {
  GradeLines out;
  out.lines.push_back("Copie\tJustes\tCorrig\xC3\xA9s\tNoms supprim\xC3\xA9s \xC3\xA0 tort\tFaux candidats gard\xC3\xA9s\tNote");
  for (const std::string& path : copies) {
    auto copy = readCopy(path);
    if (auto* message = std::get_if<std::string>(&copy)) {
      out.lines.push_back(path + "\t" + *message);
      out.everyCopyGraded = false;
      continue;
    }
    const CandidateGrid& grid = std::get<CandidateGrid>(copy);
    std::vector<std::string> wrong;
    const Correction c = correct(exercise, grid, [&](const GradedCandidate& g, const GridAnswer& answer) {
      if (!detail || g.verdict == Verdict::Right) return;
      std::string line(1, '\t');
      line += std::to_string(exercise.sentenceOf(g.candidate));
      line += '\t';
      line += cp1252::toUtf8(exercise.formOf(g.candidate));
      line += '\t';
      line += givenAnswer(answer);
      line += '\t';
      line += expectedAnswer(exercise, g.candidate);
      wrong.push_back(std::move(line));
    });
    if (grid.candidateCount() > 0 && c.unmatchedRows == grid.candidateCount() && exercise.candidateCount() > 0) {
      out.lines.push_back(path + "\taucune ligne du fichier " + path + " n'est un candidat du texte de l'exercice");
      out.everyCopyGraded = false;
      continue;
    }
    const std::optional<int> mark = c.markInHalves();
    out.lines.push_back(path + "\t" + std::to_string(c.right) + "\t" + std::to_string(c.graded) + "\t" +
                        std::to_string(c.nounsDeleted) + "\t" + std::to_string(c.falseCandidatesKept) + "\t" +
                        (mark ? formatMark(*mark) : std::string()));
    out.lines.insert(out.lines.end(), wrong.begin(), wrong.end());
  }
  return out;
}

}  // namespace

int runMakeExercise(const AnalysisKind& kind, const std::string& source, const std::string& analysis,
                    const std::string& exercisePath) {
  auto text = readSourceText(source);
  if (auto* err = std::get_if<FileError>(&text)) return readFailure(*err);
  auto read = readAnalysisFile(analysis);
  if (auto* err = std::get_if<FileError>(&read)) return readFailure(*err);
  Exercise exercise(SentenceTable(std::move(std::get<std::string>(text))), kind.id);
  const CandidateGrid& grid = std::get<CandidateGrid>(read);
  std::size_t unmatched = 0;
  exercise.setKey(keyFromGrid(exercise, grid, &unmatched));
  if (auto err = writeExerciseFile(exercisePath, exercise)) return writeFailure(*err);
  const ExerciseKey& key = exercise.key();
  std::size_t nouns = 0;
  for (std::size_t c = 0; c < key.size(); ++c) nouns += key.expected(c) == Expected::Noun;
  std::string line = plural(key.size(), "candidat", "candidats") + " : " + plural(nouns, "nom", "noms") + ", " +
                     plural(key.gradedCount() - nouns, "faux candidat", "faux candidats") + ", " +
                     plural(key.notGradedCount(), "sans r\xC3\xA9ponse (non corrig\xC3\xA9)",
                            "sans r\xC3\xA9ponse (non corrig\xC3\xA9s)") + "\n";
  if (unmatched > 0)
    printError("attention : " + plural(unmatched, "ligne", "lignes") + " de " + analysis +
               (unmatched >= 2 ? " ne correspondent" : " ne correspond") + " \xC3\xA0 aucun candidat du texte");
  StdoutUtf8Writer out;
  out.writeUtf8(line);
  return finishStdout(out);
}

int runGrade(const std::string& exercisePath, const std::vector<std::string>& copies,
             const std::optional<std::string>& tsv, bool detail) {
  auto read = readExerciseFile(exercisePath);
  if (auto* err = std::get_if<FileError>(&read)) return readFailure(*err);
  const GradeLines table = gradeCopies(std::get<Exercise>(read), copies, detail);
  int status = kOk;
  if (tsv) {
    std::string bytes;
    for (const std::string& line : table.lines) {
      bytes += cp1252::fromUtf8(line);
      bytes += "\r\n";
    }
    if (auto err = writeFileAtomically(*tsv, bytes)) status = writeFailure(*err);
  } else {
    StdoutUtf8Writer out;
    for (const std::string& line : table.lines) {
      out.writeUtf8(line);
      out.writeUtf8("\n");
    }
    status = finishStdout(out);
  }
  if (status != kOk) return status;
  return table.everyCopyGraded ? kOk : kFileFailure;
}

}  // namespace varnelio::cli
