// SPDX-License-Identifier: GPL-3.0-or-later
// The analyser built from the Collatinus lexicon with our corrections, on words
// whose analyses any Latin grammar gives; and the corrections file itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "core/morphology/latin_analyser.h"
#include "core/files/source_file.h"
#include "mkdict/collatinus_lexicon.h"
#include "mkdict/lexicon_corrections.h"
#include "../support/required_data.h"

namespace varnelio::mkdict {
namespace {

const std::string kAnalyser = std::string(VARNELIO_DATA_DIR) + "/analyseur.dat";

const LatinAnalyser& analyser() {
  static const LatinAnalyser a = LatinAnalyser::load(kAnalyser);
  return a;
}

// In the test's own body: a skip or a failure in a helper would not end the test.
bool analyserBuilt() { return analyser().status() == LatinAnalyser::Status::Loaded; }

// "lemma|category|case-gender-number|mood-tense-voice" of every analysis.
std::vector<std::string> answers(std::string_view word) {
  std::vector<std::string> out;
  for (const Analysis& a : analyser().analyse(word)) {
    const AnalysisText t = analyser().describe(a, word);
    out.push_back(t.lemma + "|" + t.category + "|" + t.caseGenderNumber + "|" + t.moodTenseVoice);
  }
  return out;
}

bool has(const std::vector<std::string>& all, const std::string& one) {
  return std::find(all.begin(), all.end(), one) != all.end();
}

struct Case {
  const char* word;
  const char* expected;  // one of the analyses
  const char* why;
};

TEST(AnalyserOnTheLexicon, AnswersAsAGrammarDoes) {
  VARNELIO_REQUIRE_DATA(analyserBuilt(), "analyseur.dat");
  const std::vector<Case> cases = {
      {"rosam", "rosa|n. 1|acc. f. sg.|", "first declension"},
      {"dominorum", "dominus|n. 2|g\xE9n. m. pl.|", "second declension"},
      {"militibus", "miles|n. 3|dat. m. pl.|", "third declension"},
      {"manuum", "manus|n. 4|g\xE9n. f. pl.|", "fourth declension"},
      {"diei", "dies|n. 5|g\xE9n. m. f. sg.|", "fifth declension"},
      {"paravit", "paro|v. 1|3e p. sg.|ind. parf. act.", "every form of every lemma"},
      {"totius", "totus|adj. 1|g\xE9n. f. sg.|", "pronominal genitive"},
      {"Vita", "vita|n. 1|nom. f. sg.|", "capitals"},
      {"uita", "vita|n. 1|nom. f. sg.|", "u for v"},
      {"uos", "vos|pron.|acc. m. pl.|", "u for v"},
      {"iubeo", "jubeo|v. 2|1re p. sg.|ind. pr\xE9s. act.", "i for j"},
      {"Iulius", "Julius|npr. 2|nom. m. sg.|", "i for j"},
      {"virumque", "vir|n. 2|acc. m. sg.|", "enclitic -que"},
      {"videsne", "video|v. 2|2e p. sg.|ind. pr\xE9s. act.", "enclitic -ne"},
      {"pluresve", "plus|adj. 2|acc. m. pl.|", "enclitic -ve"},
      {"mecum", "ego|pron.|abl. m. sg.|", "-cum after a pronoun"},
      {"nobiscum", "nos|pron.|abl. m. pl.|", "-cum after a pronoun"},
      {"conloquium", "colloquium|n. 2|acc. n. sg.|", "prefix not assimilated"},
      {"inpositionem", "impositio|n. 3|acc. f. sg.|", "prefix not assimilated"},
      {"amarunt", "amo|v. 1|3e p. pl.|ind. parf. act.", "contracted perfect"},
      {"audisse", "audio|v. 4||inf. parf. act.", "contracted perfect in -i-"},
      {"norat", "nosco|v. 3|3e p. sg.|ind. p.-q.-p. act.", "contracted perfect in -o-"},
      {"sequitur", "sequor|v. 3|3e p. sg.|ind. pr\xE9s. d\xE9p.", "deponent"},
      {"hortatur", "hortor|v. 1|3e p. sg.|ind. pr\xE9s. d\xE9p.", "deponent"},
      {"proficiscuntur", "proficiscor|v. 3|3e p. pl.|ind. pr\xE9s. d\xE9p.", "deponent"},
      {"consili", "consilium|n. 2|g\xE9n. n. sg.|", "genitive in -i of -ium"},
      {"Vergili", "Vergilius|npr. 2|g\xE9n. m. sg.|", "genitive in -i of -ius"},
      {"XIV", "XIV|num.||", "Roman numeral"},
      {"est", "sum|v.|3e p. sg.|ind. pr\xE9s. act.", "irregular verb"},
      {"tulit", "fero|v. 3|3e p. sg.|ind. parf. act.", "irregular verb"},
      {"aliud", "alius|adj. 1|acc. n. sg.|", "irregular form"},
      {"alius", "alius|adj. 1|g\xE9n. m. sg.|", "irregular form (corrected)"},
      {"Romae", "Roma|npr. 1|loc. f. sg.|", "locative"},
      {"virum", "vir|n. 2|g\xE9n. m. pl.|", "genitive plural in -um"},
      {"L", "Lucius|npr. 2|acc. m. sg.|", "abbreviated first name"},
      {"quendam", "quidam|pron.|acc. m. sg.|", "quidam with n before d"},
      {"eunt", "eo|v.|3e p. pl.|ind. pr\xE9s. act.", "irregular verb"},
  };
  for (const Case& c : cases) EXPECT_TRUE(has(answers(c.word), c.expected)) << c.word << " (" << c.why << ")";
}

TEST(AnalyserOnTheLexicon, AddsNothingWrong) {
  VARNELIO_REQUIRE_DATA(analyserBuilt(), "analyseur.dat");
  // tres has no singular; queo no imperative; "eunt" is no participle.
  for (const std::string& a : answers("tres")) {
    if (a.starts_with("tres|")) {
      EXPECT_EQ(a.find("sg."), std::string::npos) << a;
    }
  }
  for (const std::string& a : answers("qui")) EXPECT_NE(a.substr(0, 5), "queo|") << a;
  for (const std::string& a : answers("eunt")) EXPECT_EQ(a.find("part."), std::string::npos) << a;
  for (const std::string& a : answers("sequitur")) EXPECT_EQ(a.find("sequor|v. 3|3e p. sg.|ind. pr\xE9s. act."), std::string::npos);
  // A contraction adds its perfect beside the regular analyses.
  const auto amaris = answers("amaris");
  EXPECT_TRUE(has(amaris, "amo|v. 1|2e p. sg.|ind. pr\xE9s. pass.")) << amaris.size();
  EXPECT_TRUE(has(amaris, "amo|v. 1|2e p. sg.|subj. parf. act."));
  EXPECT_TRUE(answers("Xyzzyq").empty());
}

// Each rule below with forms it must find and forms it must not: a rule that
// reads a word only where the grammar allows it.
struct RuleCase {
  const char* word;
  std::string analysis;  // "lemma|category|case-gender-number|mood-tense-voice"
  bool found;
};

void checkRule(const std::vector<RuleCase>& cases) {
  for (const RuleCase& c : cases)
    EXPECT_EQ(has(answers(c.word), c.analysis), c.found) << c.word << (c.found ? " lacks " : " has ") << c.analysis;
}

TEST(AnalyserOnTheLexicon, OlderSpellings) {
  VARNELIO_REQUIRE_DATA(analyserBuilt(), "analyseur.dat");
  checkRule({
      {"saeuom", "saevus|adj. 1|acc. m. sg.|", true},             // -uom for -uum
      {"tuom", "tuus|adj. 1|acc. m. sg.|", true},
      {"sequontur", "sequor|v. 3|3e p. pl.|ind. pr\xE9s. d\xE9p.", true},  // -quont- for -quunt-
      {"ruont", "ruo|v. 3|3e p. pl.|ind. pr\xE9s. act.", true},
      {"uolt", "volo|v. 3|3e p. sg.|ind. pr\xE9s. act.", true},
      {"uolnus", "vulnus|n. 3|nom. n. sg.|", true},
      {"quei", "qui|pron.|nom. m. sg.|", true},                   // ei for a long i
      {"omneis", "omnis|adj. 2|acc. m. pl.|", true},
      {"Aeneadum", "Aeneades|npr. 1|g\xE9n. m. pl.|", true},      // -um for -arum
      {"caelicolum", "caelicola|n. 1|g\xE9n. m. pl.|", true},
      {"deum", "deus|n. 2|g\xE9n. m. pl.|", true},
      {"montis", "mons|n. 3|acc. m. pl.|", true},                  // -is for -es of an i-stem
      {"regis", "rex|n. 3|acc. m. pl.|", false},                   // ... not of regum
      {"gravis", "gravis|adj. 2|acc. m. pl.|", true},
      {"gravis", "gravis|adj. 2|acc. n. pl.|", false},             // ... nor of a neuter
      {"maris", "mare|n. 3|acc. n. pl.|", false},
      // A word with a regular analysis is not read through an older spelling.
      {"equos", "equus|n. 2|nom. m. sg.|", false},
      {"seruos", "servus|n. 2|acc. m. pl.|", true},
      {"seruos", "servus|n. 2|nom. m. sg.|", false},
      // -um for -arum and -orum only in the masculine.
      {"rosum", "rosa|n. 1|g\xE9n. f. pl.|", false},
      {"nautum", "nauta|n. 1|g\xE9n. m. pl.|", false},            // not every masculine of the first
      {"templum", "templum|n. 2|g\xE9n. n. pl.|", false},
      // -eis for -es only where the genitive plural is in -ium.
      {"patreis", "pater|n. 3|acc. m. pl.|", false},
  });
}

TEST(AnalyserOnTheLexicon, GreekDeclension) {
  VARNELIO_REQUIRE_DATA(analyserBuilt(), "analyseur.dat");
  checkRule({
      {"Pallada", "Pallas|npr. 3|acc. f. sg.|", true},    // -as, -adis
      {"Palladem", "Pallas|npr. 3|acc. f. sg.|", true},   // the Latin form stays
      {"Cycladas", "Cyclas|npr. 3|acc. f. pl.|", true},
      {"aethera", "aether|n. 3|acc. sg.|", true},         // -er written with Greek letters
      {"Salamina", "Salamis|npr. 3|acc. f. sg.|", true},  // -is, -inis of a name
      {"delphina", "delphin|n. 3|acc. m. sg.|", true},    // -in, -inis
      {"heroas", "heros|n. 3|acc. m. pl.|", true},        // -os, -ois
      {"Tethyn", "Tethys|npr. 3|acc. f. sg.|", true},     // -ys, -yos
      {"Tethyos", "Tethys|npr. 3|g\xE9n. f. sg.|", true},
      {"Xenophonta", "Xenophon|npr. 3|acc. m. sg.|", true},  // -on, -ontis
      {"Titana", "Titan|npr. 3|acc. m. sg.|", true},       // -an, -anis
      {"Orphea", "Orpheus|n. pr.|acc. m. sg.|", true},     // -eus: the lexicon's own Greek model
      // Latin nouns of the same endings keep their Latin declension only.
      {"lapida", "lapis|n. 3|acc. m. sg.|", false},        // -is, -idis, not Greek
      {"vada", "vas|n. 3|acc. n. sg.|", false},            // -as, -adis of one syllable
      {"sanguina", "sanguis|n. 3|acc. m. sg.|", false},    // -is, -inis, not a name
      {"muliera", "mulier|n. 3|acc. f. sg.|", false},      // -er, -eris, no Greek letter
      {"militas", "miles|n. 3|acc. m. pl.|", false},
      {"rosas", "rosa|n. 1|acc. f. pl.|", true},
  });
}

TEST(AnalyserOnTheLexicon, SmallClasses) {
  VARNELIO_REQUIRE_DATA(analyserBuilt(), "analyseur.dat");
  checkRule({
      {"metu", "metus|n. 4|dat. m. sg.|", true},             // dative in -u of the fourth
      {"senatu", "senatus|n. 4|dat. m. sg.|", true},
      {"domino", "dominus|n. 2|dat. m. sg.|", true},
      {"Rosci", "Roscius|adj. 1|g\xE9n. m. sg.|", true},      // a Roman name in -ius
      {"pi", "pius|adj. 1|g\xE9n. m. sg.|", false},          // ... not any adjective in -ius
      {"Ubi", "Ubius|adj. 1|g\xE9n. m. sg.|", true},
      {"transiebant", "transeo|v.|3e p. pl.|ind. imparf. act. (latin tardif)", true},
      {"rediebant", "redeo|v.|3e p. pl.|ind. imparf. act. (latin tardif)", true},
      {"audiebat", "audio|v. 4|3e p. sg.|ind. imparf. act.", true},  // the fourth's own imperfect
      {"audiebat", "audio|v. 4|3e p. sg.|ind. imparf. act. (latin tardif)", false},
      {"securem", "securis|n. 3|acc. f. sg.|", true},        // -em beside -im
      {"securim", "securis|n. 3|acc. f. sg.|", true},
      {"turrem", "turris|n. 3|acc. f. sg.|", true},
      {"sitem", "sitis|n. 3|acc. f. sg.|", false},          // sitis: -im only
      // Tres (les Trois Tavernes) is plural only.
      {"Tres", "Tres|npr. 1|nom. f. pl.|", true},
      {"Tres", "Tres|npr. 1|nom. f. sg.|", false},
      {"Tram", "Tres|npr. 1|acc. f. sg.|", false},
      // The passive of the compounds of eo that take an object; the impersonal of the others.
      {"adiri", "adeo|v.||inf. pr\xE9s. pass.", true},
      {"aditur", "adeo|v.|3e p. sg.|ind. pr\xE9s. pass.", true},
      {"aditur", "adeo|v.|2e p. sg.|ind. pr\xE9s. pass.", false},
      {"adeuntur", "adeo|v.|3e p. pl.|ind. pr\xE9s. pass.", true},
      {"praetereunda", "praetereo|v.|nom. f. sg.|adj. vb.", true},
      {"iretur", "eo|v.|3e p. sg.|subj. imparf. pass.", true},
      {"abiretur", "abeo|v.|3e p. sg.|subj. imparf. pass.", true},
      {"iremur", "eo|v.|1re p. pl.|subj. imparf. pass.", false},     // eo: the impersonal only
      {"pereuntur", "pereo|v.|3e p. pl.|ind. pr\xE9s. pass.", false},
      // Contracted perfects in -evi and -ivi.
      {"consuesset", "consuesco|v. 3|3e p. sg.|subj. p.-q.-p. act.", true},
      {"communiit", "communio|v. 4|3e p. sg.|ind. parf. act.", true},
      {"arcessierat", "arcesso|v. 3|3e p. sg.|ind. p.-q.-p. act.", true},
      {"filii", "filius|n. 2|1re p. sg.|ind. parf. act.", false},
      // Forms the models lack, with their grammar in the corrections.
      {"duum", "duo|adj. 1|g\xE9n. f. pl.|", true},
      {"pinu", "pinus|n. 2|abl. f. sg.|", true},
      {"iocineris", "jecur|n. 3|g\xE9n. n. sg.|", true},
      {"tigres", "tigris|n. 3|nom. m. pl.|", true},
      {"mavelim", "malo|v. 3|1re p. sg.|subj. pr\xE9s. act.", true},
      {"oreretur", "orior|v. 4|3e p. sg.|subj. imparf. d\xE9p.", true},
      {"eorundem", "idem|pron.|g\xE9n. m. pl.|", true},
      {"Ptolomaeum", "Ptolemaeus|npr. 2|acc. m. sg.|", true},
      // Abbreviations, as written.
      {"pl", "plebs|n. 3|g\xE9n. f. sg.|", true},
      {"tr", "tribunus|n. 2|nom. m. pl.|", true},
      {"R", "Romanus|adj. 1|g\xE9n. m. sg.|", true},
      {"Febr", "Februarius|adj. 1|acc. f. pl.|", true},
      {"febr", "Februarius|adj. 1|acc. f. pl.|", false},
      {"PL", "plebs|n. 3|g\xE9n. f. sg.|", false},
  });
}

// The forms of early Latin and of speech, on words of ../shared/raw (Plautus,
// Terence, Lucretius, Vergil) and of the grammars: each is read only where nothing
// else reads the word, and labelled where a teacher would point it out.
TEST(AnalyserOnTheLexicon, EarlyAndSpokenLatin) {
  VARNELIO_REQUIRE_DATA(analyser().status() == LatinAnalyser::Status::Loaded, "analyseur.dat");
  // The label follows the mood-tense-voice, or stands alone in its column.
  const std::string early = " (latin archa\xEFque)", earlyAlone = "(latin archa\xEFque)";
  checkRule({
      // est run into the word before, after a vowel, m or s.
      {"homost", "homo|n. 3|nom. m. sg.|(+ est)", true},
      {"necessest", "necesse|adj.||(+ est)", true},
      {"certumst", "certus|adj. 1|nom. n. sg.|(+ est)", true},
      {"meliust", "Melius|npr. 2|nom. m. sg.|(+ est)", true},
      {"missust", "mitto|v. 3|nom. m. sg.|part. parf. pass. (+ est)", true},
      {"missust", "mitto|v. 3||supin (+ est)", false},          // after u the s is the word's
      {"est", "e|prép.||(+ est)", false},                        // a word of its own is nothing else
      {"potest", "pote|adv.||(+ est)", false},
      // -ne cut to -n, with the s of a second person.
      {"viden", "video|v. 2|2e p. sg.|ind. pr\xE9s. act. (+ -ne)", true},
      {"scin", "scio|v. 4|2e p. sg.|ind. pr\xE9s. act. (+ -ne)", true},
      {"scin", "scia|n. 1|dat. f. pl.|(+ -ne)", false},          // "scis" of scia is no second person
      {"egon", "ego|pron.|nom. m. sg.|(+ -ne)", true},
      {"salvan", "salvos|adj. 1|nom. f. sg.|(+ -ne)", true},    // after a, no s went
      {"salvan", "salvo|v. 1|2e p. sg.|ind. pr\xE9s. act. (+ -ne)", false},
      {"agmen", "agme|n. 3|nom. n. sg.|(+ -ne)", false},
      // The personal pronouns in -d.
      {"med", "ego|pron.|acc. m. sg.|" + earlyAlone, true},
      {"ted", "tu|pron.|abl. m. sg.|" + earlyAlone, true},
      {"sed", "se|pron.|acc. m. sg.|" + earlyAlone, true},
      {"sed", "sed|conj.||", true},
      {"qued", "qui|pron.|abl. m. sg.|" + earlyAlone, false},         // qui is no personal pronoun
      // The present subjunctive of sum.
      {"sies", "sum|v.|2e p. sg.|subj. pr\xE9s. act." + early, true},
      {"sient", "sum|v.|3e p. pl.|subj. pr\xE9s. act." + early, true},
      {"fuat", "sum|v.|3e p. sg.|subj. pr\xE9s. act." + early, true},
      {"possiet", "possum|v.|3e p. sg.|subj. pr\xE9s. act." + early, true},
      {"fuas", "fuo|v.|2e p. sg.|subj. pr\xE9s. act." + early, false},
      {"amiet", "amo|v. 1|3e p. sg.|subj. pr\xE9s. act." + early, false},  // of sum only
      // Syncopated perfects, and the perfects in -ii.
      {"dixti", "dico|v. 3|2e p. sg.|ind. parf. act.", true},
      {"vixet", "vivo|v. 3|3e p. sg.|subj. p.-q.-p. act.", true},
      {"accestis", "accedo|v. 3|2e p. pl.|ind. parf. act.", true},
      {"desisse", "desino|v. 3||inf. parf. act.", true},
      {"amati", "amo|v. 1|2e p. sg.|ind. parf. act.", false},  // only after the s or x of the perfect
      // The genitive in -ai of the first declension.
      {"materiai", "materia|n. 1|g\xE9n. f. sg.|" + earlyAlone, true},
      {"aquai", "aqua|n. 1|g\xE9n. f. sg.|" + earlyAlone, true},
      {"aquai", "aqua|n. 1|dat. f. sg.|" + earlyAlone, false},
      {"ipsus", "ipse|pron.|nom. m. sg.|" + earlyAlone, true},
      // p for b, c for qu, d for t.
      {"aps", "a|pr\xE9p.||", true},
      {"optinuit", "obtineo|v. 2|3e p. sg.|ind. parf. act.", true},
      {"secuntur", "sequor|v. 3|3e p. pl.|ind. pr\xE9s. d\xE9p.", true},
      {"inquid", "inquit|v.||", true},
      // The optatives in -sim, -xim and the subjunctives in -duim.
      {"ausim", "audeo|v. 2|1re p. sg.|subj. parf. act." + early, true},
      {"ausim", "audio|v. 4|1re p. sg.|subj. parf. act." + early, false},
      {"absumsit", "absumo|v. 3|3e p. sg.|subj. parf. act." + early, false},  // absumpsit, spelled without p
      {"absumsit", "absumo|v. 3|3e p. sg.|ind. parf. act.", true},
      {"faxint", "facio|v. 3|3e p. pl.|subj. parf. act." + early, true},
      {"perduint", "perdo|v. 3|3e p. pl.|subj. pr\xE9s. act." + early, true},
      // The present passive infinitive in -ier.
      {"dicier", "dico|v. 3||inf. pr\xE9s. pass." + early, true},
      {"amarier", "amo|v. 1||inf. pr\xE9s. pass." + early, true},
      {"amarier", "amo|v. 1||inf. pr\xE9s. act." + early, false},
      // -met after a personal pronoun.
      {"semetipsum", "se|pron.|acc. m. sg.|", true},
      {"semetipsum", "se|pron.|abl. m. sg.|", false},
      // The genitive plural of the third in -um and -ium.
      {"caelestum", "caelestis|adj. 2|g\xE9n. m. pl.|", true},
      {"voluptatium", "voluptas|n. 3|g\xE9n. f. pl.|", true},
      // -re for -ris in the second person of the passive.
      {"fateare", "fateor|v. 2|2e p. sg.|subj. pr\xE9s. d\xE9p.", true},
      {"fateare", "fateor|v. 2|3e p. sg.|subj. pr\xE9s. d\xE9p.", false},
      // A particle after any case of quis, qui, uter, qualis, quantus; ec- before quis.
      {"quidlibet", "quilibet|pron.|nom. n. sg.|", true},
      {"qualiacumque", "qualiscumque|adj. 2|acc. n. pl.|", true},
      {"utrumvis", "uter|adj. 1|acc. n. sg.|", true},
      {"quantalibet", "quantus|adj. 1|abl. f. sg.|", true},
      {"ecquem", "ecquis|pron.|acc. m. sg.|", true},
      {"amorlibet", "amor|n. 3|nom. m. sg.|", false},                 // no pronoun before it
      // ecce, -pse, -ce, -met and modi run into a pronoun.
      {"eccam", "is|pron.|acc. f. sg.|" + earlyAlone, true},
      {"eccillum", "ille|pron.|acc. m. sg.|" + earlyAlone, true},
      {"eccis", "is|pron.|dat. m. pl.|" + earlyAlone, false},         // ecce, with a nominative or accusative
      {"eapse", "is|pron.|nom. f. sg.|" + earlyAlone, true},
      {"horunc", "hic|pron.|g\xE9n. m. pl.|" + earlyAlone, true},
      {"illisce", "ille|pron.|dat. m. pl.|", true},
      {"suomet", "suus|adj. 1|abl. m. sg.|", true},
      {"istiusmodi", "modus|n. 2|g\xE9n. m. sg.|", true},
      {"cuicuimodi", "modus|n. 2|g\xE9n. m. sg.|", true},
      {"istiusmodi", "modus|n. 2|nom. m. pl.|", false},
      {"rosamodi", "modus|n. 2|g\xE9n. m. sg.|", false},              // after a pronoun only
      // de and a form of sum in e- as one syllable.
      {"derat", "desum|v.|3e p. sg.|ind. imparf. act.", true},
      {"desse", "desum|v.||inf. pr\xE9s. act.", true},
      // The kept reduplication of the compounds of curro, in the perfect only.
      {"decucurrit", "decurro|v. 3|3e p. sg.|ind. parf. act.", true},
      {"decucurrit", "decurro|v. 3|3e p. sg.|ind. pr\xE9s. act.", false},
      // A board of magistrates written with its number.
      {"xviri", "decemvir|n. 2|nom. m. pl.|", true},
      {"iiiviros", "triumvir|n. 2|acc. m. pl.|", true},
      {"xxxviri", "decemvir|n. 2|nom. m. pl.|", false},
      // n for m before qu.
      {"quotiescunque", "quotienscumque|conj.||", true},
  });
}

TEST(AnalyserOnTheLexicon, GreekCasesOfNames) {
  VARNELIO_REQUIRE_DATA(analyser().status() == LatinAnalyser::Status::Loaded, "analyseur.dat");
  checkRule({
      {"Nestora", "Nestor|npr. 3|acc. m. sg.|(forme grecque)", true},
      {"Thetin", "Thetis|npr. 3|acc. f. sg.|(forme grecque)", true},
      {"Mithridaten", "Mithridates|npr. 3|acc. m. sg.|(forme grecque)", true},
      {"Thybrim", "Thybris|npr. 3|acc. m. sg.|", true},                   // -im, Latin as much as Greek
      {"Nestorem", "Nestor|npr. 3|acc. m. sg.|", true},                   // the Latin form, unlabelled
      {"Nestorem", "Nestor|npr. 3|acc. m. sg.|(forme grecque)", false},
      {"militan", "miles|n. 3|acc. m. sg.|(forme grecque)", false},       // a noun, not a name
      {"Romam", "Roma|npr. 1|acc. f. sg.|(forme grecque)", false},
  });
}

TEST(AnalyserOnTheLexicon, DeponentParticiples) {
  VARNELIO_REQUIRE_DATA(analyserBuilt(), "analyseur.dat");
  checkRule({
      {"egressi", "egredior|v. 3|nom. m. pl.|part. parf. d\xE9p.", true},
      {"egressi", "egredior|v. 3|nom. m. pl.|part. parf. act.", false},
      {"hortatus", "hortor|v. 1|nom. m. sg.|part. parf. d\xE9p.", true},
      {"amatus", "amo|v. 1|nom. m. sg.|part. parf. pass.", true},  // not a deponent
  });
}

TEST(AnalyserOnTheLexicon, LikeliestFirst) {
  VARNELIO_REQUIRE_DATA(analyserBuilt(), "analyseur.dat");
  // The first analysis, then one that must come after it.
  const std::vector<std::tuple<const char*, const char*, const char*>> cases = {
      {"egressi", "egredior|v. 3|nom. m. pl.|part. parf. d\xE9p.", "egredior|v. 3|g\xE9n. m. sg.|part. parf. d\xE9p."},
      {"urbis", "urbs|n. 3|g\xE9n. f. sg.|", "urbs|n. 3|acc. f. pl.|"},  // -is is the rarer accusative
      {"ubi", "ubi|adv.||", "Ubius|adj. 1|g\xE9n. m. sg.|"},  // a name's genitive after the regular readings
      {"est", "sum|v.|3e p. sg.|ind. pr\xE9s. act.", "edo|v. 3|3e p. sg.|ind. pr\xE9s. act."},  // the commoner lemma
      {"vita", "vita|n. 1|nom. f. sg.|", "vito|v. 1|2e p. sg.|imp\xE9r. pr\xE9s. act."},
      // A shortened spelling ("provincis" for "provinciis") after the regular readings.
      {"provincis", "provinco|v. 3|2e p. sg.|ind. pr\xE9s. act.", "provincia|n. 1|dat. f. pl.|"},
  };
  for (const auto& [word, first, later] : cases) {
    std::vector<Analysis> analyses = analyser().analyse(word);
    analyser().likeliestFirst(analyses);
    std::vector<std::string> all;
    for (const Analysis& a : analyses) {
      const AnalysisText t = analyser().describe(a, word);
      all.push_back(t.lemma + "|" + t.category + "|" + t.caseGenderNumber + "|" + t.moodTenseVoice);
    }
    EXPECT_EQ(all.size(), answers(word).size()) << word;  // the same analyses, reordered
    ASSERT_FALSE(all.empty()) << word;
    EXPECT_EQ(all.front(), first) << word;
    const auto at = std::find(all.begin(), all.end(), later);
    EXPECT_NE(at, all.end()) << word << " lacks " << later;
  }
}

TEST(LexiconCorrections, OursAreReadAndEachHasItsReason) {
  auto text = readWholeFile(VARNELIO_CORRECTIONS);
  ASSERT_TRUE(std::holds_alternative<std::string>(text));
  auto morphos = readWholeFile(std::string(VARNELIO_COLLATINUS_DATA) + "/morphos.fr");
  VARNELIO_REQUIRE_DATA(std::holds_alternative<std::string>(morphos), "the Collatinus data");
  const MorphologyTable table = decodeMorphologies(readMorphologies(std::get<std::string>(morphos)));
  std::vector<LexiconCorrection> corrections;
  EXPECT_EQ(readCorrections(std::get<std::string>(text), table, corrections), std::nullopt);
  EXPECT_GT(corrections.size(), 10u);
  for (const LexiconCorrection& c : corrections) EXPECT_FALSE(c.reason.empty()) << "line " << c.line;
}

}  // namespace
}  // namespace varnelio::mkdict
