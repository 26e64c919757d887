// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of varnelio-cli. Each returns the process exit code (cli_output.h).
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/analysis_kind.h"

namespace varnelio::cli {

// A new analysis of SOURCE for the kind: export to tsv, analysis file to dat, or
// the export's lines on stdout when neither is given. The source is read in pieces
// of pieceSize bytes (decimal text; one mebibyte when not given).
// With suggest, the analysis column holds the pre-analysis's label of each
// candidate judged a noun of the kind, two more columns its confidence and level,
// and with drop the "faux" are left out; the analyser, the tagger and the judge
// are read from dataDir.
struct SuggestOptions {
  bool drop = false;
  std::string dataDir;
};
int runScan(const AnalysisKind& kind, const std::string& source, const std::optional<std::string>& tsv,
            const std::optional<std::string>& dat, const std::optional<std::string>& pieceSize = std::nullopt,
            const std::optional<SuggestOptions>& suggest = std::nullopt);
// An existing analysis file read into the grid, then exported like runScan.
int runShow(const std::string& analysis, const std::optional<std::string>& tsv);
// Sentence n of SOURCE (numberText as typed on the command line).
int runSentence(const std::string& source, const std::string& numberText);
int runLabels(const AnalysisKind& kind);

enum class Dictionary { Lemmas, Forms };
struct DictionaryQuery {
  Dictionary dictionary;
  std::optional<std::string> dictPath;  // the installed file when absent
  std::optional<char> letter;           // a lower-case letter a..z
  std::string text;                     // UTF-8, used when there is no letter
};
int runDictionary(const DictionaryQuery& query, const std::string& installedDataDir);

// Every word of SOURCE with its analyses, one line each: number, form, lemma,
// translation, category, case-gender-number, mood-tense-voice.
int runAnalyse(const std::string& source, const std::optional<std::string>& analyserPath,
               const std::string& installedDataDir);

// An exercise (.exo) made from SOURCE and a teacher's analysis file: its rows are
// matched to the scan's candidates by sentence and form, in order. A summary of
// the key goes to stdout.
int runMakeExercise(const AnalysisKind& kind, const std::string& source, const std::string& analysis,
                    const std::string& exercise);
// Grades each analysis file against the exercise: a table, one line a copy (and
// with detail its wrong rows under it), on stdout in UTF-8 or into tsv in
// Windows-1252 with CR LF. A copy that cannot be graded has its message on its
// line, and the others are still graded; the exit code is then kFileFailure.
int runGrade(const std::string& exercise, const std::vector<std::string>& copies,
             const std::optional<std::string>& tsv, bool detail);

}  // namespace varnelio::cli
