// SPDX-License-Identifier: GPL-3.0-or-later
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

  // Cuts the text during a pass of the caller's own over it, so that a large text is
  // read once for both: pass(text, sentences, sentenceEnd) is given the text and its
  // number of sentences N, and calls sentenceEnd(offset) just past each "." of the
  // text, in order.
  template <typename Pass>
  static SentenceTable cutDuring(std::string text, Pass&& pass);

  // L: the number of slots, the length of the text.
  std::size_t slotCount() const { return text().size(); }
  // N: the number of sentences, the number of "." in the text.
  std::size_t sentenceCount() const { return data_ ? data_->ends.size() : 0; }
  // Slot n: the sentence for 1..N, an empty text for N+1..L, nothing otherwise.
  std::optional<std::string_view> sentence(std::int64_t n) const;
  const std::string& text() const;

  // N, counted without cutting.
  static std::size_t countSentences(std::string_view text);
  // Cuts without keeping a table: calls the sink for every sentence and returns N.
  static std::size_t forEachSentence(std::string_view text, const SentenceSink& sink);

 private:
  // Offsets just past each sentence's ".": 32 bits each for a text below 4 GiB,
  // which halves the table of a library's half million sentences.
  class Ends {
   public:
    explicit Ends(std::size_t textSize) : wide_(textSize > 0xFFFFFFFFu) {}
    void reserve(std::size_t n) {
      if (wide_) wideEnds_.reserve(n);
      else ends_.reserve(n);
    }
    void push_back(std::size_t end) {
      if (wide_) wideEnds_.push_back(end);
      else ends_.push_back(static_cast<std::uint32_t>(end));
    }
    std::size_t size() const { return wide_ ? wideEnds_.size() : ends_.size(); }
    std::size_t at(std::size_t i) const { return wide_ ? wideEnds_[i] : ends_[i]; }

   private:
    bool wide_;
    std::vector<std::uint32_t> ends_;
    std::vector<std::size_t> wideEnds_;
  };
  struct Data {
    explicit Data(std::string t) : text(std::move(t)), ends(text.size()) {}
    std::string text;
    Ends ends;
  };
  std::shared_ptr<const Data> data_;
};

template <typename Pass>
SentenceTable SentenceTable::cutDuring(std::string text, Pass&& pass) {
  auto data = std::make_shared<Data>(std::move(text));
  const std::size_t sentences = countSentences(data->text);
  // Sized once: the table of a library never holds two buffers at once.
  data->ends.reserve(sentences);
  Ends& ends = data->ends;
  pass(std::string_view(data->text), sentences, [&ends](std::size_t end) { ends.push_back(end); });
  SentenceTable table;
  table.data_ = std::move(data);
  return table;
}

// A sentence number as the grid and the command line hold it: a decimal integer,
// with an optional "+" and blanks around (a reopened file pads its field); nothing
// when the text is no such number. Whether the sentence exists is the table's say.
std::optional<std::int64_t> parseSentenceNumber(std::string_view text);

}  // namespace varnelio
