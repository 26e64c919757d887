// SPDX-License-Identifier: GPL-3.0-or-later
#include "mkdict/judge_trainer.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <span>
#include <unordered_map>

#include "core/analysis/analysis_kind.h"
#include "core/morphology/pre_analysis.h"
#include "core/text/cp1252.h"
#include "core/text/text_words.h"

namespace varnelio::mkdict {

namespace {

std::vector<std::string_view> splitTabs(std::string_view line) {
  std::vector<std::string_view> cols;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    cols.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  return cols;
}

std::string featureValue(std::string_view feats, std::string_view name) {
  std::size_t start = 0;
  while (start <= feats.size()) {
    std::size_t bar = feats.find('|', start);
    if (bar == std::string_view::npos) bar = feats.size();
    const std::string_view f = feats.substr(start, bar - start);
    if (f.size() > name.size() && f.substr(0, name.size()) == name && f[name.size()] == '=')
      return std::string(f.substr(name.size() + 1));
    start = bar + 1;
  }
  return {};
}

bool isPronounLike(std::string_view lemma) {
  std::string key(lemma);
  std::erase_if(key, [](char c) { return c >= '0' && c <= '9'; });
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static constexpr std::string_view kPronouns[] = {"qui", "quis", "nemo", "omnis", "omnes", "nihil", "nil",
                                                   "complures", "nullus", "aliquis", "quisque", "uterque", "ego",
                                                   "tu", "is", "ille", "hic", "ipse", "sui", "alius"};
  return std::find(std::begin(kPronouns), std::end(kPronouns), key) != std::end(kPronouns);
}

// The value of a comment "# name = value", or nothing.
std::optional<std::string> commentValue(std::string_view line, std::string_view name) {
  line.remove_prefix(1);
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  if (!line.starts_with(name)) return std::nullopt;
  line.remove_prefix(name.size());
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  if (line.empty() || line.front() != '=') return std::nullopt;
  line.remove_prefix(1);
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
  return std::string(line);
}

GrammaticalCase caseOfFeature(std::string_view value) {
  if (value == "Nom") return GrammaticalCase::Nominative;
  if (value == "Voc") return GrammaticalCase::Vocative;
  if (value == "Acc") return GrammaticalCase::Accusative;
  if (value == "Gen") return GrammaticalCase::Genitive;
  if (value == "Dat") return GrammaticalCase::Dative;
  if (value == "Abl") return GrammaticalCase::Ablative;
  if (value == "Loc") return GrammaticalCase::Locative;
  return GrammaticalCase::None;
}

GrammaticalNumber numberOfFeature(std::string_view value) {
  return value == "Sing" ? GrammaticalNumber::Singular : value == "Plur" ? GrammaticalNumber::Plural : GrammaticalNumber::None;
}

int classOfToken(std::string_view upos, std::string_view lemma, std::string_view feats) {
  if ((upos != "NOUN" && upos != "PROPN") || isPronounLike(lemma)) return kOtherClass;
  const auto kind = kindOf(caseOfFeature(featureValue(feats, "Case")), numberOfFeature(featureValue(feats, "Number")));
  return kind ? judgeClassOf(*kind) : kOtherClass;
}

// The scan's words of a token's form ("rosamque" is one, "Gaius-Iulius" two): the
// first carries the token's class.
void appendWords(const std::string& form, int cls, JudgeSentence& s, bool& clauseOpen) {
  bool first = true;
  forEachWord(form, [&](std::string_view word, std::string_view gap) {
    s.clauseStarts.push_back(clauseOpen || opensClause(gap));
    clauseOpen = false;
    s.forms.emplace_back(word);
    s.classes.push_back(first ? cls : kOtherClass);
    first = false;
  });
  // A token of punctuation opens a clause for the word after it.
  if (first) clauseOpen = clauseOpen || opensClause(form);
}

struct Example {
  std::uint32_t first, count;  // into the features
  int cls;
  std::uint32_t sentence, word;
  std::uint16_t candidateOf;  // bit per kind: the scan finds it as a candidate
};

struct Examples {
  std::vector<JudgeFeature> features;
  std::vector<Example> examples;
};

Examples readExamples(const LatinAnalyser& analyser, const ContextualTagger& tagger,
                      const std::vector<JudgeSentence>& sentences) {
  Examples ex;
  JudgeFeatureReader reader(analyser);
  std::vector<TaggedWord> words;
  std::vector<std::string_view> forms;
  std::vector<JudgeFeature> f;
  std::vector<Analysis> scratch;
  for (std::size_t s = 0; s < sentences.size(); ++s) {
    const JudgeSentence& sentence = sentences[s];
    forms.assign(sentence.forms.begin(), sentence.forms.end());
    words.assign(forms.size(), TaggedWord{});
    // Each word read as the pre-analysis reads it.
    for (std::size_t k = 0; k < forms.size(); ++k) {
      analyser.analyse(forms[k], words[k].analyses);
      words[k].clauseStart = k < sentence.clauseStarts.size() && sentence.clauseStarts[k];
      words[k].enclitic = hasEncliticQue(analyser, forms[k], words[k].analyses, scratch);
    }
    tagger.tag(analyser, words);
    const SentenceFeatures& features = reader.read(forms, words);
    for (std::size_t k = 0; k < forms.size(); ++k) {
      features.of(k, f);
      Example e{static_cast<std::uint32_t>(ex.features.size()), static_cast<std::uint32_t>(f.size()),
                sentence.classes[k], static_cast<std::uint32_t>(s), static_cast<std::uint32_t>(k), 0};
      for (const AnalysisKind& kind : analysisKinds())
        if (isCandidate(forms[k], kind)) e.candidateOf |= static_cast<std::uint16_t>(1u << judgeClassOf(kind.id));
      ex.features.insert(ex.features.end(), f.begin(), f.end());
      ex.examples.push_back(e);
    }
  }
  return ex;
}

// The features of one example.
std::span<const JudgeFeature> featuresOf(const Examples& ex, const Example& e) {
  return std::span<const JudgeFeature>(ex.features).subspan(e.first, e.count);
}

// Stochastic gradient descent on the log-loss, in an order fixed by a seeded
// generator, with a step that shrinks by epoch. Only words that are candidates
// of some kind teach: the judge is asked about nothing else.
void train(JudgeModel& m, const Examples& ex, const std::vector<std::uint32_t>& chosen, const JudgeTraining& options) {
  m.weights.assign(std::size_t{1} << JudgeModel::kHashBits, 0.0f);
  m.temperature = 1.0f;
  std::vector<std::uint32_t> order = chosen;
  std::uint64_t seed = 88172645463325252ull;
  const auto next = [&] {
    seed ^= seed << 13;
    seed ^= seed >> 7;
    seed ^= seed << 17;
    return seed;
  };
  const float l2 = options.l2;
  for (int epoch = 0; epoch < options.epochs; ++epoch) {
    for (std::size_t i = order.size(); i > 1; --i) std::swap(order[i - 1], order[next() % i]);
    const float rate = options.rate / (1.0f + static_cast<float>(epoch));
    for (const std::uint32_t x : order) {
      const Example& e = ex.examples[x];
      const auto p = m.probabilities(featuresOf(ex, e));
      for (int c = 0; c < kJudgeClassCount; ++c) {
        const double g = p[static_cast<std::size_t>(c)] - (c == e.cls ? 1.0 : 0.0);
        if (std::fabs(g) < 1e-4) continue;
        for (std::uint32_t i = e.first; i < e.first + e.count; ++i) {
          const JudgeFeature& f = ex.features[i];
          float& w = m.weights[JudgeModel::slot(f.hash, c)];
          w -= rate * (static_cast<float>(g) * f.value + l2 * w);
        }
      }
    }
  }
}

// The temperature that best fits the held-out probabilities (log-likelihood),
// by golden-section search.
float fitTemperature(const std::vector<std::array<double, kJudgeClassCount>>& scores, const std::vector<int>& classes) {
  const auto loss = [&](double t) {
    double l = 0;
    for (std::size_t i = 0; i < scores.size(); ++i) {
      auto p = scores[i];
      toProbabilities(p, t);
      l -= std::log(std::max(p[static_cast<std::size_t>(classes[i])], 1e-300));
    }
    return l;
  };
  double a = 0.3, b = 4.0;
  const double r = (std::sqrt(5.0) - 1) / 2;
  for (int i = 0; i < 40; ++i) {
    const double c = b - r * (b - a), d = a + r * (b - a);
    (loss(c) < loss(d) ? b : a) = (loss(c) < loss(d) ? d : c);
  }
  return static_cast<float>((a + b) / 2);
}

// The label and "sûr" thresholds of one kind from the held-out probabilities of
// its candidates: the label where F1 is best; "sûr" at the lowest cut whose
// proposals are right at least 98 % of the time.
KindThresholds chooseLabelThresholds(std::vector<std::pair<double, bool>> scored, float drop) {
  KindThresholds t;
  t.drop = drop;
  std::sort(scored.begin(), scored.end());
  const std::size_t nouns = static_cast<std::size_t>(std::count_if(scored.begin(), scored.end(), [](auto& s) { return s.second; }));
  if (nouns == 0) return t;
  // From the top: proposals at or above each cut.
  double bestF1 = -1;
  std::size_t right = 0;
  t.sure = 1.0f;
  for (std::size_t said = 1; said <= scored.size(); ++said) {
    const auto& s = scored[scored.size() - said];
    if (s.second) ++right;
    if (said < scored.size() && scored[scored.size() - said - 1].first == s.first) continue;
    const double precision = static_cast<double>(right) / static_cast<double>(said);
    const double recall = static_cast<double>(right) / static_cast<double>(nouns);
    const double f1 = 2 * precision * recall / (precision + recall);
    if (f1 > bestF1) {
      bestF1 = f1;
      t.label = static_cast<float>(s.first);
    }
    if (precision >= 0.98 && said >= 20) t.sure = static_cast<float>(s.first);
  }
  t.label = std::max(t.label, t.drop);
  t.sure = std::max(t.sure, t.label);
  return t;
}

}  // namespace

// The fold of each sentence: the passages, in the order first met, dealt in
// turn; a sentence of no passage is one by itself.
std::vector<int> foldsOfSentences(const std::vector<JudgeSentence>& sentences, int folds) {
  std::unordered_map<std::string, int> passages;
  std::vector<int> foldOf(sentences.size());
  int next = 0;
  for (std::size_t s = 0; s < sentences.size(); ++s) {
    const std::string& passage = sentences[s].passage;
    int index = next;
    if (passage.empty()) ++next;
    else if (const auto [it, added] = passages.try_emplace(passage, next); added) ++next;
    else index = it->second;
    foldOf[s] = index % folds;
  }
  return foldOf;
}

// The most true nouns a cut may lose among `nouns` held-out ones so that, with
// 95 % confidence, it loses at most 1 % of the nouns of a text like them: the
// held-out loss plus 1.645 standard errors of a binomial share stays within 1 %.
// The held-out share alone would be met on the training files and missed on half
// the texts of their kind, as a share measured on a sample is; with 24,000 nouns
// the margin costs a tenth of the allowance (0.9 % lost instead of 1 %).
std::size_t mostNounsLost(std::size_t nouns) {
  if (nouns == 0) return 0;
  const double n = static_cast<double>(nouns);
  std::size_t lost = 0;
  while (true) {
    const double share = static_cast<double>(lost + 1) / n;
    if (share + 1.645 * std::sqrt(share * (1 - share) / n) > 0.01) return lost;
    ++lost;
  }
}

// The deletion threshold: the highest cut under which no more true nouns fall
// than mostNounsLost allows, counting the candidates of every kind together (a
// true noun of one kind is a candidate of the others too, a false one there). One
// cut for all kinds, rather than 1 % lost in each: with calibrated probabilities
// the same cut costs the same expected share of a noun for each false candidate
// removed, whatever its kind, so the budget goes where it removes the most.
float chooseDropThreshold(std::vector<HeldOut> all) {
  const std::size_t nouns = static_cast<std::size_t>(std::count_if(all.begin(), all.end(), [](const HeldOut& h) { return h.noun; }));
  std::sort(all.begin(), all.end(), [](const HeldOut& x, const HeldOut& y) { return x.p < y.p; });
  const std::size_t mayLose = mostNounsLost(nouns);
  std::size_t lost = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (!all[i].noun) continue;
    if (lost == mayLose) return static_cast<float>(i == 0 ? all[i].p : (all[i - 1].p + all[i].p) / 2);
    ++lost;
  }
  return all.empty() ? 0.0f : static_cast<float>(all.back().p) + 1e-6f;
}

void readJudgeSentences(std::string_view conllu, std::vector<JudgeSentence>& out) {
  JudgeSentence current;
  bool clauseOpen = false;  // punctuation that opens a clause was read since the last word
  std::string document;
  std::size_t multiEnd = 0;  // the last id of the multi-word token being read
  std::string multiForm;
  int multiClass = kOtherClass;
  const auto flushMulti = [&] {
    if (!multiForm.empty()) appendWords(multiForm, multiClass, current, clauseOpen);
    multiForm.clear();
    multiEnd = 0;
    multiClass = kOtherClass;
  };
  std::size_t start = 0;
  while (start <= conllu.size()) {
    std::size_t end = conllu.find('\n', start);
    if (end == std::string_view::npos) end = conllu.size();
    std::string_view line = conllu.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) {
      flushMulti();
      if (!current.forms.empty()) out.push_back(std::move(current));
      current = {};
      clauseOpen = false;
      if (end == conllu.size()) break;
      continue;
    }
    if (line[0] == '#') {
      // The passage a sentence belongs to, so that cross-validation holds out
      // whole passages: the document the file names, or else the sentence's id
      // without its last part ("…perseus-lat1-2.7-24" is of chapter 2.7,
      // "Latin_Tacitus_Ger_prose-12" of the Germania).
      if (const auto value = commentValue(line, "newdoc id")) {
        document = *value;
      } else if (const auto id = commentValue(line, "sent_id")) {
        const std::size_t dash = id->rfind('-');
        current.passage = dash == std::string_view::npos || dash == 0 ? *id : id->substr(0, dash);
      }
      if (!document.empty()) current.passage = document;
      continue;
    }
    const auto cols = splitTabs(line);
    if (cols.size() < 6) continue;
    const std::string_view id = cols[0];
    if (id.find('.') != std::string_view::npos) continue;
    if (const std::size_t dash = id.find('-'); dash != std::string_view::npos) {
      flushMulti();
      multiForm = cp1252::fromUtf8(cols[1]);
      multiEnd = std::strtoul(std::string(id.substr(dash + 1)).c_str(), nullptr, 10);
      continue;
    }
    const std::size_t number = std::strtoul(std::string(id).c_str(), nullptr, 10);
    const int cls = classOfToken(cols[3], cols[2], cols[5]);
    if (multiEnd != 0 && number <= multiEnd) {
      if (cls != kOtherClass) multiClass = cls;
      if (number == multiEnd) flushMulti();
      continue;
    }
    appendWords(cp1252::fromUtf8(cols[1]), cls, current, clauseOpen);
  }
  flushMulti();
  if (!current.forms.empty()) out.push_back(std::move(current));
}

JudgeModel trainJudge(const LatinAnalyser& analyser, const ContextualTagger& tagger,
                      const std::vector<JudgeSentence>& sentences, const JudgeTraining& options,
                      JudgeTrainingReport* report) {
  const Examples ex = readExamples(analyser, tagger, sentences);
  std::vector<std::uint32_t> all;
  for (std::uint32_t i = 0; i < ex.examples.size(); ++i)
    if (ex.examples[i].candidateOf != 0) all.push_back(i);
  // Held-out scores of every candidate, fold by fold. Whole passages are held
  // out: a passage's names and phrases repeat within it, and a text the window
  // opens is new to the judge.
  std::vector<std::array<double, kJudgeClassCount>> scores(ex.examples.size());
  const int folds = std::max(2, options.folds);
  const std::vector<int> foldOf = foldsOfSentences(sentences, folds);
  for (int fold = 0; fold < folds; ++fold) {
    std::vector<std::uint32_t> taught, held;
    for (const std::uint32_t i : all) (foldOf[ex.examples[i].sentence] == fold ? held : taught).push_back(i);
    JudgeModel m;
    train(m, ex, taught, options);
    for (const std::uint32_t i : held) scores[i] = m.scores(featuresOf(ex, ex.examples[i]));
  }
  std::vector<std::array<double, kJudgeClassCount>> heldScores;
  std::vector<int> heldClasses;
  for (const std::uint32_t i : all) {
    heldScores.push_back(scores[i]);
    heldClasses.push_back(ex.examples[i].cls);
  }
  JudgeModel model;
  const float temperature = fitTemperature(heldScores, heldClasses);
  std::array<std::vector<HeldOut>, kKindCount> byKind;
  std::vector<HeldOut> pooled;
  for (std::size_t n = 0; n < all.size(); ++n) {
    const Example& e = ex.examples[all[n]];
    auto p = heldScores[n];
    toProbabilities(p, temperature);
    for (int c = 0; c < kKindCount; ++c)
      if (e.candidateOf & (1u << c)) {
        const HeldOut h{p[static_cast<std::size_t>(c)], e.cls == c};
        byKind[static_cast<std::size_t>(c)].push_back(h);
        pooled.push_back(h);
      }
  }
  const float drop = chooseDropThreshold(pooled);
  for (const AnalysisKind& kind : analysisKinds()) {
    const int c = judgeClassOf(kind.id);
    const auto& v = byKind[static_cast<std::size_t>(c)];
    std::vector<std::pair<double, bool>> scored;
    for (const HeldOut& h : v) scored.push_back({h.p, h.noun});
    const KindThresholds t = model.thresholds[static_cast<std::size_t>(c)] = chooseLabelThresholds(std::move(scored), drop);
    if (report) {
      // The mistakes of the held-out judgements, for a developer to study.
      std::size_t next = 0;
      for (std::size_t n = 0; n < all.size(); ++n) {
        const Example& e = ex.examples[all[n]];
        if (!(e.candidateOf & (1u << c))) continue;
        const HeldOut& h = v[next++];
        using Sort = HeldOutError::Sort;
        const std::optional<Sort> sort = h.noun && h.p < t.drop ? std::optional(Sort::Lost)
                                         : h.noun && h.p < t.label ? std::optional(Sort::Missed)
                                         : !h.noun && h.p >= t.label ? std::optional(Sort::Labelled)
                                                                     : std::nullopt;
        if (sort) report->errors.push_back({*sort, kind.id, e.sentence, e.word, h.p});
      }
    }
    if (report) {
      std::size_t nouns = 0, lost = 0, falses = 0, removed = 0, said = 0, right = 0;
      for (const HeldOut& h : v) {
        (h.noun ? nouns : falses)++;
        if (h.p < t.drop) (h.noun ? lost : removed)++;
        if (h.p >= t.label) {
          ++said;
          if (h.noun) ++right;
        }
      }
      report->labelF1[static_cast<std::size_t>(c)] = said + nouns ? 2.0 * static_cast<double>(right) / static_cast<double>(said + nouns) : 0;
      report->lostNouns[static_cast<std::size_t>(c)] = nouns ? static_cast<double>(lost) / static_cast<double>(nouns) : 0;
      report->removedFalse[static_cast<std::size_t>(c)] = falses ? static_cast<double>(removed) / static_cast<double>(falses) : 0;
    }
  }
  if (report) {
    std::size_t nouns = 0, lost = 0, falses = 0, removed = 0;
    for (const HeldOut& h : pooled) {
      (h.noun ? nouns : falses)++;
      if (h.p < drop) (h.noun ? lost : removed)++;
    }
    report->allLostNouns = nouns ? static_cast<double>(lost) / static_cast<double>(nouns) : 0;
    report->allRemovedFalse = falses ? static_cast<double>(removed) / static_cast<double>(falses) : 0;
  }
  train(model, ex, all, options);
  model.temperature = temperature;
  model.analyserFingerprint = analyser.fingerprint();
  model.taggerFingerprint = tagger.fingerprint();
  model.featureSet = JudgeFeatureReader::featureSet();
  if (report) {
    report->words = ex.examples.size();
    report->nouns = static_cast<std::size_t>(std::count_if(ex.examples.begin(), ex.examples.end(), [](const Example& e) { return e.cls != kOtherClass; }));
  }
  return model;
}

}  // namespace varnelio::mkdict
