// SPDX-License-Identifier: GPL-3.0-or-later
// varnelio-mkdict on a lexicon of five lemmas written here in the Collatinus
// formats: the records it builds, read back through the dictionary tables.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "core/analysis/candidate_grid.h"
#include "core/dictionaries/dictionaries.h"
#include "core/text/cp1252.h"
#include "core/text/trim.h"
#include "mkdict/collatinus_lexicon.h"
#include "mkdict/dictionary_builder.h"
#include "mkdict/gloss_text.h"
#include "mkdict/grammar_labels.h"
#include "mkdict/inflection_models.h"
#include "mkdict/plain_latin.h"

namespace varnelio::mkdict {
namespace {

// A first-declension noun, a third-declension noun with its second radical, an
// adjective of the doctus model, a verb of the amo model, a lemma with j.
constexpr const char* kLemmes = R"(! lemmes.la
rŏsa|uita|||ae, f.|120
mīlĕs|miles|mīlĭt||itis, m.|500
doctus=dōctus|doctus|||a, um|80
ămo|amo|||as, are|900
jūstus|doctus|||a, um|60
)";

constexpr const char* kTraductions = "! lemmes.fr\nFran\xC3\xA7" "ais\n"
                                     "rosa:rose\nmiles:soldat, fantassin\ndoctus:instruit, savant\namo:aimer\n"
                                     "justus:juste\n";

constexpr const char* kModeles = R"(! modeles.la
$lupus=ŭs;ĕ;ŭm;ī;ō;ō;ī;ī;ōs;ōrŭm;īs;īs
$templum=ŭm;ŭm;ŭm;ī;ō;ō;ă;ă;ă;ōrŭm;īs;īs
$uita=ă;ă;ăm;āe;āe;ā;āe;āe;ās;ārŭm;īs;īs

modele:uita
R:1:1,0
des:1-12:1:$uita
pos:n

modele:miles
R:2:K
des:1,2:2:-;-
des:3-12:1:ĕm;ĭs;ī;ĕ;ēs;ēs;ēs;ŭm;ĭbŭs
pos:n

modele:doctus
R:0:2,0
des:13-48:0:$lupus;$uita;$templum
pos:a

modele:amo
R:0:1,0
R:1:1,āv
R:2:1,āt
des:121-126:0:ō̆;ās;ăt;āmŭs;ātĭs;ānt
! parfait
des:139-144:1:ī;īstī;ĭt;ĭmŭs;īstĭs;ērūnt,ērĕ
des:187:0:ārĕ
des:188:1:īssĕ
des:188:0:āssĕ
pos:v
)";

std::string morphosText() {
  const char* cases[] = {"nominatif", "vocatif", "accusatif", "g\xC3\xA9nitif", "datif", "ablatif"};
  const char* genders[] = {"masculin", "f\xC3\xA9minin", "neutre"};
  std::string text = "! morphos.fr\n";
  int n = 1;
  for (const char* number : {"singulier", "pluriel"})
    for (const char* c : cases) text += std::to_string(n++) + ":" + c + " " + number + "\n";
  for (const char* g : genders)
    for (const char* number : {"singulier", "pluriel"})
      for (const char* c : cases) text += std::to_string(n++) + ":" + c + " " + g + " " + number + "\n";
  const char* persons[] = {"1\xC3\xA8re singulier", "2\xC3\xA8me singulier", "3\xC3\xA8me singulier",
                           "1\xC3\xA8re pluriel",   "2\xC3\xA8me pluriel",   "3\xC3\xA8me pluriel"};
  for (int p = 0; p < 6; ++p) text += std::to_string(121 + p) + ":" + persons[p] + " indicatif pr\xC3\xA9sent actif\n";
  for (int p = 0; p < 6; ++p) text += std::to_string(139 + p) + ":" + persons[p] + " indicatif parfait actif\n";
  text += "187:infinitif pr\xC3\xA9sent actif\n188:infinitif parfait actif\n";
  return text;
}

CollatinusLexicon smallLexicon() {
  CollatinusLexicon lexicon;
  lexicon.lemmas = readLemmas(kLemmes);
  lexicon.translations = readTranslations(kTraductions);
  lexicon.models = readInflectionModels(kModeles);
  lexicon.morphologies = readMorphologies(morphosText());
  lexicon.morphologyFeatures = decodeMorphologies(lexicon.morphologies);
  return lexicon;
}

struct Built {
  BuiltDictionaries files;
  LemmaTable lemmas;
  FormTable forms;
};

Built build(const BuildOptions& options = {}) {
  Built b{buildDictionaries(smallLexicon(), options), {}, {}};
  b.lemmas = LemmaTable(DictionaryFile(lemmaLayout(), b.files.lemmaFile));
  b.forms = FormTable(DictionaryFile(formLayout(), b.files.formFile));
  return b;
}

// The case-gender-number field is padded on the right like the others and loses
// only its leading blanks on loading: compare it without its padding.
std::vector<FormRow> rowsOf(const FormTable& table, std::string_view form) {
  std::vector<FormRow> rows;
  for (std::size_t i : table.findForm(form)) {
    FormRow row = table.row(i);
    row[4] = std::string(trimTrailingSpaces(row[4]));
    rows.push_back(row);
  }
  return rows;
}

// form, lemma, translation, category, case-gender-number, mood-tense-voice
TEST(Mkdict, FormRecordsOfEachKindOfLemma) {
  const Built b = build();
  EXPECT_EQ(b.files.formCount, b.forms.count());
  EXPECT_EQ(b.forms.count(), 12u + 12u + 36u + 72u + 16u);

  const std::vector<std::pair<std::string, std::vector<FormRow>>> cases = {
      {"rosam", {{"rosam", "rosa", "rose", "n.", "acc. f. sg.", ""}}},
      // Among the records of one form the likeliest first: the ablative plural is
      // met three times as often as the dative.
      {"rosis",
       {{"rosis", "rosa", "rose", "n.", "abl. f. pl.", ""}, {"rosis", "rosa", "rose", "n.", "dat. f. pl.", ""}}},
      {"militem", {{"militem", "miles", "soldat, fantassin", "n.", "acc. m. sg.", ""}}},
      {"miles",
       {{"miles", "miles", "soldat, fantassin", "n.", "nom. m. sg.", ""},
        {"miles", "miles", "soldat, fantassin", "n.", "voc. m. sg.", ""}}},
      {"militibus",
       {{"militibus", "miles", "soldat, fantassin", "n.", "abl. m. pl.", ""},
        {"militibus", "miles", "soldat, fantassin", "n.", "dat. m. pl.", ""}}},
      {"doctam", {{"doctam", "doctus", "instruit, savant", "adj.", "acc. f. sg.", ""}}},
      {"docte", {{"docte", "doctus", "instruit, savant", "adj.", "voc. m. sg.", ""}}},
      {"amat", {{"amat", "amo", "aimer", "v.", "3e p. sg.", "ind. pr\xE9s. act."}}},
      {"amavere", {{"amavere", "amo", "aimer", "v.", "3e p. pl.", "ind. parf. act."}}},
      {"amavisse", {{"amavisse", "amo", "aimer", "v.", "", "inf. parf. act."}}},
      {"amasse", {{"amasse", "amo", "aimer", "v.", "", "inf. parf. act."}}},
      {"amare", {{"amare", "amo", "aimer", "v.", "", "inf. pr\xE9s. act."}}},
      {"justi",
       {{"justi", "justus", "juste", "adj.", "nom. m. pl.", ""},
        {"justi", "justus", "juste", "adj.", "g\xE9n. m. sg.", ""},
        {"justi", "justus", "juste", "adj.", "g\xE9n. n. sg.", ""},
        {"justi", "justus", "juste", "adj.", "voc. m. pl.", ""}}},
      {"iustam", {{"iustam", "justus", "juste", "adj.", "acc. f. sg.", ""}}},
      {"amatus", {}},  // no participle in this small amo model
  };
  for (const auto& [form, expected] : cases) EXPECT_EQ(rowsOf(b.forms, form), expected) << form;
}

TEST(Mkdict, LemmaRecordsAreExact) {
  const Built b = build();
  ASSERT_EQ(b.lemmas.count(), 5u);
  const std::vector<LemmaRow> expected = {{"amo", "aimer", "v.", "", ""},
                                          {"doctus", "instruit, savant", "adj.", "", ""},
                                          {"justus", "juste", "adj.", "", ""},
                                          {"miles", "soldat, fantassin", "n.", "", ""},
                                          {"rosa", "rose", "n.", "", ""}};
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(b.lemmas.row(i), expected[i]) << i;
  // Byte for byte: integer 0, blank-padded fields, blank families and spare text.
  EXPECT_EQ(b.files.lemmaFile.substr(0, lemmaLayout().recordSize),
            encodeDictionaryRecord(lemmaLayout(), 0, {"amo", "v.", "aimer", "", ""}));
  EXPECT_EQ(b.files.lemmaFile.size(), 5 * lemmaLayout().recordSize);
}

TEST(Mkdict, FormsAreInLookupOrderAndListedByLetter) {
  const Built b = build();
  for (std::size_t i = 1; i < b.forms.count(); ++i) {
    const std::string prev = cp1252::toLower(b.forms.row(i - 1)[0]);
    const std::string cur = cp1252::toLower(b.forms.row(i)[0]);
    ASSERT_LE(prev, cur) << i;
  }
  EXPECT_EQ(b.forms.findLetter('r').size(), 12u);
  EXPECT_EQ(b.forms.findLetter('i').size(), 36u);  // the i spellings of justus
  EXPECT_EQ(b.forms.findLetter('j').size(), 36u);
  EXPECT_EQ(b.lemmas.findLetter('m').size(), 1u);
}

TEST(Mkdict, TheMostLikelyFormsFillALimitedFile) {
  BuildOptions options;
  options.maxFormRecords = 30;
  const Built b = build(options);
  EXPECT_LE(b.forms.count(), 30u);
  EXPECT_FALSE(b.forms.findForm("militem").empty());  // frequent noun
  EXPECT_FALSE(b.forms.findForm("amant").empty());    // third persons of a frequent verb
  EXPECT_FALSE(b.forms.findForm("rosas").empty());
  EXPECT_TRUE(b.forms.findForm("doctam").empty());    // a rarer adjective waits
  EXPECT_FALSE(b.forms.findForm("doctus").empty());   // ... but keeps its headword
  EXPECT_EQ(b.lemmas.count(), 5u);                     // the lemma file keeps every lemma
  // Below one record a lemma, the rarest forms go, never a lemma: each keeps the
  // first form spelled as its headword.
  options.maxFormRecords = 2;
  const Built tiny = build(options);
  EXPECT_EQ(tiny.forms.count(), 5u);
  for (const char* headword : {"rosa", "miles", "doctus", "amo", "justus"})
    EXPECT_EQ(tiny.forms.findForm(headword).size(), 1u) << headword;
}

TEST(Mkdict, LemmaLinesAreRead) {
  const auto lemmas = readLemmas(R"(! comment
ălĭŭs|unus|-|-|a, ud, pron.|4524
ăbĕo|eo|ăbĭ,ăbīv|ăbĭt|is, ire|489
cum2=cŭm,quŏm|inv|||conj.|8916! comment
)");
  ASSERT_EQ(lemmas.size(), 3u);
  EXPECT_EQ(lemmas[0].lemma, "alius");
  EXPECT_TRUE(lemmas[0].givenRadicals.empty());  // "-": no radical written out
  EXPECT_EQ(lemmas[1].givenRadicals.at(1), (std::vector<std::string>{"abi", "abiv"}));
  EXPECT_EQ(lemmas[1].givenRadicals.at(2), (std::vector<std::string>{"abit"}));
  EXPECT_EQ(lemmas[2].key, "cum2");
  EXPECT_EQ(lemmas[2].lemma, "cum");
  EXPECT_EQ(lemmas[2].spellings, (std::vector<std::string>{"cum", "quom"}));
  EXPECT_EQ(lemmas[2].indications, "conj.");
  EXPECT_EQ(lemmas[2].frequency, 8916);
}

TEST(Mkdict, QuantityMarksAreRemoved) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"ăbăcus", "abacus"},        {"āngụīlla", "anguilla"},   {"Ăbās", "Abas"},
      {"ā̆blūdo", "abludo"},       {"Abdălōnўmus", "Abdalonymus"}, {"ȳ", "y"},
      {"prép.", "pr\xE9p."},       {"ā3", "a3"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(plainLatin(in), out) << in;
  EXPECT_EQ(withoutHomonymNumber("abdico2"), "abdico");
}

TEST(Mkdict, TranslationsAreCutAtAWordWithAnEllipsis) {
  EXPECT_EQ(fitTranslation("rose", 10), "rose");
  EXPECT_EQ(fitTranslation("placer loin de, cacher", 16), "placer loin de\x85");
  EXPECT_EQ(fitTranslation("abcdefghijkl", 6), "abcde\x85");
  const std::string cut = fitTranslation(std::string(60, 'a') + " " + std::string(60, 'b'), 100);
  EXPECT_EQ(cut, std::string(60, 'a') + "\x85");
}

TEST(Mkdict, CategoriesAndLabels) {
  const std::vector<std::tuple<char, std::string, std::string>> categories = {
      {'n', "ae, f.", "n."},        {'n', "ae, f. npr.", "n. pr."}, {'a', "a, um", "adj."},
      {'v', "as, are", "v."},       {'p', "", "pron."},             {0, "pr\xE9p. + abl.", "pr\xE9p."},
      {0, "conj. sub.", "conj."},   {0, "interj.", "interj."},      {0, "adv.", "adv."},
      {0, "contr.", "contr."},  {0, "arch.", ""},
  };
  for (const auto& [pos, indications, category] : categories)
    EXPECT_EQ(categoryOf(pos, indications), category) << indications;
  EXPECT_EQ(categoryOf('n', "ae, f.", "Abdera"), "n. pr.");
  EXPECT_EQ(categoryOf('a', "a, um", "Gallicus"), "adj.");
  EXPECT_EQ(categoryOf(0, "d\xE9t.", "aliquot"), "d\xE9t.");
  EXPECT_EQ(fitCategory("interj.", 6), "interj");
  EXPECT_EQ(nounGender("ae, m. f."), "m. f.");

  struct LabelCase {
    std::string description, gender, cgn, mtv;
  };
  const std::vector<LabelCase> labels = {
      {"accusatif singulier", "f.", "acc. f. sg.", ""},
      {"g\xE9nitif neutre pluriel", "", "g\xE9n. n. pl.", ""},
      {"3\xE8me pluriel subjonctif PQP passif", "", "3e p. pl.", "subj. p.-q.-p. pass."},
      {"1\xE8re singulier indicatif futur ant\xE9rieur actif", "", "1re p. sg.", "ind. fut. ant. act."},
      {"ablatif f\xE9minin singulier participe parfait passif", "", "abl. f. sg.", "part. parf. pass."},
      {"nominatif masculin singulier comparatif", "", "nom. m. sg.", "comparatif"},
      {"g\xE9rondif accusatif", "", "acc.", "g\xE9r."},
  };
  for (const auto& c : labels) {
    const MorphologyLabels l = labelsOf(c.description, c.gender);
    EXPECT_EQ(l.caseGenderNumber, c.cgn) << c.description;
    EXPECT_EQ(l.moodTenseVoice, c.mtv) << c.description;
    EXPECT_LE(l.caseGenderNumber.size(), 15u);
    EXPECT_LE(l.moodTenseVoice.size(), 22u);
  }
}

TEST(Mkdict, ModelsInheritRadicalsDesinencesAndAbsences) {
  const InflectionModels models = readInflectionModels(std::string(kModeles) + R"(
modele:moneo
pere:amo
R:0:2,0
R:1:-
des:121-122:0:ĕō̆;ēs

modele:liberi
pere:uita
abs:1-6

modele:lupus2
pere:uita
des+:1:1:ēs

modele:uita2
pere:uita
des:1:1:ō
des:1:1:ēs
)");
  const InflectionModel& moneo = models.at("moneo");
  EXPECT_EQ(moneo.partOfSpeech, 'v');
  // Cutting "-eo" instead of "-o": amo's derived supine radical no longer applies.
  EXPECT_FALSE(moneo.radicals.contains(2));
  EXPECT_EQ(moneo.radicals.at(1).kind, RadicalRule::Kind::GivenOnly);
  EXPECT_EQ(moneo.desinences.at(122).front().ending, "es");
  EXPECT_EQ(moneo.desinences.at(139).front().ending, "i");  // inherited perfect
  EXPECT_EQ(models.at("lupus2").desinences.at(1).size(), 2u);  // "a" and the added "es"
  const auto& uita2 = models.at("uita2").desinences.at(1);       // "o" replaces "a", "es" joins it
  ASSERT_EQ(uita2.size(), 2u);
  EXPECT_EQ(uita2[0].ending, "o");
  EXPECT_EQ(uita2[1].ending, "es");
  const InflectionModel& liberi = models.at("liberi");
  EXPECT_FALSE(liberi.desinences.contains(1));
  EXPECT_FALSE(liberi.desinences.contains(6));
  EXPECT_TRUE(liberi.desinences.contains(7));
  EXPECT_EQ(parseMorphologyList("1-3,6"), (std::vector<int>{1, 2, 3, 6}));
}

// The program itself: reads the four files from a folder, writes both dictionaries.
TEST(Mkdict, ProgramWritesBothFiles) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("varnelio-mkdict-test-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "out");
  const std::vector<std::pair<std::string, std::string>> files = {
      {"lemmes.la", kLemmes}, {"lemmes.fr", kTraductions}, {"modeles.la", kModeles}, {"morphos.fr", morphosText()}};
  for (const auto& [name, text] : files) std::ofstream(dir / name, std::ios::binary) << text;

  const std::string program = VARNELIO_MKDICT;
  const std::string run = "\"" + program + "\" \"" + dir.string() + "\" \"" + (dir / "out").string() + "\" > \"" +
                          (dir / "log").string() + "\" 2>&1";
  EXPECT_EQ(std::system(run.c_str()), 0);
  EXPECT_EQ(LemmaTable::load((dir / "out" / "lexique.dat").string()).count(), 5u);
  EXPECT_EQ(FormTable::load((dir / "out" / "donnees.dat").string()).count(), 148u);

  // A folder without the lexicon: a French line, exit status 1, nothing written.
  fs::remove(dir / "lemmes.la");
  fs::remove_all(dir / "out");
  fs::create_directories(dir / "out");
  const int status = std::system(run.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
  std::ifstream log(dir / "log");
  const std::string message((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  EXPECT_NE(message.find("Impossible de lire"), std::string::npos) << message;
  EXPECT_FALSE(fs::exists(dir / "out" / "donnees.dat"));
  fs::remove_all(dir);
}

// The readers take any bytes: broken UTF-8, missing fields, absurd numbers, a model
// that is its own parent, a radical cutting more than the lemma has.
TEST(Mkdict, ReadersSurviveBrokenInput) {
  const std::vector<std::string> texts = {
      "",
      "\xFF\xFE\xC3|\xE2\x82|||\n|||||||\n=|=|=\n",
      "x=|inv|||\n\xF8\x88\x80\x80\x80|uita|a,b,,|c|d|-5\n",
      "modele:a\npere:a\nR:0:99,0\nR:-3:K\ndes:1-999999:0:$nope;-;\ndes:5--2:x:\nabs:\nsuf:\nsufd:\n",
      "modele:b\nR\ndes\ndes:1\ndes:1:2\n$x\n$=;;\nmodele:c\npere:zz\ndes:1-3:0:$x\npos:\n",
      "1:\n-4:nominatif\n999999999999:x\n:\nabc:d\n",
  };
  for (const std::string& a : texts) {
    for (const std::string& b : texts) {
      CollatinusLexicon lexicon;
      lexicon.lemmas = readLemmas(a);
      lexicon.translations = readTranslations(a);
      lexicon.models = readInflectionModels(b);
      lexicon.morphologies = readMorphologies(b);
      lexicon.morphologyFeatures = decodeMorphologies(lexicon.morphologies);
      lexicon.lemmas.push_back({"a", "a", {"a"}, "a", {}, "", 1});
      const BuiltDictionaries built = buildDictionaries(lexicon);
      EXPECT_EQ(built.lemmaFile.size() % lemmaLayout().recordSize, 0u);
      EXPECT_EQ(built.formFile.size() % formLayout().recordSize, 0u);
    }
  }
}

TEST(Mkdict, EnglishGlossesAreTold) {
  // Glosses of the lexicon's lemmes.fr and lem_ext.fr.
  const std::vector<std::pair<std::string, bool>> cases = {
      {"one who lisps", true},
      {"the name of the angel of Tartarus", true},
      {"adopted, received in the place of a child;, the son of one who is adopted", true},
      {"a Gallic name of a particularly white kind of corn, bl\xE9 blanc de Dauphin\xE9;", true},  // French inside
      {"spoon", true},                                 // one word only the English list has
      {"vie", false},                                  // one French word
      {"rose", false},                                 // both lists have it: the lexicon's French stands
      {"habitants de la ville", false},
      {"qui z\xE9zaie", false},
      {"d'Auguste", false},
      {"du mont Aventin.", false},
      {"ville d'\xC9thiopie", false},
      {"fig. ind. dim.", false},                       // abbreviations before their full stop tell nothing
      {"Pallas, Minerve, Ath\xE8na", false},           // names tell nothing
      {"", false},
  };
  for (const auto& [text, english] : cases) EXPECT_EQ(mkdict::looksEnglish(text), english) << text;
}

TEST(Mkdict, HtmlEntitiesAreDecoded) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"pertaining to the &AElig;dui", "pertaining to the \xC3\x86" "dui"},
      {"c&oelig;ur, &oelig;uvre", "c\xC5\x93ur, \xC5\x93uvre"},
      {"bl&eacute; &mdash; Dauphin&eacute;", "bl\xC3\xA9 \xE2\x80\x94 Dauphin\xC3\xA9"},
      {"&#233;t&#xE9;", "\xC3\xA9t\xC3\xA9"},
      {"signe [&gt;] &lt;*&gt;", "signe [>] <*>"},
      {"Tom & Jerry; &nosuch; &;", "Tom & Jerry; &nosuch; &;"},  // what is no reference stays
      {"&#0; &#x110000; &#12a;", "&#0; &#x110000; &#12a;"},
      {"trailing &", "trailing &"},
  };
  for (const auto& [text, decoded] : cases) EXPECT_EQ(decodeHtmlEntities(text), decoded) << text;
  // Through the reader of lemmes.fr, into Windows-1252.
  const auto translations = readTranslations("Aedui:peuple de la Gaule, les &AElig;duens\n");
  ASSERT_EQ(translations.count("Aedui"), 1u);
  EXPECT_EQ(translations.at("Aedui"), "peuple de la Gaule, les \xC6" "duens");
}

TEST(Mkdict, HomographNumbersAreHidden) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Pallas2 (p\xE8re d'une certaine Minerve)", "Pallas (p\xE8re d'une certaine Minerve)"},
      {"v. Aiax1, Aiax2.", "v. Aiax, Aiax."},
      {"fils d'\xC9vandre2", "fils d'\xC9vandre"},
      {"H2O, 2e si\xE8" "cle, 300 pas", "H2O, 2e si\xE8" "cle, 300 pas"},  // a number that is no homograph's
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(withoutHomographNumbers(text), shown) << text;
}

TEST(Mkdict, ALemmaWithoutFrenchTakesAnotherLanguage) {
  CollatinusLexicon lexicon;
  lexicon.translations = {{"Pallas2", "Pallas2 (p\xE8re d'une certaine Minerve)"}, {"adoptitius", "adopted"},
                          {"aequor", ""}};
  lexicon.otherLanguages = {{"(angl.)", {{"aequor", "a level surface"}, {"zeta", "the letter zeta"}}},
                            {"(all.)", {{"zeta", "Zeta"}, {"ypsilon", "Ypsilon"}}}};
  const auto translation = [&](const char* key) {
    LemmaLine l;
    l.key = key;
    return translationOf(lexicon, l);
  };
  EXPECT_EQ(translation("Pallas2"), "Pallas (p\xE8re d'une certaine Minerve)");
  EXPECT_EQ(translation("adoptitius"), "(angl.) adopted");
  EXPECT_EQ(translation("aequor"), "(angl.) a level surface");  // an empty French translation is none
  EXPECT_EQ(translation("zeta"), "(angl.) the letter zeta");     // English before German
  EXPECT_EQ(translation("ypsilon"), "(all.) Ypsilon");
  EXPECT_EQ(translation("nihil"), "");
}

}  // namespace
}  // namespace varnelio::mkdict
