// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Inline part of the candidate scan: the word loop runs once per character of a
// whole book, so it is a template the compiler can inline into its caller.
#include "core/text/cp1252.h"

namespace varnelio {

// Words are the maximal runs of letters, each ended by the non-letter after it
// (a sentence ends with ".", so every word of it is ended inside it). Rather than
// cutting every word, the loop looks for the places where a word ends on a letter
// that can end one of the kind's endings, without a branch per character, and
// only there walks back to the word's start. The words tested, and their order,
// are those of a cut character by character; each character is walked back over
// at most once, since words do not overlap.
template <typename Sink>
void scanCandidates(std::string_view sentence, std::int64_t sentenceNumber, const AnalysisKind& kind,
                    Sink&& sink) {
  const auto* s = reinterpret_cast<const unsigned char*>(sentence.data());
  const std::size_t size = sentence.size();
  const unsigned char* last = endingLastLetters(kind).data();
  const bool* letter = cp1252::detail::kLetters.letter;
  for (std::size_t i = 0; i + 1 < size; ++i) {
    if (last[s[i]] & static_cast<unsigned char>(!letter[s[i + 1]])) {
      std::size_t begin = i;
      while (begin > 0 && letter[s[begin - 1]]) --begin;
      const std::string_view word(sentence.data() + begin, i + 1 - begin);
      if (isCandidate(word, kind)) sink(word, sentenceNumber);
    }
  }
}

}  // namespace varnelio
