#pragma once
// Inline part of the candidate scan: the word loop runs once per character of a
// whole book, so it is a template the compiler can inline into its caller.
#include "core/text/cp1252.h"

namespace varnelio {

template <typename Sink>
void Cherchecandidats(std::string_view sentence, std::int64_t sentenceNumber, const AnalysisKind& kind,
                      Sink&& sink) {
  const char* p = sentence.data();
  const char* const end = p + sentence.size();
  while (p < end) {
    while (p < end && !cp1252::isLetter(static_cast<unsigned char>(*p))) ++p;
    const char* wordStart = p;
    while (p < end && cp1252::isLetter(static_cast<unsigned char>(*p))) ++p;
    // A word counts only once a non-letter has ended it; a sentence always ends
    // with ".", so only a run reaching the very end of the input is left out.
    if (p == wordStart || p == end) continue;
    const std::string_view word(wordStart, static_cast<std::size_t>(p - wordStart));
    if (isCandidate(word, kind)) sink(word, sentenceNumber);
  }
}

}  // namespace varnelio
