// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <charconv>
#include <cmath>
#include <variant>

#include "cli/cli_output.h"
#include "cli/commands.h"
#include "core/analysis/candidate_scan.h"
#include "core/analysis/analysis_file.h"
#include "core/morphology/pre_analysis.h"
#include "core/reports/spreadsheet_export.h"
#include "core/text/cp1252.h"
#include "core/text/french_count.h"
#include "core/text/sentence_table.h"
#include "core/files/source_stream.h"
#include "core/files/source_file.h"

namespace varnelio::cli {
namespace {

// The pre-analysis of the candidates while they are scanned: each gets its
// proposed label, its confidence and its level, and with `drop` those judged
// "faux" are left out.
struct Suggesting {
  PreAnalyser* judge;
  bool drop;
  // The levels' names as the rows are written (Windows-1252), by level.
  std::array<std::string, 4> levelNames;
};

// Scans a source file as it is read, piece by piece, and hands every candidate,
// numbered from 1, to the sink with its sentence number as decimal text and its
// analysis (empty, or the proposed label when suggesting). Neither the text nor a
// grid is held: memory does not grow with the text.
template <typename Sink>
std::variant<std::size_t, FileError> forEachCandidate(const std::string& source, std::size_t pieceSize,
                                                      const AnalysisKind& kind, const Suggesting* suggesting,
                                                      Sink&& sink) {
  std::int64_t count = 0;
  if (!suggesting) {
    // The plain scan goes through each run of sentences at once.
    return forEachSourceRun(
        source,
        [&](std::string_view sentences, std::int64_t n) {
          char digits[24];
          auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
          scanSentences(
              sentences, kind,
              [&](std::string_view form) {
                sink(++count, std::string_view(digits, static_cast<std::size_t>(end - digits)), form,
                     std::string_view{});
              },
              [&](std::size_t) { end = std::to_chars(digits, digits + sizeof digits, ++n).ptr; });
        },
        pieceSize);
  }
  std::vector<CandidateJudgement> judged;
  return forEachSourceSentence(
      source,
      [&](std::string_view sentence, std::int64_t n) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
        const std::string_view number(digits, static_cast<std::size_t>(end - digits));
        suggesting->judge->judgeSentence(sentence, kind, judged);
        for (const CandidateJudgement& j : judged)
          if (!suggesting->drop || j.level != JudgementLevel::False)
            sink(++count, number, j.form, std::string_view(j.label), static_cast<int>(std::lround(100 * j.probability)),
                 std::string_view(suggesting->levelNames[static_cast<std::size_t>(j.level)]));
      },
      pieceSize);
}

// Writes the rows of a grid or a scan to the export file, the analysis file, or
// stdout. forEachRow returns false when the rows could not all be produced (the
// source failed while read): then no file is replaced, and the caller says why.
template <typename ForEachRow>
int writeOutputs(const std::optional<std::string>& tsv, const std::optional<std::string>& dat,
                 ForEachRow&& forEachRow, bool withConfidence = false) {
  const std::string_view extra = withConfidence ? std::string_view("Confiance\tNiveau") : std::string_view();
  if (!tsv && !dat) {
    StdoutUtf8Writer out;
    SpreadsheetWriter sheet(out, SpreadsheetWriter::LineEnd::Lf);
    sheet.header(extra);
    const bool rowsOk = forEachRow([&](std::int64_t number, std::string_view sentence, std::string_view form,
                                       std::string_view analysis, int confidence = -1, std::string_view level = {}) {
      sheet.row(number, sentence, form, analysis, confidence, level);
    });
    sheet.finish();
    const int written = finishStdout(out);
    return rowsOk ? written : kFileFailure;
  }
  // Both files are filled in the same pass; each replaces its old file only once
  // it is complete, so a failure leaves the old file where it happened.
  bool sheetOk = true;
  bool recordsOk = true;
  bool rowsOk = true;
  auto produce = [&](ChunkWriter* tsvOut, ChunkWriter* datOut) {
    std::optional<SpreadsheetWriter> sheet;
    std::optional<AnalysisFileWriter> records;
    if (tsvOut) {
      sheet.emplace(*tsvOut);
      sheet->header(extra);
    }
    if (datOut) records.emplace(*datOut);
    rowsOk = forEachRow(
        [&](std::int64_t number, std::string_view sentence, std::string_view form, std::string_view analysis,
            int confidence = -1, std::string_view level = {}) {
          if (sheet) sheet->row(number, sentence, form, analysis, confidence, level);
          if (records) records->row(number, sentence, form, analysis);
        });
    sheetOk = rowsOk && (!sheet || sheet->finish());
    recordsOk = rowsOk && (!records || records->finish());
  };
  std::optional<FileError> error;
  if (tsv && dat) {
    std::optional<FileError> datError;
    error = writeFileAtomically(*tsv, [&](ChunkWriter& t) {
      datError = writeFileAtomically(*dat, [&](ChunkWriter& d) {
        produce(&t, &d);
        return recordsOk;
      });
      return sheetOk && !datError;
    });
    if (!rowsOk) return kFileFailure;
    if (datError) return writeFailure(*datError);
  } else if (tsv) {
    error = writeFileAtomically(*tsv, [&](ChunkWriter& t) {
      produce(&t, nullptr);
      return sheetOk;
    });
  } else {
    error = writeFileAtomically(*dat, [&](ChunkWriter& d) {
      produce(nullptr, &d);
      return recordsOk;
    });
  }
  if (!rowsOk) return kFileFailure;
  if (error) return writeFailure(*error);
  return kOk;
}

}  // namespace

int runScan(const AnalysisKind& kind, const std::string& source, const std::optional<std::string>& tsv,
            const std::optional<std::string>& dat, const std::optional<std::string>& pieceText,
            const std::optional<SuggestOptions>& suggest) {
  std::size_t pieceSize = SourceStream::kDefaultPieceSize;
  if (pieceText) {
    const char* last = pieceText->data() + pieceText->size();
    const auto parsed = std::from_chars(pieceText->data(), last, pieceSize);
    // Up to 1 GiB: a piece is held in memory twice (read, and the sentence it ends).
    if (pieceText->empty() || parsed.ec != std::errc{} || parsed.ptr != last || pieceSize == 0 ||
        pieceSize > (std::size_t{1} << 30))
      return usageError("taille de morceau invalide : " + *pieceText);
  }
  // The source must open before any output file is touched.
  if (auto unreadable = checkReadableFile(source)) return readFailure(*unreadable);
  LatinData data(suggest ? suggest->dataDir : std::string());
  std::optional<PreAnalyser> judge;
  std::optional<Suggesting> suggesting;
  if (suggest) {
    const auto& tagger = data.tagger();
    if (const auto* problem = std::get_if<LatinDataProblem>(&tagger)) return latinDataFailure(*problem);
    const auto& nounJudge = data.judge();
    if (const auto* problem = std::get_if<LatinDataProblem>(&nounJudge)) return latinDataFailure(*problem);
    judge.emplace(*std::get<std::shared_ptr<const LatinAnalyser>>(data.analyser()),
                  *std::get<std::shared_ptr<const ContextualTagger>>(tagger),
                  *std::get<std::shared_ptr<const NounJudge>>(nounJudge));
    suggesting = Suggesting{&*judge, suggest->drop, {}};
    for (const JudgementLevel level :
         {JudgementLevel::False, JudgementLevel::Doubtful, JudgementLevel::Probable, JudgementLevel::Sure})
      suggesting->levelNames[static_cast<std::size_t>(level)] = cp1252::fromUtf8(levelName(level));
  }
  std::optional<FileError> readError;
  const int written = writeOutputs(tsv, dat, [&](auto&& row) {
    auto scanned = forEachCandidate(source, pieceSize, kind, suggesting ? &*suggesting : nullptr, row);
    if (auto* err = std::get_if<FileError>(&scanned)) readError = *err;
    return !readError;
  }, suggest.has_value());
  if (readError) return readFailure(*readError);
  return written;
}

int runShow(const std::string& analysis, const std::optional<std::string>& tsv) {
  auto read = readAnalysisFile(analysis);
  if (auto* err = std::get_if<FileError>(&read)) return readFailure(*err);
  const CandidateGrid& grid = std::get<CandidateGrid>(read);
  return writeOutputs(tsv, std::nullopt, [&](auto&& row) {
    grid.forEachRow(row);
    return true;
  });
}

int runSentence(const std::string& source, const std::string& numberText) {
  const std::optional<std::int64_t> parsed = parseSentenceNumber(numberText);
  if (!parsed) return usageError("num\xC3\xA9ro de phrase invalide : " + numberText);
  const std::int64_t n = *parsed;
  auto read = readSourceText(source);
  if (auto* err = std::get_if<FileError>(&read)) return readFailure(*err);
  const SentenceTable table(std::move(std::get<std::string>(read)));
  const auto sentence = table.sentence(n);
  if (!sentence) {
    if (table.slotCount() == 0)
      return usageError("la phrase " + numberText + " n'existe pas : le texte est vide");
    return usageError("la phrase " + numberText + " est hors de l'intervalle 1 \xC3\xA0 " +
                      frenchCount(static_cast<std::uint64_t>(table.slotCount())));
  }
  StdoutUtf8Writer out;
  out.write(*sentence);
  out.write("\n");
  return finishStdout(out);
}

int runLabels(const AnalysisKind& kind) {
  StdoutUtf8Writer out;
  for (int d = 1; d <= 5; ++d) {
    out.write(analysisLabel(kind, d));
    out.write("\n");
  }
  return finishStdout(out);
}

}  // namespace varnelio::cli
