// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exercise/exercise.h"

#include <algorithm>
#include <unordered_map>

#include "core/analysis/analysis_record.h"
#include "core/analysis/candidate_scan.h"
#include "core/text/trim.h"

namespace varnelio {

// ---- The key ----

void ExerciseKey::add(Expected expected, int declension, std::string_view teacherText) {
  const auto candidate = static_cast<std::uint32_t>(codes_.size());
  std::uint8_t code = 0;
  if (expected == Expected::NotOne) code = 1;
  if (expected == Expected::Noun) code = static_cast<std::uint8_t>(1 + std::clamp(declension, 1, 5));
  codes_.push_back(code);
  if (teacherText.empty()) return;
  textCandidates_.push_back(candidate);
  texts_.append(teacherText);
  textEnds_.push_back(static_cast<std::uint32_t>(texts_.size()));
}

Expected ExerciseKey::expected(std::size_t candidate) const {
  const std::uint8_t code = codes_[candidate];
  return code == 0 ? Expected::NotGraded : code == 1 ? Expected::NotOne : Expected::Noun;
}

int ExerciseKey::declension(std::size_t candidate) const {
  const std::uint8_t code = codes_[candidate];
  return code >= 2 ? code - 1 : 0;
}

std::string_view ExerciseKey::teacherText(std::size_t candidate) const {
  const auto it = std::lower_bound(textCandidates_.begin(), textCandidates_.end(), candidate);
  if (it == textCandidates_.end() || *it != candidate) return {};
  const auto i = static_cast<std::size_t>(it - textCandidates_.begin());
  const std::uint32_t begin = i ? textEnds_[i - 1] : 0;
  return std::string_view(texts_).substr(begin, textEnds_[i] - begin);
}

std::size_t ExerciseKey::notGradedCount() const {
  return static_cast<std::size_t>(std::count(codes_.begin(), codes_.end(), std::uint8_t{0}));
}

// ---- The exercise ----

Exercise::Exercise(SentenceTable text, KindId kind) : text_(std::move(text)), kind_(kind) {
  const AnalysisKind& k = analysisKind(kind);
  firstCandidate_.reserve(text_.sentenceCount() + 1);
  std::uint64_t count = 0;
  for (std::size_t n = 1; n <= text_.sentenceCount(); ++n) {
    scanCandidates(*text_.sentence(static_cast<std::int64_t>(n)), 0, k, [&](std::string_view, std::int64_t) {
      if (count < CandidateGrid::kMaxCandidates) ++count;
    });
    firstCandidate_.push_back(count);
  }
}

std::int64_t Exercise::sentenceOf(std::size_t candidate) const {
  const auto after = std::upper_bound(firstCandidate_.begin(), firstCandidate_.end(), std::uint64_t{candidate});
  return after - firstCandidate_.begin();
}

std::string_view Exercise::formOf(std::size_t candidate) const {
  const std::int64_t n = sentenceOf(candidate);
  std::size_t k = candidate - firstCandidate_[static_cast<std::size_t>(n - 1)];
  std::string_view form;
  scanCandidates(*text_.sentence(n), n, kind(), [&](std::string_view word, std::int64_t) {
    if (k-- == 0) form = word;
  });
  return form;
}

void Exercise::scanInto(CandidateGrid& grid) const { grid.assignScan(text_, kind(), firstCandidate_); }

bool Exercise::setKey(ExerciseKey key) {
  if (key.size() != candidateCount()) return false;
  key_ = std::move(key);
  return true;
}

// ---- Reading an answer ----

AnswerReading readAnswer(std::string_view analysis, const AnalysisKind& kind) {
  const std::string_view text = trimBlanks(analysis);
  AnswerReading reading;
  if (text.empty()) return reading;
  reading.shape = AnswerReading::Shape::OtherText;
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  bool consistent = true;
  for (std::size_t i = 0; i + 7 <= text.size(); ++i) {
    const std::string_view c = text.substr(i, 7);
    const char letter = upper(c[2]);
    if (c[0] != '[' || upper(c[1]) != 'A' || letter < 'A' || letter > 'E' || c[3] != '0' || c[4] != '0' ||
        upper(c[5]) != kind.caseNumberLetter || c[6] != ']')
      continue;
    const int declension = letter - 'A' + 1;
    if (reading.shape == AnswerReading::Shape::Label && reading.declension != declension) consistent = false;
    if (reading.shape != AnswerReading::Shape::Label) reading.declension = declension;
    reading.shape = AnswerReading::Shape::Label;
  }
  if (reading.shape != AnswerReading::Shape::Label) return reading;
  // "3 décl. …": the number in front, when there is one, must say the same.
  std::size_t digits = 0;
  while (digits < text.size() && digits < 3 && text[digits] >= '0' && text[digits] <= '9') ++digits;
  if (digits > 0 && std::stoi(std::string(text.substr(0, digits))) != reading.declension) consistent = false;
  reading.consistent = consistent;
  return reading;
}

// ---- Matching a grid to the candidates ----

namespace {

// The forms of one sentence's candidates, and where a form comes next from a
// place on. A file's form field holds 100 characters: a longer form is compared
// by them. A sentence of many candidates is indexed, so that rows that match
// nothing never make the match quadratic in the sentence.
class SentenceForms {
 public:
  void load(std::string_view sentence, const AnalysisKind& kind) {
    forms_.clear();
    index_.clear();
    scanCandidates(sentence, 0, kind, [&](std::string_view form, std::int64_t) { forms_.push_back(cut(form)); });
    if (forms_.size() > kIndexFrom)
      for (std::uint32_t k = 0; k < forms_.size(); ++k) index_[forms_[k]].push_back(k);
  }
  // The place (from `from` on) of the next candidate of that form, or size().
  std::size_t find(std::string_view form, std::size_t from) const {
    if (forms_.size() <= kIndexFrom) {
      for (std::size_t k = from; k < forms_.size(); ++k)
        if (forms_[k] == form) return k;
      return forms_.size();
    }
    const auto it = index_.find(form);
    if (it == index_.end()) return forms_.size();
    const auto at = std::lower_bound(it->second.begin(), it->second.end(), from);
    return at == it->second.end() ? forms_.size() : *at;
  }
  std::size_t size() const { return forms_.size(); }

 private:
  static constexpr std::size_t kIndexFrom = 32;
  static std::string_view cut(std::string_view form) { return form.substr(0, AnalysisRecord::kFormeWidth); }
  std::vector<std::string_view> forms_;
  std::unordered_map<std::string_view, std::vector<std::uint32_t>> index_;
};

// A grid scanned from the exercise's text: its rows are the candidates' places,
// less those deleted.
void visitScannedGrid(const CandidateGrid& grid, const GridAnswerVisitor& visit) {
  std::uint32_t kept = 0;
  grid.forEachPlace([&](std::uint32_t place, bool isKept, std::string_view analysis) {
    GridAnswer answer;
    answer.kept = isKept;
    answer.row = isKept ? ++kept : kept + 1;
    answer.text = analysis;
    visit(place, answer);
  });
}

}  // namespace

std::size_t forEachGridAnswer(const Exercise& exercise, const CandidateGrid& grid, const GridAnswerVisitor& visit) {
  const std::size_t count = exercise.candidateCount();
  if (grid.isScanned() && grid.placeCount() == count) {
    visitScannedGrid(grid, visit);
    return 0;
  }
  const auto& first = exercise.firstCandidate();
  const SentenceTable& sentences = exercise.sentences();
  SentenceForms forms;
  std::int64_t loaded = 0;     // the sentence whose forms are loaded
  std::size_t cursor = 0;      // the next place in it a row may match
  std::size_t next = 0;        // the next candidate not yet visited
  std::uint32_t kept = 0;
  std::size_t unmatched = 0;
  const auto deletedUpTo = [&](std::size_t end) {
    GridAnswer deleted;
    deleted.row = kept + 1;
    for (; next < end; ++next) visit(next, deleted);
  };
  grid.forEachRow([&](std::int64_t, std::string_view sentence, std::string_view form, std::string_view analysis) {
    const std::optional<std::int64_t> n = parseSentenceNumber(sentence);
    if (!n || *n < std::max<std::int64_t>(loaded, 1) || static_cast<std::uint64_t>(*n) > sentences.sentenceCount()) {
      ++unmatched;
      return;
    }
    if (*n != loaded) {
      loaded = *n;
      forms.load(*sentences.sentence(loaded), exercise.kind());
      cursor = 0;
    }
    const std::size_t base = static_cast<std::size_t>(first[static_cast<std::size_t>(loaded - 1)]);
    // Forms beyond the most a grid holds are not candidates.
    const std::size_t inSentence =
        std::min<std::size_t>(forms.size(), static_cast<std::size_t>(first[static_cast<std::size_t>(loaded)]) - base);
    const std::size_t k = forms.find(form, cursor);
    if (k >= inSentence) {
      ++unmatched;
      return;
    }
    deletedUpTo(base + k);
    GridAnswer answer;
    answer.kept = true;
    answer.row = ++kept;
    answer.text = analysis;
    visit(next++, answer);
    cursor = k + 1;
  });
  deletedUpTo(count);
  return unmatched;
}

ExerciseKey keyFromGrid(const Exercise& exercise, const CandidateGrid& grid, std::size_t* unmatchedRows) {
  ExerciseKey key;
  key.reserve(exercise.candidateCount());
  const std::size_t unmatched = forEachGridAnswer(exercise, grid, [&](std::size_t, const GridAnswer& answer) {
    if (!answer.kept) return key.addNotOne({});
    const AnswerReading reading = readAnswer(answer.text, exercise.kind());
    switch (reading.shape) {
      case AnswerReading::Shape::Empty: return key.addNotGraded();
      case AnswerReading::Shape::Label: {
        const std::string_view label = trimTrailingSpaces(answer.text);
        const bool own = label == analysisLabel(exercise.kind(), reading.declension);
        return key.addNoun(reading.declension, own ? std::string_view{} : label);
      }
      case AnswerReading::Shape::OtherText: return key.addNotOne(trimTrailingSpaces(answer.text));
    }
  });
  if (unmatchedRows) *unmatchedRows = unmatched;
  return key;
}

}  // namespace varnelio
