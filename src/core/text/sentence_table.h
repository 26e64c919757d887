#pragma once
// The text cut into numbered sentences. A sentence runs from just after the
// previous "." to its own "." included; only "." ends one. Characters after the
// last "." belong to no sentence. The table has as many slots as the text has
// characters: slots 1..N hold the sentences, N+1..L are empty, and any other
// number is an error for the caller.
//
// The table never changes once cut, so copies share one text: the analysis
// window and the rows of its grid (spans of that text) hold the same bytes.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnelio {

class SentenceTable {
 public:
  using SentenceSink = std::function<void(std::string_view sentence, std::int64_t number)>;

  SentenceTable() = default;
  // Cuts the text in one pass. The sink, when given, receives each sentence with
  // its number the moment it is complete, so a scan can run sentence by sentence.
  explicit SentenceTable(std::string text, const SentenceSink& sink = {});

  // L: the number of slots, the length of the text.
  std::size_t slotCount() const { return text().size(); }
  // N: the number of sentences, the number of "." in the text.
  std::size_t sentenceCount() const { return data_ ? data_->ends.size() : 0; }
  // Slot n: the sentence for 1..N, an empty text for N+1..L, nothing otherwise.
  std::optional<std::string_view> sentence(std::int64_t n) const;
  const std::string& text() const;
  // The number of the sentence holding the character at offset, 0 when the offset
  // lies after the last ".". Logarithmic in N.
  std::int64_t sentenceNumberAt(std::size_t offset) const;
  // Offset just past the "." of sentence n (1..N).
  std::size_t sentenceEnd(std::int64_t n) const { return data_->ends[static_cast<std::size_t>(n - 1)]; }

  // Cuts without keeping a table: calls the sink for every sentence and returns N.
  static std::size_t forEachSentence(std::string_view text, const SentenceSink& sink);

 private:
  struct Data {
    std::string text;
    std::vector<std::size_t> ends;  // offset just past each sentence's "."
  };
  std::shared_ptr<const Data> data_;
};

}  // namespace varnelio
