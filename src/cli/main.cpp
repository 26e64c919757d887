// SPDX-License-Identifier: GPL-3.0-or-later
// varnelio-cli: the command-line twin of Varnelio's core, for scripts, batch work
// and benchmarks. Arguments are UTF-8; texts and files are Windows-1252 inside.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "cli/cli_output.h"
#include "cli/commands.h"
#include "cli/file_identity.h"

namespace {

using namespace varnelio;
using namespace varnelio::cli;

constexpr std::string_view kHelp =
    R"(varnelio-cli : la ligne de commande de Varnelio (terminaisons des noms latins).

Usage :
  varnelio-cli scan CAS SOURCE [--tsv FICHIER] [--dat FICHIER] [--morceau OCTETS]
                   [--suggest [--drop]]
      Nouvelle analyse du texte SOURCE : cherche les candidats du CAS (et nombre).
      --suggest      pré-analyse : la colonne d'analyse reçoit l'étiquette proposée
                     de chaque candidat jugé nom du cas et du nombre (vide sinon),
                     puis deux colonnes : la confiance (0 à 100) et le niveau
                     (sûr, probable, douteux, faux), d'après analyseur.dat,
                     etiqueteur.dat et juge.dat installés
      --drop         avec --suggest, omet les candidats jugés faux et numérote
                     les autres 1, 2, 3…
      --tsv FICHIER  écrit l'exportation tableur (TAB, CR LF, Windows-1252)
      --dat FICHIER  écrit le fichier d'analyse (enregistrements de 369 octets)
      --morceau OCTETS  lit le texte par morceaux de cette taille (1048576 par
                     défaut) : la mémoire ne croît pas avec le texte
      Sans l'une ni l'autre, les lignes de l'exportation vont sur la sortie
      standard, en UTF-8, fins de ligne LF.
  varnelio-cli show ANALYSE [--tsv FICHIER]
      Relit un fichier d'analyse (.DAT) et l'exporte comme scan.
  varnelio-cli sentence SOURCE N
      Affiche la phrase N du texte (UTF-8, telle quelle, suivie d'un saut de ligne).
      N doit être compris entre 1 et la longueur du texte L ; au-delà du nombre
      de phrases la phrase est vide. Un N hors de 1..L est une erreur d'usage (2).
  varnelio-cli labels CAS
      Les cinq étiquettes d'analyse du CAS, une par ligne.
  varnelio-cli lemma [--dict FICHIER] TEXTE
  varnelio-cli lemma [--dict FICHIER] --letter C
      Dictionnaire des lemmes : lemmes commençant par TEXTE (sans tenir compte de
      la casse, i valant j et u valant v), ou lemmes de l'initiale C (a à z).
      Une ligne par résultat, les colonnes séparées par TAB : lemme,
      traduction, catégorie, famille française, famille latine.
  varnelio-cli form [--dict FICHIER] TEXTE
  varnelio-cli form [--dict FICHIER] --letter C
      Dictionnaire des formes : formes égales à TEXTE (sans tenir compte de la
      casse), ou formes de l'initiale C. Colonnes : forme, lemme, traduction,
      catégorie, cas-genre-nombre, mode-temps-voix.
      Après les formes du fichier, les analyses de l'analyseur (analyseur.dat,
      dans le dossier du dictionnaire) que ces formes ne donnent pas déjà.
      Sans résultat, rien sur la sortie standard et le message « Aucune
      information… » sur la sortie d'erreur (code 0). Sans --dict, le fichier
      installé : <dossier du programme>/../share/varnelio/lexique.dat (ou donnees.dat).
  varnelio-cli analyse [--dict FICHIER] SOURCE
      Chaque mot du texte SOURCE, coupé comme le fait la recherche des
      candidats, avec chacune de ses analyses, une ligne par analyse, les
      colonnes séparées par TAB : numéro du mot, forme, lemme, traduction,
      catégorie, cas-genre-nombre, mode-temps-voix. Un mot sans analyse donne
      une ligne : numéro, forme et cinq colonnes vides. Sans --dict, l'analyseur
      installé : <dossier du programme>/../share/varnelio/analyseur.dat.
  varnelio-cli exercise CAS SOURCE ANALYSE EXERCICE
      Fait un exercice (.exo) du texte SOURCE et du fichier d'analyse ANALYSE
      du professeur : le texte, le CAS et le corrigé de chaque candidat. Les
      lignes d'ANALYSE sont rapportées aux candidats par phrase et forme, dans
      l'ordre ; un candidat absent du fichier compte comme supprimé. Un candidat
      validé avec une étiquette (un code tel que [AC00C]) est un nom de cette
      déclinaison ; supprimé, ou validé avec un autre texte, il n'en est pas un ;
      laissé vide, il n'est pas corrigé. Le résumé du corrigé va sur la sortie
      standard.
  varnelio-cli grade EXERCICE COPIE... [--tsv FICHIER] [--detail]
      Corrige chaque fichier d'analyse COPIE d'après l'exercice : une ligne
      d'en-tête, puis une ligne par copie, colonnes séparées par TAB : Copie,
      Justes, Corrigés, Noms supprimés à tort, Faux candidats gardés, Note (sur
      20, au demi-point, virgule décimale). Une copie illisible a son message
      sur sa ligne, les autres sont corrigées (code 1).
      --detail       ajoute sous chaque copie ses lignes fausses : TAB, phrase,
                     forme, réponse donnée, réponse attendue
      --tsv FICHIER  écrit le tableau dans FICHIER (Windows-1252, CR LF) au lieu
                     de la sortie standard (UTF-8, LF)
  varnelio-cli --help

CAS : nom-sg nom-pl acc-sg acc-pl gen-sg gen-pl dat-sg dat-pl abl-sg abl-pl
Mettez -- avant un TEXTE qui commence par un tiret.

Codes de sortie : 0 succès ; 1 fichier illisible ou impossible à écrire (le
fichier et la raison sont indiqués) ; 2 erreur d'usage (commande, option ou
valeur incorrecte, numéro de phrase hors limites).
)";

struct Parsed {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  std::vector<std::string> flags;  // the options without a value that were given
};

// Splits the arguments after the command into positionals and the allowed
// options (each takes a value). Returns an error text, or nothing.
std::optional<std::string> parse(int argc, char** argv, int from, const std::vector<std::string>& allowed,
                                 Parsed& out, const std::vector<std::string>& allowedFlags = {}) {
  bool optionsEnded = false;
  for (int i = from; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
      continue;
    }
    // "-1" is a (wrong) number, not an option.
    const bool looksNumeric = arg.size() > 1 && arg[1] >= '0' && arg[1] <= '9';
    if (!optionsEnded && arg.size() > 1 && arg[0] == '-' && !looksNumeric) {
      if (std::find(allowedFlags.begin(), allowedFlags.end(), arg) != allowedFlags.end()) {
        if (std::find(out.flags.begin(), out.flags.end(), arg) != out.flags.end())
          return "option donn\xC3\xA9" "e deux fois : " + arg;
        out.flags.push_back(arg);
        continue;
      }
      bool known = false;
      for (const auto& a : allowed) known = known || a == arg;
      if (!known) return "option inconnue : " + arg;
      if (out.options.count(arg)) return "option donn\xC3\xA9" "e deux fois : " + arg;
      if (i + 1 >= argc) return "l'option " + arg + " attend une valeur";
      out.options[arg] = argv[++i];
      continue;
    }
    out.positional.push_back(arg);
  }
  return std::nullopt;
}

std::optional<std::string> option(const Parsed& p, const std::string& name) {
  const auto it = p.options.find(name);
  if (it == p.options.end()) return std::nullopt;
  return it->second;
}

const AnalysisKind* kindOf(const std::string& name) {
  const auto id = kindFromCliName(name);
  return id ? &analysisKind(*id) : nullptr;
}

// Two outputs written into one file would leave only the last, and an output
// written over the command's own input would destroy it: both are usage errors,
// found before anything is written.
std::optional<std::string> outputsClash(const std::string& input,
                                        const std::vector<std::optional<std::string>>& outputs) {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    if (!outputs[i]) continue;
    if (nameTheSameFile(*outputs[i], input))
      return "le fichier de sortie est le fichier lu : " + *outputs[i];
    for (std::size_t j = i + 1; j < outputs.size(); ++j)
      if (outputs[j] && nameTheSameFile(*outputs[i], *outputs[j]))
        return "deux sorties nomment le m\xC3\xAAme fichier : " + *outputs[i] + " et " + *outputs[j];
  }
  return std::nullopt;
}

int wrongCount(const std::string& command, const std::string& expected) {
  return usageError("nombre d'arguments incorrect pour " + command + " (attendu : " + expected + ")");
}

// <folder of the executable>/../share/varnelio, where the dictionaries are installed.
std::string installedDataDir(const char* argv0) {
  std::string exe(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", exe.data(), exe.size());
  if (n > 0) {
    exe.resize(static_cast<std::size_t>(n));
  } else {
    exe = argv0;
  }
  const auto slash = exe.find_last_of('/');
  const std::string dir = slash == std::string::npos ? "." : exe.substr(0, slash);
  return dir + "/../share/varnelio";
}

int unknownKind(const std::string& name) { return usageError("cas inconnu : " + name + " (nom-sg nom-pl acc-sg acc-pl gen-sg gen-pl dat-sg dat-pl abl-sg abl-pl)"); }

bool given(const Parsed& p, const char* flag) {
  return std::find(p.flags.begin(), p.flags.end(), flag) != p.flags.end();
}

// Each command checks its arguments, then runs; a wrong one is a usage error.
int scanCommand(const std::string& command, int argc, char** argv) {
  Parsed p;
  if (auto err = parse(argc, argv, 2, {"--tsv", "--dat", "--morceau"}, p, {"--suggest", "--drop"}))
    return usageError(*err);
  if (p.positional.size() != 2) return wrongCount(command, "CAS SOURCE");
  const AnalysisKind* kind = kindOf(p.positional[0]);
  if (!kind) return unknownKind(p.positional[0]);
  if (auto err = outputsClash(p.positional[1], {option(p, "--tsv"), option(p, "--dat")})) return usageError(*err);
  std::optional<SuggestOptions> suggest;
  if (given(p, "--suggest")) suggest = SuggestOptions{given(p, "--drop"), installedDataDir(argv[0])};
  else if (given(p, "--drop")) return usageError("--drop ne va qu'avec --suggest");
  return runScan(*kind, p.positional[1], option(p, "--tsv"), option(p, "--dat"), option(p, "--morceau"), suggest);
}

int showCommand(const std::string& command, int argc, char** argv) {
  Parsed p;
  if (auto err = parse(argc, argv, 2, {"--tsv"}, p)) return usageError(*err);
  if (p.positional.size() != 1) return wrongCount(command, "ANALYSE");
  if (auto err = outputsClash(p.positional[0], {option(p, "--tsv")})) return usageError(*err);
  return runShow(p.positional[0], option(p, "--tsv"));
}

int sentenceCommand(const std::string& command, int argc, char** argv) {
  Parsed p;
  if (auto err = parse(argc, argv, 2, {}, p)) return usageError(*err);
  if (p.positional.size() != 2) return wrongCount(command, "SOURCE N");
  return runSentence(p.positional[0], p.positional[1]);
}

int labelsCommand(const std::string& command, int argc, char** argv) {
  Parsed p;
  if (auto err = parse(argc, argv, 2, {}, p)) return usageError(*err);
  if (p.positional.size() != 1) return wrongCount(command, "CAS");
  const AnalysisKind* kind = kindOf(p.positional[0]);
  if (!kind) return unknownKind(p.positional[0]);
  return runLabels(*kind);
}

// "lemma" and "form": a text to look up, or the letter whose words to list.
int dictionaryCommand(const std::string& command, int argc, char** argv) {
  Parsed p;
  if (auto err = parse(argc, argv, 2, {"--dict", "--letter"}, p)) return usageError(*err);
  DictionaryQuery q;
  q.dictionary = command == "lemma" ? Dictionary::Lemmas : Dictionary::Forms;
  q.dictPath = option(p, "--dict");
  if (const auto letter = option(p, "--letter")) {
    if (!p.positional.empty()) return wrongCount(command, "TEXTE ou --letter C, pas les deux");
    const char lower = letter->empty() ? '\0' : static_cast<char>((*letter)[0] | 0x20);
    if (letter->size() != 1 || lower < 'a' || lower > 'z')
      return usageError("lettre invalide : " + *letter + " (une lettre de a \xC3\xA0 z)");
    q.letter = lower;
  } else {
    if (p.positional.size() != 1) return wrongCount(command, "TEXTE ou --letter C");
    q.text = p.positional[0];
  }
  return runDictionary(q, installedDataDir(argv[0]));
}

int analyseCommand(const std::string& command, int argc, char** argv) {
  Parsed p;
  if (auto err = parse(argc, argv, 2, {"--dict"}, p)) return usageError(*err);
  if (p.positional.size() != 1) return wrongCount(command, "SOURCE");
  return runAnalyse(p.positional[0], option(p, "--dict"), installedDataDir(argv[0]));
}

int exerciseCommand(const std::string& command, int argc, char** argv) {
  Parsed p;
  if (auto err = parse(argc, argv, 2, {}, p)) return usageError(*err);
  if (p.positional.size() != 4) return wrongCount(command, "CAS SOURCE ANALYSE EXERCICE");
  const AnalysisKind* kind = kindOf(p.positional[0]);
  if (!kind) return unknownKind(p.positional[0]);
  if (auto err = outputsClash(p.positional[1], {p.positional[3]})) return usageError(*err);
  if (auto err = outputsClash(p.positional[2], {p.positional[3]})) return usageError(*err);
  return runMakeExercise(*kind, p.positional[1], p.positional[2], p.positional[3]);
}

int gradeCommand(const std::string& command, int argc, char** argv) {
  Parsed p;
  if (auto err = parse(argc, argv, 2, {"--tsv"}, p, {"--detail"})) return usageError(*err);
  if (p.positional.size() < 2) return wrongCount(command, "EXERCICE COPIE...");
  const std::vector<std::string> copies(p.positional.begin() + 1, p.positional.end());
  for (const std::string& input : p.positional)
    if (auto err = outputsClash(input, {option(p, "--tsv")})) return usageError(*err);
  return runGrade(p.positional[0], copies, option(p, "--tsv"), given(p, "--detail"));
}

struct Command {
  std::string_view name;
  int (*run)(const std::string& command, int argc, char** argv);
};
constexpr Command kCommands[] = {{"scan", scanCommand},         {"show", showCommand},
                                 {"sentence", sentenceCommand}, {"labels", labelsCommand},
                                 {"lemma", dictionaryCommand},  {"form", dictionaryCommand},
                                 {"analyse", analyseCommand},   {"exercise", exerciseCommand},
                                 {"grade", gradeCommand}};

// "--help" or "-h" anywhere before "--", or "help" as the command.
bool asksForHelp(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--") break;
    if (a == "--help" || a == "-h" || (i == 1 && a == "help")) return true;
  }
  return false;
}

int run(int argc, char** argv) {
  if (argc < 2) return usageError("commande manquante");
  const std::string command = argv[1];
  if (asksForHelp(argc, argv)) {
    std::fwrite(kHelp.data(), 1, kHelp.size(), stdout);
    return std::fflush(stdout) == 0 ? kOk : kFileFailure;
  }
  for (const Command& c : kCommands)
    if (c.name == command) return c.run(command, argc, argv);
  return usageError("commande inconnue : " + command);
}

}  // namespace

int main(int argc, char** argv) {
  // A closed pipe on stdout is reported as a write failure, not a silent death.
  std::signal(SIGPIPE, SIG_IGN);
  try {
    return run(argc, argv);
  } catch (const std::bad_alloc&) {
    printError("m\xC3\xA9moire insuffisante");
    return kFileFailure;
  } catch (const std::exception& e) {
    printError(std::string("erreur inattendue : ") + e.what());
    return kFileFailure;
  }
}
