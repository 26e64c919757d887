// SPDX-License-Identifier: GPL-3.0-or-later
// Files a user may bring from anywhere, given to varnelio-cli: each either works or
// gives one French line naming the file and the reason with exit code 1, and no old
// file is ever lost or left half-written.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/analysis/analysis_kind.h"
#include "core/analysis/candidate_scan.h"
#include "core/analysis/analysis_file.h"
#include "core/analysis/analysis_record.h"
#include "core/files/atomic_file.h"
#include "core/text/cp1252.h"
#include "core/text/sentence_table.h"
#include "core/text/source_text.h"
#include "run_program.h"

namespace varnelio {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::CliRun;
using testing::TempDir;
using testing::writeBytes;

CliRun cli(const std::vector<std::string>& args) { return testing::runProgram(VARNELIO_CLI, args); }

std::size_t lines(const std::string& s) { return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n')); }

std::size_t entriesIn(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// A failure: exit code 1 and one line on stderr that names the file and the reason.
void expectFileFailure(const CliRun& r, const std::string& file, const std::string& reason) {
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(lines(r.err), 1u) << r.err;
  EXPECT_NE(r.err.find(file), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
}

std::string randomBytes(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(gen() & 0xFF);
  return s;
}

TEST(HostileText, OddTextsScanSaveAndReopenWithoutLoss) {
  std::string binary = randomBytes(64 * 1024, 7);
  binary.replace(1000, 300, std::string(300, '\0'));  // a run of NULs
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"no full stop", "Gallia est omnis divisa in partes tres"},
      {"binary", binary},
      {"only full stops", std::string(5000, '.')},
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" "Po\xC3\xABta rosam amat. Puellam vidi."},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeBytes(dir.file("t.txt"), c.bytes);
    for (const char* kind : {"acc-sg", "abl-sg"}) {
      const CliRun scan = cli({"scan", kind, dir.file("t.txt"), "--tsv", dir.file("a.XLS"), "--dat", dir.file("a.DAT")});
      ASSERT_EQ(scan.exitCode, 0) << scan.err;
      // As many records as the scan finds candidates, and reopening the file gives
      // back the very export of the scan.
      const std::string text = decodeSourceBytes(c.bytes);
      std::size_t found = 0;
      scanText(text, analysisKind(*kindFromCliName(kind)), [&](std::string_view, std::int64_t) { ++found; });
      const std::string dat = readBytes(dir.file("a.DAT"));
      EXPECT_EQ(dat.size(), found * AnalysisRecord::kSize);
      const CliRun show = cli({"show", dir.file("a.DAT"), "--tsv", dir.file("b.XLS")});
      ASSERT_EQ(show.exitCode, 0) << show.err;
      EXPECT_EQ(readBytes(dir.file("b.XLS")), readBytes(dir.file("a.XLS")));
      EXPECT_EQ(lines(readBytes(dir.file("a.XLS"))), found + 1);
    }
    // Sentence 1: shown (empty when the text has no "."), except in an empty text,
    // whose table has no slot at all: a usage error (2).
    const CliRun first = cli({"sentence", dir.file("t.txt"), "1"});
    const std::string text = decodeSourceBytes(c.bytes);
    EXPECT_EQ(first.exitCode, text.empty() ? 2 : 0) << first.err;
    if (text.empty()) {
      EXPECT_EQ(lines(first.err), 1u);
    } else if (text.find('.') == std::string::npos) {
      EXPECT_EQ(first.out, "\n");
    }
  }
}

TEST(HostileText, Utf8TextGivesWindows1252Forms) {
  TempDir dir;
  writeBytes(dir.file("t.txt"), "C\xC3\xA6sarem et \xC5\x92" "dipum vidi. Po\xC3\xABtam.");
  ASSERT_EQ(cli({"scan", "acc-sg", dir.file("t.txt"), "--dat", dir.file("a.DAT")}).exitCode, 0);
  const CandidateGrid grid = decodeAnalysisFile(readBytes(dir.file("a.DAT")));
  std::vector<std::string> forms;
  for (const CandidateRow& row : grid.rows()) forms.push_back(row.form);
  // æ and ë are letters of the code page; Œ (0x8C) cuts the word.
  EXPECT_EQ(forms, (std::vector<std::string>{"C\xE6sarem", "dipum", "Po\xEBtam"}));
}

TEST(HostileText, HundredMegabyteText) {
  std::string chunk;
  const fs::path corpus = fs::path(VARNELIO_CORPUS_DIR) / "caesar-bellum-gallicum.txt";
  if (fs::exists(corpus)) chunk = readBytes(corpus.string());
  if (chunk.find('.') == std::string::npos) chunk = "Gallia est omnis divisa in partes tres, quarum unam incolunt Belgae.";
  chunk.resize(chunk.rfind('.') + 1);
  const std::size_t copies = (100u << 20) / chunk.size() + 1;

  TempDir dir;
  const std::string big = dir.file("big.txt");
  {
    std::ofstream out(big, std::ios::binary);
    for (std::size_t i = 0; i < copies; ++i) out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
  }
  ASSERT_GE(fs::file_size(big), 100u << 20);
  std::size_t perChunk = 0;
  const std::size_t sentencesPerChunk =
      scanText(chunk, analysisKind(KindId::DatPl), [&](std::string_view, std::int64_t) { ++perChunk; });

  const CliRun scan = cli({"scan", "dat-pl", big, "--tsv", dir.file("big.XLS")});
  ASSERT_EQ(scan.exitCode, 0) << scan.err;
  EXPECT_EQ(lines(readBytes(dir.file("big.XLS"))), copies * perChunk + 1);
  // The last sentence of the whole text is the last one of the chunk.
  const CliRun last = cli({"sentence", big, std::to_string(copies * sentencesPerChunk)});
  ASSERT_EQ(last.exitCode, 0) << last.err;
  const std::string lastSentence(*SentenceTable(chunk).sentence(static_cast<std::int64_t>(sentencesPerChunk)));
  EXPECT_EQ(last.out, cp1252::toUtf8(lastSentence) + "\n");
}

// One record of "rosam", repeated, cut to the length.
std::string analysisBytes(std::uint64_t length) {
  CandidateGrid grid;
  grid.appendCandidate("rosam", 3);
  grid.validate(1, "1 d\xE9" "cl. acc. sg. [AA00C]");
  const std::string record = encodeAnalysisFile(grid);
  std::string bytes;
  bytes.reserve(length);
  while (bytes.size() < length) bytes += record;
  bytes.resize(length);
  return bytes;
}

TEST(HostileAnalysisFile, LengthsAroundTheRecordSize) {
  struct Case {
    std::uint64_t length;
    std::size_t rows;
  } cases[] = {
      {0, 0}, {1, 0}, {184, 0}, {185, 1}, {368, 1}, {369, 1}, {369 * 2 + 184, 2}, {369 * 100000 + 200, 100001},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    writeBytes(dir.file("a.DAT"), analysisBytes(c.length));
    const CliRun show = cli({"show", dir.file("a.DAT"), "--tsv", dir.file("a.XLS")});
    ASSERT_EQ(show.exitCode, 0) << show.err;
    const std::string sheet = readBytes(dir.file("a.XLS"));
    EXPECT_EQ(lines(sheet), c.rows + 1);
    if (c.rows > 0) {
      // The last row, even a short one, holds the form; numbers follow the records.
      const std::string lastLine = sheet.substr(sheet.rfind('\n', sheet.size() - 2) + 1);
      EXPECT_EQ(lastLine.substr(0, lastLine.find('\t')), c.rows % 65536 == 1 ? std::to_string(c.rows) : "1");
      EXPECT_NE(lastLine.find("\t3\trosam\t"), std::string::npos) << lastLine;
    }
  }
}

TEST(HostileAnalysisFile, RecordFullOfFF) {
  TempDir dir;
  writeBytes(dir.file("ff.DAT"), std::string(369, '\xFF'));
  const CliRun show = cli({"show", dir.file("ff.DAT"), "--tsv", dir.file("ff.XLS")});
  ASSERT_EQ(show.exitCode, 0) << show.err;
  const std::string sheet = readBytes(dir.file("ff.XLS"));
  const std::string row = "-1\t" + std::string(7, '\xFF') + "\t" + std::string(100, '\xFF') + "\t" +
                          std::string(255, '\xFF') + "\r\n";
  ASSERT_GE(sheet.size(), row.size());
  EXPECT_EQ(sheet.substr(sheet.size() - row.size()), row);
  EXPECT_EQ(lines(sheet), 2u);
}

TEST(HostilePaths, AFolderWhereAFileIsExpected) {
  TempDir dir;
  writeBytes(dir.file("t.txt"), "Rosam vidi.");
  const std::string folder = dir.file("dossier");
  fs::create_directory(folder);
  writeBytes(dir.file("dossier/dedans.txt"), "garde");
  const std::vector<std::vector<std::string>> commands = {
      {"scan", "acc-sg", folder},
      {"show", folder},
      {"sentence", folder, "1"},
      {"lemma", "--dict", folder, "amo"},
      {"form", "--dict", folder, "amicus"},
      {"scan", "acc-sg", dir.file("t.txt"), "--dat", folder},
      {"scan", "acc-sg", dir.file("t.txt"), "--tsv", folder},
  };
  for (const auto& args : commands) {
    SCOPED_TRACE(args[0] + " " + args[1]);
    expectFileFailure(cli(args), folder, "C'est un dossier");
  }
  EXPECT_EQ(entriesIn(folder), 1u);
  EXPECT_EQ(readBytes(dir.file("dossier/dedans.txt")), "garde");
}

TEST(HostilePaths, UnreadableFiles) {
  // A read error in the middle of reading: the kernel refuses to read this file.
  for (const auto& args : std::vector<std::vector<std::string>>{{"scan", "acc-sg", "/proc/self/mem"},
                                                                 {"show", "/proc/self/mem"},
                                                                 {"lemma", "--dict", "/proc/self/mem", "a"}}) {
    SCOPED_TRACE(args[0]);
    expectFileFailure(cli(args), "/proc/self/mem", "Erreur d'entr\xC3\xA9" "e-sortie");
  }
}

TEST(HostilePaths, AFileWithoutReadRights) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads every file whatever its mode";
  TempDir dir;
  writeBytes(dir.file("t.txt"), "Rosam vidi.");
  ::chmod(dir.file("t.txt").c_str(), 0);
  expectFileFailure(cli({"scan", "acc-sg", dir.file("t.txt")}), dir.file("t.txt"), "Permission refus\xC3\xA9" "e");
}

TEST(HostilePaths, ReadOnlyDestinationsKeepTheirOldFile) {
  TempDir dir;
  writeBytes(dir.file("t.txt"), "Rosam vidi. Aquam bibi.");
  const std::string old = analysisBytes(369 * 3);
  writeBytes(dir.file("old.DAT"), old);
  ::chmod(dir.file("old.DAT").c_str(), 0444);
  expectFileFailure(cli({"scan", "acc-sg", dir.file("t.txt"), "--dat", dir.file("old.DAT")}), dir.file("old.DAT"),
                    "Permission refus\xC3\xA9" "e");
  EXPECT_EQ(readBytes(dir.file("old.DAT")), old);
  EXPECT_EQ(entriesIn(dir.path()), 2u);  // no temporary file left behind
}

TEST(HostilePaths, ReadOnlyFoldersKeepTheirOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
  TempDir dir;
  writeBytes(dir.file("t.txt"), "Rosam vidi. Aquam bibi.");
  const std::string old = analysisBytes(369 * 3);
  fs::create_directory(dir.file("ro"));
  writeBytes(dir.file("ro/old.DAT"), old);
  ::chmod(dir.file("ro").c_str(), 0555);
  expectFileFailure(cli({"scan", "acc-sg", dir.file("t.txt"), "--dat", dir.file("ro/old.DAT")}),
                    dir.file("ro/old.DAT"), "Permission refus\xC3\xA9" "e");
  EXPECT_EQ(readBytes(dir.file("ro/old.DAT")), old);
}

TEST(HostilePaths, DestinationFolderThatDisappeared) {
  TempDir dir;
  writeBytes(dir.file("t.txt"), "Rosam vidi.");
  fs::create_directory(dir.file("parti"));
  fs::remove(dir.file("parti"));
  expectFileFailure(cli({"scan", "acc-sg", dir.file("t.txt"), "--dat", dir.file("parti/a.DAT")}),
                    dir.file("parti/a.DAT"), "introuvable");
  writeBytes(dir.file("fichier"), "x");
  expectFileFailure(cli({"scan", "acc-sg", dir.file("t.txt"), "--tsv", dir.file("fichier/a.XLS")}),
                    dir.file("fichier/a.XLS"), "pas un dossier");
  EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST(HostilePaths, FolderRemovedWhileSaving) {
  // The folder goes away while the content is being written: the save fails with
  // the reason, and nothing is left anywhere.
  TempDir dir;
  fs::create_directory(dir.file("dossier"));
  const std::string path = dir.file("dossier/a.DAT");
  const auto error = writeFileAtomically(path, [&](ChunkWriter& w) {
    if (!w.write(std::string(3 << 20, 'x'))) return false;
    fs::remove_all(dir.file("dossier"));
    return w.write(std::string(3 << 20, 'y'));
  });
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->path, path);
  EXPECT_EQ(error->reason, "Fichier ou dossier introuvable");
  EXPECT_EQ(entriesIn(dir.path()), 0u);
}

TEST(HostilePaths, SpecialFilesAreNeitherReadNorReplaced) {
  TempDir dir;
  writeBytes(dir.file("t.txt"), "Rosam vidi.");
  ASSERT_EQ(::mkfifo(dir.file("tube").c_str(), 0644), 0);
  // A pipe without writer, an endless device: refused at once, as sources and as
  // dictionaries; as destinations they are never replaced by a plain file.
  for (const std::string& special : {dir.file("tube"), std::string("/dev/zero"), std::string("/dev/null")}) {
    SCOPED_TRACE(special);
    expectFileFailure(cli({"scan", "acc-sg", special}), special, "pas un fichier ordinaire");
    expectFileFailure(cli({"show", special}), special, "pas un fichier ordinaire");
    expectFileFailure(cli({"form", "--dict", special, "amicus"}), special, "pas un fichier ordinaire");
  }
  for (const std::string& special : {dir.file("tube"), std::string("/dev/null")}) {
    SCOPED_TRACE(special);
    expectFileFailure(cli({"scan", "acc-sg", dir.file("t.txt"), "--dat", special}), special,
                      "pas un fichier ordinaire");
  }
  EXPECT_TRUE(fs::is_fifo(dir.file("tube")));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

}  // namespace
}  // namespace varnelio
