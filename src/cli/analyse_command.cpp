// SPDX-License-Identifier: GPL-3.0-or-later
#include <charconv>
#include <variant>
#include <vector>

#include "cli/cli_output.h"
#include "cli/commands.h"
#include "core/morphology/latin_data.h"
#include "core/text/text_words.h"
#include "core/files/source_file.h"

namespace varnelio::cli {

int runAnalyse(const std::string& source, const std::optional<std::string>& analyserPath,
               const std::string& installedDataDir) {
  auto read = readSourceText(source);
  if (auto* err = std::get_if<FileError>(&read)) return readFailure(*err);
  const std::string path =
      analyserPath ? *analyserPath : installedDataDir + "/" + std::string(LatinAnalyser::kFileName);
  const auto loaded = loadAnalyser(path);
  if (const auto* problem = std::get_if<LatinDataProblem>(&loaded)) return latinDataFailure(*problem);
  const LatinAnalyser& analyser = *std::get<std::shared_ptr<const LatinAnalyser>>(loaded);
  StdoutUtf8Writer out;
  std::vector<Analysis> analyses;
  std::int64_t number = 0;
  char digits[24];
  forEachWord(std::get<std::string>(read), [&](std::string_view word, std::string_view) {
    const auto end = std::to_chars(digits, digits + sizeof digits, ++number).ptr;
    const std::string_view n(digits, static_cast<std::size_t>(end - digits));
    analyser.analyse(word, analyses);
    if (analyses.empty()) {
      out.write(n);
      out.write("\t");
      out.write(word);
      out.write("\t\t\t\t\t\n");
      return;
    }
    for (const Analysis& a : analyses) {
      const AnalysisText t = analyser.describe(a, word);
      out.write(n);
      for (const std::string_view cell :
           {word, std::string_view(t.lemma), std::string_view(t.translation), std::string_view(t.category),
            std::string_view(t.caseGenderNumber), std::string_view(t.moodTenseVoice)}) {
        out.write("\t");
        out.write(cell);
      }
      out.write("\n");
    }
  });
  return finishStdout(out);
}

}  // namespace varnelio::cli
