// SPDX-License-Identifier: GPL-3.0-or-later
// The source text as any bytes a user may bring: decoding, the cut into sentences
// and the candidate scan of every kind, each checked against a plain re-statement
// of its rule.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "check.h"
#include "core/analysis/analysis_kind.h"
#include "core/analysis/candidate_grid.h"
#include "core/analysis/candidate_scan.h"
#include "core/text/cp1252.h"
#include "core/text/sentence_table.h"
#include "core/text/source_text.h"
#include "core/text/text_words.h"

using namespace varnelio;

namespace {

// The endings of each kind, in menu order, restated here rather than read from the
// kinds table, so that a slip in either shows up.
const std::vector<std::vector<std::string_view>> kEndings = {
    {"us", "um", "es", "is", "en", "a", "e"},                          // nominative singular
    {"ae", "es", "us", "ia", "a", "i"},                                // nominative plural
    {"am", "um", "em", "en", "amque", "umque", "emque", "enque"},      // accusative singular
    {"as", "os", "es", "us", "ia", "a"},                               // accusative plural
    {"ae", "is", "us", "ei", "i"},                                     // genitive singular
    {"arum", "orum", "erum", "uum", "ium", "um"},                      // genitive plural
    {"ae", "ui", "ei", "i", "o"},                                      // dative singular
    {"is", "ibus", "ebus"},                                            // dative plural
    {"a", "u", "i", "e", "o"},                                         // ablative singular
    {"is", "ibus", "ebus"},                                            // ablative plural
};

bool letter(unsigned char c) {
  return (c >= 65 && c <= 90) || (c >= 97 && c <= 122) || (c >= 192 && c <= 214) || (c >= 216 && c <= 246) ||
         c >= 248;
}

bool endsWithOneOf(std::string_view w, const std::vector<std::string_view>& endings) {
  for (std::string_view e : endings) {
    const std::string_view tail = w.size() < e.size() ? w : w.substr(w.size() - e.size());
    if (tail == e) return true;
  }
  return false;
}

// The scan of one sentence, character by character: a letter extends the word, any
// other character ends it and tests it.
void referenceScan(std::string_view s, std::int64_t n, const std::vector<std::string_view>& endings,
                   std::vector<std::pair<std::string, std::int64_t>>& out) {
  std::string w;
  for (unsigned char c : s) {
    if (letter(c)) {
      w.push_back(static_cast<char>(c));
    } else if (!w.empty()) {
      if (endsWithOneOf(w, endings)) out.emplace_back(w, n);
      w.clear();
    }
  }
}

// The words of a text, character by character: a letter extends the word, any
// other character ends it; the text's end ends the last.
std::vector<std::string> referenceWords(std::string_view s) {
  std::vector<std::string> out(1);
  for (unsigned char c : s) {
    if (letter(c)) out.back().push_back(static_cast<char>(c));
    else if (!out.back().empty()) out.emplace_back();
  }
  if (out.back().empty()) out.pop_back();
  return out;
}

// The one word cutter: the same words; the gaps and the words, joined, are the
// text up to its last letter.
void checkWordCut(std::string_view text) {
  std::vector<std::string> words;
  std::string joined;
  forEachWord(text, [&](std::string_view word, std::string_view gap) {
    FUZZ_CHECK(gap.data() + gap.size() == word.data());
    for (unsigned char c : gap) FUZZ_CHECK(!letter(c));
    joined.append(gap).append(word);
    words.emplace_back(word);
  });
  FUZZ_CHECK(words == referenceWords(text));
  FUZZ_CHECK(std::string_view(joined) == text.substr(0, joined.size()));
}

void checkDecoding(const std::string& bytes, const std::string& text) {
  const bool bom = bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
  if (!bom && !cp1252::hasHighBytes(bytes)) {
    FUZZ_CHECK(text == bytes);
  } else if (!cp1252::isValidUtf8(bytes)) {
    FUZZ_CHECK(text == bytes);  // not UTF-8: taken byte for byte
  } else {
    FUZZ_CHECK(text == cp1252::fromUtf8(std::string_view(bytes).substr(bom ? 3 : 0)));
    FUZZ_CHECK(text.size() <= bytes.size());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string decoded = decodeSourceBytes(bytes);
  checkDecoding(bytes, decoded);

  // The cut and the scan work on the text as decoded, and on the raw bytes too (a
  // text that is not UTF-8 is the same either way).
  for (const std::string* textPtr : {&decoded, &bytes}) {
    const std::string& text = *textPtr;
    if (textPtr == &bytes && decoded == bytes) break;
    checkWordCut(text);

    // Sentences: handed over in order 1, 2, 3...; each ends with its only "."; joined
    // they give back the text up to and including its last ".".
    std::vector<std::string> handed;
    SentenceTable table(text, [&](std::string_view s, std::int64_t n) {
      FUZZ_CHECK(n == static_cast<std::int64_t>(handed.size()) + 1);
      FUZZ_CHECK(!s.empty() && s.back() == '.');
      FUZZ_CHECK(s.find('.') == s.size() - 1);
      handed.emplace_back(s);
    });
    std::size_t dots = 0;
    for (char c : text) dots += c == '.';
    FUZZ_CHECK(table.sentenceCount() == dots);
    FUZZ_CHECK(handed.size() == dots);
    FUZZ_CHECK(table.slotCount() == text.size());
    std::string joined;
    for (const auto& s : handed) joined += s;
    const std::size_t lastDot = text.rfind('.');
    FUZZ_CHECK(joined == (lastDot == std::string::npos ? std::string() : text.substr(0, lastDot + 1)));
    for (std::size_t n = 1; n <= dots; ++n) {
      const auto slot = table.sentence(static_cast<std::int64_t>(n));
      FUZZ_CHECK(slot && *slot == handed[n - 1]);
    }
    const auto L = static_cast<std::int64_t>(text.size());
    for (std::int64_t n : {static_cast<std::int64_t>(dots) + 1, L}) {
      if (n > static_cast<std::int64_t>(dots) && n <= L) {
        const auto slot = table.sentence(n);
        FUZZ_CHECK(slot && slot->empty());
      }
    }
    for (std::int64_t n : {std::int64_t{0}, std::int64_t{-1}, L + 1, std::numeric_limits<std::int64_t>::min(),
                           std::numeric_limits<std::int64_t>::max()})
      FUZZ_CHECK(!table.sentence(n));
    FUZZ_CHECK(SentenceTable::forEachSentence(text, {}) == dots);

    // Candidates of every kind: exactly the words that the character-by-character
    // rule finds, each a maximal run of letters inside its sentence, ended by a
    // non-letter, passing the kind's ending test.
    for (int k = 0; k < kKindCount; ++k) {
      const AnalysisKind& kind = analysisKinds()[static_cast<std::size_t>(k)];
      std::vector<std::pair<std::string, std::int64_t>> expected;
      for (std::size_t n = 1; n <= handed.size(); ++n)
        referenceScan(handed[n - 1], static_cast<std::int64_t>(n), kEndings[static_cast<std::size_t>(k)], expected);

      std::vector<std::pair<std::string, std::int64_t>> found;
      const std::size_t counted = scanText(text, kind, [&](std::string_view form, std::int64_t n) {
        FUZZ_CHECK(n >= 1 && static_cast<std::size_t>(n) <= handed.size());
        FUZZ_CHECK(form.data() >= text.data() && form.data() + form.size() <= text.data() + text.size());
        const auto begin = static_cast<std::size_t>(form.data() - text.data());
        const std::size_t end = begin + form.size();
        FUZZ_CHECK(!form.empty());
        for (unsigned char c : form) FUZZ_CHECK(letter(c));
        FUZZ_CHECK(begin == 0 || !letter(static_cast<unsigned char>(text[begin - 1])));
        FUZZ_CHECK(end < text.size() && !letter(static_cast<unsigned char>(text[end])));
        FUZZ_CHECK(end <= lastDot);  // never after the last "."
        FUZZ_CHECK(isCandidate(form, kind));
        FUZZ_CHECK(endsWithOneOf(form, kEndings[static_cast<std::size_t>(k)]));
        found.emplace_back(std::string(form), n);
      });
      FUZZ_CHECK(counted == dots);
      FUZZ_CHECK(found == expected);
      // The scan's fast loop finds the candidates among the words of the one cutter.
      std::vector<std::pair<std::string, std::int64_t>> cut;
      for (std::size_t n = 1; n <= handed.size(); ++n)
        forEachWord(handed[n - 1], [&](std::string_view word, std::string_view) {
          if (isCandidate(word, kind)) cut.emplace_back(std::string(word), static_cast<std::int64_t>(n));
        });
      FUZZ_CHECK(found == cut);

      CandidateGrid grid;
      grid.appendCandidate("stale", 99);  // the scan starts from an empty grid
      // The table cut during the scan is the table cut alone.
      const SentenceTable scanned = cutAndScan(text, kind, grid);
      FUZZ_CHECK(scanned.sentenceCount() == dots && scanned.slotCount() == text.size());
      for (std::size_t n = 1; n <= dots; ++n)
        FUZZ_CHECK(scanned.sentence(static_cast<std::int64_t>(n)) == table.sentence(static_cast<std::int64_t>(n)));
      FUZZ_CHECK(grid.candidateCount() == expected.size());
      for (std::size_t r = 1; r <= grid.candidateCount(); ++r) {
        const CandidateRow& row = grid.row(r);
        FUZZ_CHECK(row.number == static_cast<std::int64_t>(r));
        FUZZ_CHECK(grid.cellText(r, 0) == std::to_string(r));
        FUZZ_CHECK(row.sentence == std::to_string(expected[r - 1].second));
        FUZZ_CHECK(row.form == expected[r - 1].first);
        FUZZ_CHECK(row.analysis.empty());
      }

      // Edits of the scanned grid, which holds no row, against the same edits of
      // the rows given as texts: the rows and their pass in order agree.
      CandidateGrid texts;
      for (const auto& [form, n] : expected) texts.appendCandidate(form, n);
      for (std::size_t step = 0; step < 6 && !texts.empty(); ++step) {
        const std::size_t r = 1 + (static_cast<std::size_t>(data[step % size]) * 7919 + step) % texts.candidateCount();
        if (step % 2) {
          grid.deleteRow(r);
          texts.deleteRow(r);
        } else {
          grid.validate(r, "a ");
          texts.validate(r, "a ");
        }
      }
      FUZZ_CHECK(grid.candidateCount() == texts.candidateCount());
      for (std::size_t r = 1; r <= grid.candidateCount(); ++r) {
        const CandidateRow a = grid.row(r), b = texts.row(r);
        FUZZ_CHECK(a.number == b.number && a.sentence == b.sentence && a.form == b.form);
        FUZZ_CHECK(a.analysis == b.analysis && a.analysisAlignedTopLeft == b.analysisAlignedTopLeft);
      }
      std::vector<std::string> visited;
      grid.forEachRow([&](std::int64_t number, std::string_view sentence, std::string_view form,
                          std::string_view analysis) {
        visited.push_back(std::to_string(number) + '|' + std::string(sentence) + '|' + std::string(form) + '|' +
                          std::string(analysis));
      });
      FUZZ_CHECK(visited.size() == texts.candidateCount());
      for (std::size_t r = 1; r <= visited.size(); ++r)
        FUZZ_CHECK(visited[r - 1] == texts.cellText(r, 0) + '|' + texts.cellText(r, 1) + '|' + texts.cellText(r, 2) +
                                         '|' + texts.cellText(r, 3));
    }
  }
  return 0;
}
