// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The candidate scan: every word of a sentence that passes the kind's ending test
// becomes a candidate, in text order, with the number of its sentence.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/analysis/analysis_kind.h"
#include "core/analysis/candidate_grid.h"
#include "core/text/sentence_table.h"

namespace varnelio {

using CandidateSink = std::function<void(std::string_view form, std::int64_t sentenceNumber)>;

// scanCandidates: scans one sentence (which ends with ".") word by word. Words
// are those of the one word cutter (core/text/text_words.h), each ended by a
// non-letter inside the sentence; each that is a candidate of the kind is handed
// to the sink.
template <typename Sink>
void scanCandidates(std::string_view sentence, std::int64_t sentenceNumber, const AnalysisKind& kind,
                    Sink&& sink);

// scanSentences: scans sentences that follow one another (a text that ends with its
// last "."), as scanCandidates scans each, in one pass: calls sink(form) for each
// candidate and sentenceEnd(offset) just past each ".", in text order. A whole
// library is cut into sentences and scanned at once, without a call per sentence.
template <typename Sink, typename SentenceEnd>
void scanSentences(std::string_view sentences, const AnalysisKind& kind, Sink&& sink, SentenceEnd&& sentenceEnd);

// The same pass when only the counts matter: calls sentenceEnd(offset, candidates)
// just past each ".", with the number of candidates before it, and returns the
// number of candidates of the text. No word is looked at one by one.
template <typename SentenceEnd>
std::uint64_t countSentenceCandidates(std::string_view sentences, const AnalysisKind& kind,
                                      SentenceEnd&& sentenceEnd);

// Cuts the whole text into sentences and scans each one as it is complete, in one
// pass. Returns the number of sentences.
std::size_t scanText(std::string_view text, const AnalysisKind& kind, const CandidateSink& sink);

// The new analysis of a text: cuts it into its sentence table and, in the same
// pass, fills the grid with its candidates (the grid is cleared first). The rows
// are spans of the table's text, which the grid shares; the text is never copied.
SentenceTable cutAndScan(std::string text, const AnalysisKind& kind, CandidateGrid& grid);

// Fills the grid with the candidates of a text (the grid is cleared first and
// keeps a copy of the text).
void scanIntoGrid(std::string_view text, const AnalysisKind& kind, CandidateGrid& grid);

}  // namespace varnelio

#include "core/analysis/candidate_scan_impl.h"
