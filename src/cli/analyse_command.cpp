// SPDX-License-Identifier: GPL-3.0-or-later
#include <charconv>
#include <variant>
#include <vector>

#include "cli/cli_output.h"
#include "cli/commands.h"
#include "core/morphology/latin_data.h"
#include "core/morphology/latin_spelling.h"
#include "core/text/text_words.h"
#include "core/files/source_file.h"

namespace varnelio::cli {

namespace {

// Whether a word is the first of its sentence, from the gap before it: nothing but
// blanks and punctuation between it and the start of the text or the ".", "!" or
// "?" before it.
bool startsSentence(std::string_view text, std::string_view gap) {
  for (std::size_t k = gap.size(); k > 0; --k) {
    const auto c = static_cast<unsigned char>(gap[k - 1]);
    if (c == '.' || c == '!' || c == '?') return true;
    if (c >= '0' && c <= '9') return false;
  }
  return gap.data() == text.data();  // the text's first word
}

}  // namespace

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
  const std::string& text = std::get<std::string>(read);
  const auto smallNumerals = latin::writesLinesInCapitals(text) ? LatinAnalyser::SmallNumerals::Ignored
                                                                : LatinAnalyser::SmallNumerals::Read;
  forEachWord(text, [&](std::string_view word, std::string_view gap) {
    const auto end = std::to_chars(digits, digits + sizeof digits, ++number).ptr;
    const std::string_view n(digits, static_cast<std::size_t>(end - digits));
    analyser.analyse(word, analyses, smallNumerals);
    // An unknown word with a capital inside a sentence is taken for a name.
    if (analyses.empty() && !startsSentence(text, gap))
      analyser.guessNames(word, analyses);
    analyser.likeliestFirst(analyses);
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
