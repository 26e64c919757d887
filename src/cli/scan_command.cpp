#include <charconv>
#include <variant>

#include "cli/cli_output.h"
#include "cli/commands.h"
#include "cli/grid_streams.h"
#include "core/analysis/candidate_scan.h"
#include "core/files/analysis_file.h"
#include "core/text/sentence_table.h"
#include "core/text/source_text.h"

namespace varnelio::cli {
namespace {

// Runs the scan of a whole text and hands every candidate, numbered from 1, to
// the sink with its sentence number as decimal text. No grid is built.
template <typename Sink>
void forEachCandidate(std::string_view text, const AnalysisKind& kind, Sink&& sink) {
  std::int64_t count = 0;
  SentenceTable::forEachSentence(text, [&](std::string_view sentence, std::int64_t n) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    const std::string_view number(digits, static_cast<std::size_t>(end - digits));
    Cherchecandidats(sentence, n, kind, [&](std::string_view form, std::int64_t) { sink(++count, number, form); });
  });
}

// Writes the rows of a grid or a scan to the export file, the analysis file, or stdout.
template <typename ForEachRow>
int writeOutputs(const std::optional<std::string>& tsv, const std::optional<std::string>& dat,
                 ForEachRow&& forEachRow) {
  if (!tsv && !dat) {
    StdoutUtf8Writer out;
    SpreadsheetStream sheet(out, /*lfOnly=*/true);
    sheet.header();
    forEachRow([&](std::int64_t number, std::string_view sentence, std::string_view form, std::string_view analysis) {
      sheet.row(number, sentence, form, analysis);
    });
    sheet.finish();
    return finishStdout(out);
  }
  // Both files are filled in the same pass; each replaces its old file only once
  // it is complete, and a failure of one leaves the other's old file too.
  // Both files are filled in the same pass; each replaces its old file only once
  // it is complete, so a failure leaves the old file where it happened.
  bool sheetOk = true;
  bool recordsOk = true;
  auto produce = [&](ChunkWriter* tsvOut, ChunkWriter* datOut) {
    std::optional<SpreadsheetStream> sheet;
    std::optional<AnalysisFileStream> records;
    if (tsvOut) {
      sheet.emplace(*tsvOut, false);
      sheet->header();
    }
    if (datOut) records.emplace(*datOut);
    forEachRow([&](std::int64_t number, std::string_view sentence, std::string_view form, std::string_view analysis) {
      if (sheet) sheet->row(number, sentence, form, analysis);
      if (records) records->row(number, sentence, form, analysis);
    });
    sheetOk = !sheet || sheet->finish();
    recordsOk = !records || records->finish();
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
  if (error) return writeFailure(*error);
  return kOk;
}

}  // namespace

int runScan(const AnalysisKind& kind, const std::string& source, const std::optional<std::string>& tsv,
            const std::optional<std::string>& dat) {
  auto read = readSourceText(source);
  if (auto* err = std::get_if<FileError>(&read)) return readFailure(*err);
  const std::string& text = std::get<std::string>(read);
  return writeOutputs(tsv, dat, [&](auto&& row) {
    forEachCandidate(text, kind, [&](std::int64_t number, std::string_view sentence, std::string_view form) {
      row(number, sentence, form, std::string_view{});
    });
  });
}

int runShow(const std::string& analysis, const std::optional<std::string>& tsv) {
  auto read = readAnalysisFile(analysis);
  if (auto* err = std::get_if<FileError>(&read)) return readFailure(*err);
  const CandidateGrid& grid = std::get<CandidateGrid>(read);
  return writeOutputs(tsv, std::nullopt, [&](auto&& row) {
    for (const CandidateRow& r : grid.rows()) row(r.number, r.sentence, r.form, r.analysis);
  });
}

int runSentence(const std::string& source, const std::string& numberText) {
  std::int64_t n = 0;
  const char* first = numberText.data();
  const char* last = first + numberText.size();
  if (!numberText.empty() && *first == '+') ++first;
  const auto parsed = std::from_chars(first, last, n);
  if (numberText.empty() || parsed.ec != std::errc{} || parsed.ptr != last)
    return usageError("num\xC3\xA9ro de phrase invalide : " + numberText);
  auto read = readSourceText(source);
  if (auto* err = std::get_if<FileError>(&read)) return readFailure(*err);
  const SentenceTable table(std::move(std::get<std::string>(read)));
  const auto sentence = table.sentence(n);
  if (!sentence) {
    if (table.slotCount() == 0)
      return usageError("la phrase " + numberText + " n'existe pas : le texte est vide");
    return usageError("la phrase " + numberText + " est hors de l'intervalle 1 \xC3\xA0 " +
                      std::to_string(table.slotCount()));
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
