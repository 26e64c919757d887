// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "../support/required_data.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/analysis/candidate_scan.h"
#include "core/dictionaries/dictionaries.h"
#include "core/analysis/analysis_file.h"
#include "core/reports/spreadsheet_export.h"
#include "core/text/cp1252.h"
#include "core/files/source_file.h"
#include "run_program.h"
#include "temp_dir.h"

namespace varnelio {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

using Result = testing::CliRun;

// Runs the tool with the arguments; stdout and stderr are collected in files.
Result runCli(const std::vector<std::string>& args, const std::string& program = VARNELIO_CLI,
              const std::string& stdoutPath = {}) {
  return testing::runProgram(program, args, stdoutPath);
}

std::string corpusFile(const char* name) {
  const fs::path p = fs::path(VARNELIO_CORPUS_DIR) / name;
  return fs::exists(p) ? p.string() : std::string();
}

// The export as the terminal shows it: UTF-8, LF line ends.
std::string asTerminalText(const std::string& exportBytes) {
  std::string lf;
  for (std::size_t i = 0; i < exportBytes.size(); ++i)
    if (!(exportBytes[i] == '\r' && i + 1 < exportBytes.size() && exportBytes[i + 1] == '\n')) lf += exportBytes[i];
  return cp1252::toUtf8(lf);
}

TEST(CliScan, StreamedFilesEqualTheGridWritersOnTheCorpusForEveryKind) {
  const std::string source = corpusFile("cicero-in-catilinam.txt");
  VARNELIO_REQUIRE_DATA(!source.empty(), "the corpus");
  const std::string text = std::get<std::string>(readSourceText(source));
  TempDir dir;
  for (const AnalysisKind& kind : analysisKinds()) {
    SCOPED_TRACE(std::string(kind.cliName));
    CandidateGrid grid;
    scanIntoGrid(text, kind, grid);
    ASSERT_GT(grid.candidateCount(), 0u);
    const std::string tsv = dir.file("out.XLS"), dat = dir.file("out.DAT");
    const Result r = runCli({"scan", std::string(kind.cliName), source, "--tsv", tsv, "--dat", dat});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_TRUE(readBytes(tsv) == encodeSpreadsheet(grid));
    EXPECT_TRUE(readBytes(dat) == encodeAnalysisFile(grid));
  }
  // One file at a time gives the same bytes, and stdout the same lines in UTF-8.
  CandidateGrid grid;
  scanIntoGrid(text, analysisKind(KindId::AccSg), grid);
  const Result dat = runCli({"scan", "acc-sg", source, "--dat", dir.file("only.DAT")});
  ASSERT_EQ(dat.exitCode, 0);
  EXPECT_TRUE(readBytes(dir.file("only.DAT")) == encodeAnalysisFile(grid));
  const Result out = runCli({"scan", "acc-sg", source});
  ASSERT_EQ(out.exitCode, 0);
  EXPECT_TRUE(out.out == asTerminalText(encodeSpreadsheet(grid)));
}

TEST(CliScan, SmallTextToStdoutAndUtf8Source) {
  TempDir dir;
  writeBytes(dir.file("t.txt"), "Puella rosam amat. Nautae aquam dant. po\xEBtam d'aquam tail");
  writeBytes(dir.file("u.txt"), "\xEF\xBB\xBFpo\xC3\xABtam vidi.");
  const Result r = runCli({"scan", "acc-sg", dir.file("t.txt")});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "N\u00b0\tN\u00b0 phrase\tForme(s)\tAnalyse(s)\n1\t1\trosam\t\n2\t2\taquam\t\n");
  const Result u = runCli({"scan", "acc-sg", dir.file("u.txt"), "--tsv", dir.file("u.XLS")});
  EXPECT_EQ(u.exitCode, 0);
  EXPECT_EQ(readBytes(dir.file("u.XLS")), "N\xB0\tN\xB0 phrase\tForme(s)\tAnalyse(s)\r\n1\t1\tpo\xEBtam\t\r\n");
  // A text without a full stop: the header alone; an empty analysis file.
  writeBytes(dir.file("none.txt"), "rosam");
  const Result n = runCli({"scan", "acc-sg", dir.file("none.txt"), "--dat", dir.file("none.DAT")});
  EXPECT_EQ(n.exitCode, 0);
  EXPECT_TRUE(fs::exists(dir.file("none.DAT")));
  EXPECT_EQ(fs::file_size(dir.file("none.DAT")), 0u);
}

TEST(CliScan, MarkedVowelsGiveTheCandidatesOfTheUnmarkedText) {
  TempDir dir;
  // Macrons and breves precomposed, then combining (U+0304, U+0306).
  writeBytes(dir.file("marked.txt"),
             "Puell\xC4\x83 ros\xC4\x81m amat. Nautae aqu\xC4\x83m dant. "
             "\xC5\x8C" "ceanus ra\xCC\x84ra\xCC\x86s na\xCC\x84ve\xCC\x84s videt.");
  writeBytes(dir.file("plain.txt"), "Puella rosam amat. Nautae aquam dant. Oceanus raras naves videt.");
  for (const AnalysisKind& kind : analysisKinds()) {
    SCOPED_TRACE(std::string(kind.cliName));
    const Result marked = runCli({"scan", std::string(kind.cliName), dir.file("marked.txt")});
    const Result plain = runCli({"scan", std::string(kind.cliName), dir.file("plain.txt")});
    ASSERT_EQ(marked.exitCode, 0) << marked.err;
    EXPECT_EQ(marked.out, plain.out);
  }
  EXPECT_EQ(runCli({"scan", "acc-sg", dir.file("marked.txt")}).out,
            "N\u00b0\tN\u00b0 phrase\tForme(s)\tAnalyse(s)\n1\t1\trosam\t\n2\t2\taquam\t\n");
  EXPECT_EQ(runCli({"scan", "abl-sg", dir.file("marked.txt")}).out,
            "N\u00b0\tN\u00b0 phrase\tForme(s)\tAnalyse(s)\n1\t1\tPuella\t\n2\t2\tNautae\t\n");
}

TEST(CliScan, SentencesSpanningReadingPiecesGiveTheCandidatesOfTheWholeText) {
  TempDir dir;
  const struct {
    const char* name;
    std::string bytes;
  } texts[] = {
      {"cp1252.txt", "Puella rosam amat.\r\nPo\xEBtam, d'aquam et c\x9C" "lum videt. Nautae aquam dant. tail"},
      // The byte-order mark, two-byte letters and combining marks cut anywhere.
      {"utf8.txt", "\xEF\xBB\xBFPo\xC3\xABtam ros\xC4\x81m vidi. Aqua\xCC\x84m \xE2\x82\xAC nautae\xCC\x88 dant."},
  };
  for (const auto& t : texts) {
    writeBytes(dir.file(t.name), t.bytes);
    CandidateGrid whole;  // the text read whole, as the analysis window reads it
    scanIntoGrid(std::get<std::string>(readSourceText(dir.file(t.name))), analysisKind(KindId::AccSg), whole);
    ASSERT_GE(whole.candidateCount(), 3u) << t.name;
    for (const char* piece : {"1", "2", "3", "5", "16"}) {
      SCOPED_TRACE(std::string(t.name) + " in pieces of " + piece);
      const Result r = runCli({"scan", "acc-sg", dir.file(t.name), "--morceau", piece, "--tsv", dir.file("p.XLS")});
      ASSERT_EQ(r.exitCode, 0) << r.err;
      EXPECT_EQ(readBytes(dir.file("p.XLS")), encodeSpreadsheet(whole));
    }
  }
  // A book in pieces smaller than most of its sentences.
  const std::string source = corpusFile("livius-ab-urbe-condita-1.txt");
  VARNELIO_REQUIRE_DATA(!source.empty(), "the corpus");
  CandidateGrid grid;
  scanIntoGrid(std::get<std::string>(readSourceText(source)), analysisKind(KindId::NomSg), grid);
  const Result r = runCli({"scan", "nom-sg", source, "--morceau", "61", "--dat", dir.file("b.DAT")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(readBytes(dir.file("b.DAT")) == encodeAnalysisFile(grid));
  for (const char* wrong : {"0", "-3", "deux", "", "99999999999999"}) {
    const Result bad = runCli({"scan", "nom-sg", source, "--morceau", wrong});
    EXPECT_EQ(bad.exitCode, 2) << wrong;
  }
}

TEST(CliShow, ReadsAnAnalysisFileLikeTheExistingAnalysisWindow) {
  TempDir dir;
  CandidateGrid grid;
  grid.appendCandidate("rosam", 1);
  grid.appendCandidate("aquam", 2);
  grid.validate(2, "  1 d\xE9" "cl. acc. sg. [AA00C]  ");
  std::string bytes = encodeAnalysisFile(grid);
  bytes += bytes.substr(0, 200);  // a counted short third record
  writeBytes(dir.file("a.DAT"), bytes);
  const CandidateGrid expected = decodeAnalysisFile(bytes);
  ASSERT_EQ(expected.candidateCount(), 3u);
  const Result r = runCli({"show", dir.file("a.DAT"), "--tsv", dir.file("a.XLS")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(readBytes(dir.file("a.XLS")), encodeSpreadsheet(expected));
  const Result out = runCli({"show", dir.file("a.DAT")});
  EXPECT_EQ(out.out, asTerminalText(encodeSpreadsheet(expected)));
  EXPECT_NE(out.out.find("  1 d\u00e9cl. acc. sg. [AA00C]\n"), std::string::npos);
}

TEST(CliShow, AnyBytesAreReadWithoutFault) {
  TempDir dir;
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage.push_back(static_cast<char>((i * 7919 + 13) % 256));
  writeBytes(dir.file("g.DAT"), garbage);
  const Result show = runCli({"show", dir.file("g.DAT"), "--tsv", dir.file("g.XLS")});
  EXPECT_EQ(show.exitCode, 0);
  EXPECT_EQ(readBytes(dir.file("g.XLS")), encodeSpreadsheet(decodeAnalysisFile(garbage)));
  const Result scan = runCli({"scan", "abl-sg", dir.file("g.DAT"), "--dat", dir.file("s.DAT")});
  EXPECT_EQ(scan.exitCode, 0);
  for (const char* name : {"g.DAT", "s.DAT"}) {
    const Result r = runCli({"sentence", dir.file(name), "1"});
    EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 2) << name;
  }
}

TEST(CliSentence, PrintsTheSentenceOrRefusesANumberOutsideTheTable) {
  TempDir dir;
  writeBytes(dir.file("t.txt"), "Rosa. Puella\r\namat.");  // 19 characters, 2 sentences
  struct Case {
    const char* n;
    int exitCode;
    std::string out;
    std::string errPart;
  } cases[] = {
      {"1", 0, "Rosa.\n", ""},
      {"2", 0, " Puella\r\namat.\n", ""},
      {"3", 0, "\n", ""},
      {"19", 0, "\n", ""},
      {"20", 2, "", "20 est hors de l'intervalle 1 \u00e0 19"},
      {"0", 2, "", "0 est hors de l'intervalle 1 \u00e0 19"},
      {"-1", 2, "", "-1 est hors"},
      {"deux", 2, "", "num\u00e9ro de phrase invalide : deux"},
      {"2x", 2, "", "invalide"},
  };
  for (const Case& c : cases) {
    const Result r = runCli({"sentence", dir.file("t.txt"), c.n});
    EXPECT_EQ(r.exitCode, c.exitCode) << c.n;
    EXPECT_EQ(r.out, c.out) << c.n;
    EXPECT_NE(r.err.find(c.errPart), std::string::npos) << c.n << ": " << r.err;
  }
  writeBytes(dir.file("e.txt"), "\xC6neas vidit.");
  EXPECT_EQ(runCli({"sentence", dir.file("e.txt"), "1"}).out, "\u00c6neas vidit.\n");
}

TEST(CliLabels, TheFiveLabelsInUtf8) {
  const Result r = runCli({"labels", "acc-sg"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out,
            "1 d\u00e9cl. acc. sg. [AA00C]\n2 d\u00e9cl. acc. sg. [AB00C]\n3 d\u00e9cl. acc. sg. [AC00C]\n"
            "4 d\u00e9cl. acc. sg. [AD00C]\n5 d\u00e9cl. acc. sg. [AE00C]\n");
}

class CliDictionary : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string lemmas;
    for (const char* l : {"amo", "amor", "Amoenus", "bellum", "ara", "\xE9" "lis"})
      lemmas += encodeDictionaryRecord(lemmaLayout(), 0, {l, "v.", "aimer", "  amour ", "amator"});
    writeBytes(dir.file("lexique.dat"), lemmas);
    std::string forms;
    for (const char* f : {"amicus", "Amicus", "amicum"})
      forms += encodeDictionaryRecord(formLayout(), 0, {f, "n.", "amicus", " nom. m. sg.", "", "ami"});
    writeBytes(dir.file("donnees.dat"), forms);
  }
  TempDir dir;
};

TEST_F(CliDictionary, LookupsPrintTheGridColumnsOrTheNoResultText) {
  const std::string lex = dir.file("lexique.dat"), don = dir.file("donnees.dat");
  // The French family loses its leading blanks only: "amour" and 63 blanks.
  const std::string rest = "\taimer\tv.\tamour" + std::string(63, ' ') + "\tamator\n";
  const std::string formRest = "\tamicus\tami\tn.\tnom. m. sg.   \t\n";
  struct Case {
    std::vector<std::string> args;
    std::string out;
    std::string err;
  } cases[] = {
      {{"lemma", "--dict", lex, "amo"}, "amo" + rest + "amor" + rest + "Amoenus" + rest, ""},
      {{"lemma", "--dict", lex, "AMOR"}, "amor" + rest, ""},
      {{"lemma", "--dict", lex, "amo "}, "", "Aucune information n'est disponible pour le lemme demand\u00e9\n"},
      {{"lemma", "--dict", lex, "\u00c9L"}, "\u00e9lis" + rest, ""},
      {{"lemma", "--letter", "B", "--dict", lex}, "bellum" + rest, ""},
      {{"lemma", "--dict", lex, "--letter", "a"}, "amo" + rest + "amor" + rest + "Amoenus" + rest, ""},
      {{"lemma", "--dict", lex, "--letter", "e"}, "", "Aucune information n'est disponible pour la lettre demand\u00e9e\n"},
      {{"form", "--dict", don, "amicus"}, "amicus" + formRest + "Amicus" + formRest, ""},
      {{"form", "--dict", don, "amic"}, "", "Aucune information n'est disponible pour la forme demand\u00e9e\n"},
      {{"form", "--dict", don, "--letter", "a"}, "amicus" + formRest + "Amicus" + formRest + "amicum" + formRest, ""},
  };
  for (const Case& c : cases) {
    const Result r = runCli(c.args);
    const std::string shown = c.args[0] + " " + c.args.back();
    EXPECT_EQ(r.exitCode, 0) << shown << r.err;
    EXPECT_EQ(r.out, c.out) << shown;
    EXPECT_EQ(r.err, c.err) << shown;
  }
  EXPECT_EQ(runCli({"lemma", "--dict", lex, "--letter", "b", "bel"}).exitCode, 2);  // text and letter
}

TEST_F(CliDictionary, InstalledFilesBesideTheProgramAndTheMissingMessage) {
  // An install tree: bin/varnelio-cli and share/varnelio/lexique.dat.
  TempDir tree;
  fs::create_directories(tree.path() / "bin");
  fs::copy_file(VARNELIO_CLI, tree.path() / "bin" / "varnelio-cli");
  const std::string program = (tree.path() / "bin" / "varnelio-cli").string();
  const Result missing = runCli({"lemma", "amo"}, program);
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(missing.out.empty());
  EXPECT_NE(missing.err.find("Le fichier lexique.dat est manquant!"), std::string::npos) << missing.err;
  const Result missingForms = runCli({"form", "amicus"}, program);
  EXPECT_EQ(missingForms.exitCode, 1);
  EXPECT_NE(missingForms.err.find("Le fichier donnees.dat est manquant!"), std::string::npos);

  fs::create_directories(tree.path() / "share" / "varnelio");
  fs::copy_file(dir.file("lexique.dat"), tree.path() / "share" / "varnelio" / "lexique.dat");
  const Result found = runCli({"lemma", "bel"}, program);
  EXPECT_EQ(found.exitCode, 0);
  EXPECT_EQ(found.out.substr(0, 7), "bellum\t");

  writeBytes(dir.file("empty.dat"), "");
  EXPECT_EQ(runCli({"lemma", "--dict", dir.file("empty.dat"), "a"}).exitCode, 1);
  const Result folder = runCli({"lemma", "--dict", dir.path().string(), "a"});
  EXPECT_EQ(folder.exitCode, 1);
  EXPECT_NE(folder.err.find("C'est un dossier"), std::string::npos);
  writeBytes(dir.file("short.dat"), "abc");
  const Result shortFile = runCli({"lemma", "--dict", dir.file("short.dat"), ""});
  EXPECT_EQ(shortFile.exitCode, 0);
  EXPECT_EQ(shortFile.err, "Aucune information n'est disponible pour le lemme demand\u00e9\n");
}

TEST(CliUsage, UsageErrorsExitTwoWithOneLine) {
  TempDir dir;
  writeBytes(dir.file("t.txt"), "Rosam.");
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"scan"},
      {"scan", "acc-sg"},
      {"scan", "acc-du", dir.file("t.txt")},
      {"scan", "acc-sg", dir.file("t.txt"), "--tsv"},
      {"scan", "acc-sg", dir.file("t.txt"), "--xls", "x"},
      {"scan", "acc-sg", dir.file("t.txt"), "--tsv", "a", "--tsv", "b"},
      {"scan", "acc-sg", dir.file("t.txt"), "extra"},
      {"scan", "acc-sg", dir.file("t.txt"), "--tsv", "same", "--dat", "same"},
      {"show"},
      {"show", "a.DAT", "--dat", "b.DAT"},
      {"sentence", dir.file("t.txt")},
      {"labels"},
      {"labels", "Acc-sg"},
      {"lemma"},
      {"lemma", "--letter", "ab"},
      {"lemma", "--letter", "\u00e9"},
      {"form", "--letter", "1"},
      {"form", "a", "b"},
  };
  for (const auto& args : cases) {
    const Result r = runCli(args);
    std::string shown;
    for (const auto& a : args) shown += a + " ";
    EXPECT_EQ(r.exitCode, 2) << shown;
    EXPECT_TRUE(r.out.empty()) << shown;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << r.err;
  }
  const Result help = runCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("varnelio-cli sentence SOURCE N"), std::string::npos);
  EXPECT_EQ(runCli({"scan", "acc-sg", "--help"}).exitCode, 0);
  // The analysis kind is a case (and number), never a "genre", which a Latin teacher
  // reads as gender.
  EXPECT_NE(help.out.find("varnelio-cli scan CAS SOURCE"), std::string::npos);
  EXPECT_EQ(help.out.find("GENRE"), std::string::npos);
  const Result unknown = runCli({"scan", "accusatif", "t.txt"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_NE(unknown.err.find("cas inconnu : accusatif"), std::string::npos) << unknown.err;
  EXPECT_NE(runCli({"labels"}).err.find("CAS"), std::string::npos);
}

// Two names for one file (a relative path, a link, the source itself) are a usage
// error found before anything is written: no output appears, the source is intact.
TEST(CliUsage, TwoNamesForOneFileWriteNothing) {
  TempDir dir;
  const std::string source = dir.file("t.txt");
  writeBytes(source, "Rosam vidi.");
  fs::create_directory(dir.file("sub"));
  writeBytes(dir.file("old.XLS"), "ancien");
  fs::create_symlink(dir.file("old.XLS"), dir.file("lien.XLS"));
  fs::create_symlink(dir.file("neuf.DAT"), dir.file("lien-neuf.DAT"));
  const std::vector<std::vector<std::string>> cases = {
      {"--tsv", dir.file("out"), "--dat", dir.file("sub/../out")},
      {"--tsv", dir.file("old.XLS"), "--dat", dir.file("lien.XLS")},
      {"--tsv", dir.file("lien-neuf.DAT"), "--dat", dir.file("neuf.DAT")},
      {"--tsv", dir.file("sub/../t.txt")},
      {"--dat", source},
  };
  for (const auto& options : cases) {
    std::vector<std::string> args = {"scan", "acc-sg", source};
    args.insert(args.end(), options.begin(), options.end());
    const Result r = runCli(args);
    EXPECT_EQ(r.exitCode, 2) << options[1];
    EXPECT_FALSE(fs::exists(dir.file("out"))) << options[1];
    EXPECT_FALSE(fs::exists(dir.file("neuf.DAT"))) << options[1];
    EXPECT_EQ(readBytes(dir.file("old.XLS")), "ancien") << options[1];
    EXPECT_EQ(readBytes(source), "Rosam vidi.") << options[1];
  }
  // Relative to the working folder, "same" and "./same" are one file.
  const Result relative = runCli({"scan", "acc-sg", source, "--tsv", "same", "--dat", "./same"});
  EXPECT_EQ(relative.exitCode, 2);
  EXPECT_NE(relative.err.find("m\u00eame fichier"), std::string::npos) << relative.err;
  const Result show = runCli({"show", dir.file("old.XLS"), "--tsv", dir.file("lien.XLS")});
  EXPECT_EQ(show.exitCode, 2);
  EXPECT_EQ(readBytes(dir.file("old.XLS")), "ancien");
}

TEST(CliFiles, AFullStandardOutputIsAWriteFailure) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  TempDir dir;
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "Rosam vidi. ";
  writeBytes(dir.file("t.txt"), text);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"scan", "acc-sg", dir.file("t.txt")}, {"labels", "nom-pl"}}) {
    const Result r = runCli(args, VARNELIO_CLI, "/dev/full");
    EXPECT_EQ(r.exitCode, 1) << args[0];
    EXPECT_NE(r.err.find("sortie standard"), std::string::npos) << r.err;
  }
}

TEST(CliFiles, AReaderThatClosesThePipeEndsTheRunQuietly) {
  TempDir dir;
  std::string text;
  for (int i = 0; i < 50000; ++i) text += "Rosam vidi. ";
  writeBytes(dir.file("t.txt"), text);
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  ::close(fds[0]);  // like `| head` that has already read its lines
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, dir.file("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::string program = VARNELIO_CLI, command = "scan", kind = "acc-sg", source = dir.file("t.txt");
  char* argv[] = {program.data(), command.data(), kind.data(), source.data(), nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ), 0);
  ::close(fds[1]);
  int status = 0;
  waitpid(pid, &status, 0);
  posix_spawn_file_actions_destroy(&actions);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(readBytes(dir.file("err")), "");
}

TEST(CliFiles, UnreadableOrUnwritableFilesExitOneAndKeepOldFiles) {
  TempDir dir;
  writeBytes(dir.file("t.txt"), "Rosam vidi.");
  writeBytes(dir.file("old.XLS"), "ancien");
  ::chmod(dir.file("old.XLS").c_str(), 0444);
  struct Case {
    std::vector<std::string> args;
    std::string namedFile;
  } cases[] = {
      {{"scan", "acc-sg", dir.file("absent.txt")}, dir.file("absent.txt")},
      {{"scan", "acc-sg", dir.path().string()}, dir.path().string()},
      {{"show", dir.file("absent.DAT")}, dir.file("absent.DAT")},
      {{"sentence", dir.file("absent.txt"), "1"}, dir.file("absent.txt")},
      {{"scan", "acc-sg", dir.file("t.txt"), "--tsv", dir.file("no/x.XLS")}, dir.file("no/x.XLS")},
      {{"scan", "acc-sg", dir.file("t.txt"), "--tsv", dir.file("old.XLS")}, dir.file("old.XLS")},
      {{"scan", "acc-sg", dir.file("t.txt"), "--tsv", dir.file("new.XLS"), "--dat", dir.file("old.XLS")},
       dir.file("old.XLS")},
      {{"show", dir.file("t.txt"), "--tsv", dir.file("no/x.XLS")}, dir.file("no/x.XLS")},
  };
  for (const Case& c : cases) {
    const Result r = runCli(c.args);
    EXPECT_EQ(r.exitCode, 1) << c.namedFile;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(c.namedFile), std::string::npos) << r.err;
  }
  EXPECT_EQ(readBytes(dir.file("old.XLS")), "ancien");
  EXPECT_FALSE(fs::exists(dir.file("new.XLS")));  // nothing half-done beside a failed pair
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 2u);  // t.txt and old.XLS: no temporary file left
}

}  // namespace
}  // namespace varnelio
