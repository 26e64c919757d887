// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Trains the pre-analysis's judge (juge.dat) from annotated Latin in CoNLL-U:
// every word of every sentence is read by the analyser and the tagger as the
// pre-analysis reads it, and labelled with its class (a noun of one of the ten
// kinds, or anything else) from the file's part of speech and features.
#include <optional>
#include <string>
#include <vector>

#include "core/morphology/noun_judge.h"

namespace varnelio::mkdict {

// One sentence of a treebank: its words as the scan cuts them (Windows-1252),
// each with its class.
struct JudgeSentence {
  std::vector<std::string> forms;
  std::vector<int> classes;
  std::string passage;  // the chapter or text it is from, if the file says; cross-validation holds out whole passages
  std::vector<bool> clauseStarts;  // by word: a ";", ":", "?" or "!" stands before it (none when empty)
};

// Reads CoNLL-U (UTF-8) and appends its sentences. A noun is NOUN or PROPN with
// a case of the five and a number; multi-word tokens ("rosamque") are one word
// with the class of their noun part. The pronouns and quantifiers that some
// treebanks tag as nouns ("qui", "nemo", "omnes", "nihil") are not nouns.
void readJudgeSentences(std::string_view conllu, std::vector<JudgeSentence>& out);

// The cross-validation fold of each sentence: whole passages in turn.
std::vector<int> foldsOfSentences(const std::vector<JudgeSentence>& sentences, int folds);

struct JudgeTraining {
  int epochs = 12;
  int folds = 5;
  float rate = 0.02f;  // the first epoch's step; it shrinks as 1 / (1 + epoch)
  float l2 = 1e-6f;   // the weight decay at each step
};

// A held-out candidate the judge got wrong in cross-validation: a noun of the
// kind it gave no label (missed) or deleted (lost), or another word it labelled.
struct HeldOutError {
  enum class Sort { Missed, Lost, Labelled };
  Sort sort;
  KindId kind;
  std::uint32_t sentence, word;  // into the sentences trained on
  double p;                      // the held-out probability of the kind
};

struct JudgeTrainingReport {
  std::size_t words = 0, nouns = 0;
  std::vector<HeldOutError> errors;  // in the order of the sentences
  // Per kind, measured across the folds: the true nouns lost and the false
  // candidates removed by the deletion threshold.
  std::array<double, kKindCount> lostNouns{}, removedFalse{};
  std::array<double, kKindCount> labelF1{};  // of the labels, at the label threshold
  // The same over the candidates of all kinds together, as `--drop` is judged.
  double allLostNouns = 0, allRemovedFalse = 0;
};

// One candidate of one kind in cross-validation: the held-out probability that
// it is a noun of the kind, and whether it is one.
struct HeldOut {
  double p;
  bool noun;
};

// The most true nouns a deletion threshold may lose among `nouns` held-out ones:
// as many as keep the loss within 1 % with 95 % confidence.
std::size_t mostNounsLost(std::size_t nouns);

// The deletion threshold from the held-out candidates of every kind together:
// the highest cut under which no more true nouns fall than mostNounsLost allows.
float chooseDropThreshold(std::vector<HeldOut> all);

// Trains on the sentences, chooses the thresholds by cross-validation over them
// (whole passages dealt into `folds` parts in turn), then trains on all of them.
// Deterministic: the same sentences give the same bytes.
JudgeModel trainJudge(const LatinAnalyser& analyser, const ContextualTagger& tagger,
                      const std::vector<JudgeSentence>& sentences, const JudgeTraining& options,
                      JudgeTrainingReport* report = nullptr);

}  // namespace varnelio::mkdict
