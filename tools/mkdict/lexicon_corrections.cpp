// SPDX-License-Identifier: GPL-3.0-or-later
#include "mkdict/lexicon_corrections.h"

#include <cstdlib>

#include "mkdict/inflection_models.h"

namespace varnelio::mkdict {

namespace {

std::vector<std::string_view> words(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) out.push_back(line.substr(start, i - start));
  }
  return out;
}

std::string_view trimmed(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  return line;
}

// "# why": the reason of the corrections right below it, over one line or more.
void appendReason(std::string& reason, std::string_view comment) {
  comment.remove_prefix(1);
  while (!comment.empty() && comment.front() == ' ') comment.remove_prefix(1);
  if (!reason.empty()) reason += ' ';
  reason += comment;
}

// The words of a line after its first `skip`, as one text: the morphologies it names.
std::string namingAfter(const std::vector<std::string_view>& w, std::size_t skip, std::size_t dropLast = 0) {
  std::string naming;
  for (std::size_t k = skip; k + dropLast < w.size(); ++k) {
    if (!naming.empty()) naming += ' ';
    naming += w[k];
  }
  return naming;
}

// The kind and fields of one correction line; the reason it is wrong otherwise.
std::optional<std::string> parseCorrection(std::string_view line, const MorphologyTable& morphologies,
                                           LexiconCorrection& c) {
  const auto w = words(line);
  std::string naming;
  if (w[0] == "absent" && w.size() >= 3) {
    c.kind = LexiconCorrection::Kind::Absent;
    c.lemmaKey = std::string(w[1]);
    naming = namingAfter(w, 2);
  } else if (w[0] == "form" && w.size() >= 4 && !(w.size() == 4 && w[3] == "only")) {
    c.kind = LexiconCorrection::Kind::Form;
    c.form = std::string(w[1]);
    c.lemmaKey = std::string(w[2]);
    c.only = w.back() == "only";
    naming = namingAfter(w, 3, c.only ? 1 : 0);
  } else if (w[0] == "ending" && w.size() >= 5) {
    c.kind = LexiconCorrection::Kind::Ending;
    c.lemmaKey = std::string(w[1]);
    c.wrong = std::string(w[2]);
    c.form = std::string(w[3]);
    naming = namingAfter(w, 4);
  } else if (w[0] == "ending+" && w.size() >= 5) {
    c.kind = LexiconCorrection::Kind::AddedEnding;
    c.lemmaKey = std::string(w[1]);
    c.radical = std::atoi(std::string(w[2]).c_str());
    c.form = std::string(w[3]);
    naming = namingAfter(w, 4);
  } else if (w[0] == "abbreviation" && w.size() >= 3) {
    c.kind = LexiconCorrection::Kind::Abbreviation;
    c.form = std::string(w[1]);
    c.lemmaKey = std::string(w[2]);
    naming = w.size() == 3 ? std::string("singulier") : namingAfter(w, 3);  // every case of the singular by default
  } else if (w[0] == "contraction" && w.size() == 3) {
    c.kind = LexiconCorrection::Kind::Contraction;
    c.wrong = std::string(w[1]);
    c.form = std::string(w[2]);
    return std::nullopt;  // endings, no morphology
  } else {
    return "correction inconnue : " + std::string(line);
  }
  if (auto error = morphologiesNamed(naming, morphologies, c.morphologies)) return error;
  if (c.kind == LexiconCorrection::Kind::Ending && c.morphologies.size() != 1)
    return "une seule morphologie par correction de désinence";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> readCorrections(std::string_view text, const MorphologyTable& morphologies,
                                           std::vector<LexiconCorrection>& out) {
  std::string reason;
  int number = 0;
  for (std::string_view line : splitOn(text, '\n')) {
    ++number;
    line = trimmed(line);
    if (line.empty()) {
      reason.clear();  // a reason belongs to the corrections right below it
      continue;
    }
    if (line.front() == '#') {
      appendReason(reason, line);
      continue;
    }
    const std::string where = "ligne " + std::to_string(number);
    if (reason.empty()) return where + " : correction sans sa raison (une ligne # au-dessus)";
    LexiconCorrection c;
    c.line = number;
    c.reason = reason;
    if (auto error = parseCorrection(line, morphologies, c)) return where + " : " + *error;
    out.push_back(std::move(c));
  }
  return std::nullopt;
}

std::vector<std::string> correctModels(const std::vector<LexiconCorrection>& corrections, InflectionModels& models) {
  std::vector<std::string> unused;
  for (const LexiconCorrection& c : corrections) {
    if (c.kind == LexiconCorrection::Kind::AddedEnding) {
      const auto model = models.find(c.lemmaKey);
      if (model == models.end()) {
        unused.push_back("correction ligne " + std::to_string(c.line) + " : pas de modèle " + c.lemmaKey);
        continue;
      }
      for (int m : c.morphologies) model->second.desinences[m].push_back({c.radical, c.form});
      continue;
    }
    if (c.kind != LexiconCorrection::Kind::Ending) continue;
    bool done = false;
    const auto model = models.find(c.lemmaKey);
    if (model != models.end()) {
      const auto slot = model->second.desinences.find(c.morphologies.front());
      if (slot != model->second.desinences.end())
        for (Desinence& d : slot->second)
          if (d.ending == c.wrong) {
            d.ending = c.form;
            done = true;
          }
    }
    if (!done)
      unused.push_back("correction ligne " + std::to_string(c.line) + " : le modèle " + c.lemmaKey +
                       " n'a pas la désinence " + c.wrong);
  }
  return unused;
}

}  // namespace varnelio::mkdict
