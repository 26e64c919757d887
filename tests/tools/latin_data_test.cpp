// SPDX-License-Identifier: GPL-3.0-or-later
// The analyser and the tagger of a data folder: loaded once and shared, and what
// stops them said in one French sentence, whatever the file's trouble.
#include "core/morphology/latin_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../support/required_data.h"
#include "temp_dir.h"

namespace varnelio {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

const fs::path kBuilt = VARNELIO_DATA_DIR;

void write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string messageOf(const auto& load) {
  const auto* problem = std::get_if<LatinDataProblem>(&load);
  return problem ? problem->message() : "loaded";
}

TEST(LatinData, EachTroubleOfTheFilesIsToldAndNothingLoadsHalf) {
  VARNELIO_REQUIRE_DATA(fs::exists(kBuilt / "analyseur.dat") && fs::exists(kBuilt / "etiqueteur.dat"),
                        "the analyser and tagger built in " + kBuilt.string());
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> lay;
    std::string analyser, tagger;  // the start of what each load says
  };
  const std::vector<Case> cases = {
      {"nothing", [](const fs::path&) {}, "Le fichier analyseur.dat est manquant!",
       "Le fichier analyseur.dat est manquant!"},
      {"a damaged analyser", [](const fs::path& d) { write(d / "analyseur.dat", std::string(5000, 'x')); },
       "Le fichier analyseur.dat ne peut pas \xC3\xAAtre lu", "Le fichier analyseur.dat ne peut pas \xC3\xAAtre lu"},
      {"no tagger", [](const fs::path& d) { fs::copy_file(kBuilt / "analyseur.dat", d / "analyseur.dat"); },
       "loaded", "Le fichier etiqueteur.dat est manquant!"},
      {"a tagger cut short",
       [](const fs::path& d) {
         fs::copy_file(kBuilt / "analyseur.dat", d / "analyseur.dat");
         fs::copy_file(kBuilt / "etiqueteur.dat", d / "etiqueteur.dat");
         fs::resize_file(d / "etiqueteur.dat", fs::file_size(d / "etiqueteur.dat") / 2);
       },
       "loaded", "Le fichier etiqueteur.dat ne peut pas \xC3\xAAtre lu"},
      {"both whole",
       [](const fs::path& d) {
         fs::copy_file(kBuilt / "analyseur.dat", d / "analyseur.dat");
         fs::copy_file(kBuilt / "etiqueteur.dat", d / "etiqueteur.dat");
       },
       "loaded", "loaded"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    c.lay(dir.path());
    LatinData data(dir.path().string());
    EXPECT_EQ(messageOf(data.analyser()).substr(0, c.analyser.size()), c.analyser);
    EXPECT_EQ(messageOf(data.tagger()).substr(0, c.tagger.size()), c.tagger);
  }
}

TEST(LatinData, LoadedOnceAndSharedAndTriedAgainWhileMissing) {
  VARNELIO_REQUIRE_DATA(fs::exists(kBuilt / "analyseur.dat"), "the analyser built in " + kBuilt.string());
  TempDir dir;
  LatinData data(dir.path().string());
  EXPECT_TRUE(std::holds_alternative<LatinDataProblem>(data.analyser()));
  fs::copy_file(kBuilt / "analyseur.dat", dir.path() / "analyseur.dat");  // put back meanwhile
  const auto first = std::get<std::shared_ptr<const LatinAnalyser>>(data.analyser());
  const auto second = std::get<std::shared_ptr<const LatinAnalyser>>(data.analyser());
  EXPECT_EQ(first.get(), second.get());
  EXPECT_FALSE(first->analyse("rosam").empty());
}

// The judge learnt with other files or other features is refused, saying which,
// and so is a tagger built for another analyser file with as many lemmas.
TEST(LatinData, AJudgeOrATaggerMadeWithOtherFilesOrFeaturesIsRefused) {
  VARNELIO_REQUIRE_DATA(fs::exists(kBuilt / "juge.dat"), "the judge built in " + kBuilt.string());
  const NounJudge built = NounJudge::load((kBuilt / "juge.dat").string());
  ASSERT_EQ(built.status(), NounJudge::Status::Loaded);
  const auto judgeWith = [&](auto change) {
    JudgeModel model = built.model();
    change(model);
    return encodeJudgeModel(model);
  };
  const auto taggerFor = [](std::uint64_t analyserFingerprint) {
    auto read = readWholeFile((kBuilt / "etiqueteur.dat").string());
    std::string bytes = std::get<std::string>(read);
    for (int b = 0; b < 8; ++b) bytes[12 + b] = static_cast<char>(analyserFingerprint >> (8 * b));
    return bytes;
  };
  const LatinAnalyser analyser = LatinAnalyser::load((kBuilt / "analyseur.dat").string());
  struct Case {
    const char* what;
    std::string tagger, judge;
    std::string taggerSays, judgeSays;
  };
  const std::vector<Case> cases = {
      {"all three made together", taggerFor(analyser.fingerprint()), judgeWith([](JudgeModel&) {}), "loaded",
       "loaded"},
      {"a judge of other features", taggerFor(analyser.fingerprint()),
       judgeWith([](JudgeModel& m) { m.featureSet ^= 1; }), "loaded",
       "Le fichier juge.dat a \xC3\xA9t\xC3\xA9 appris sur d'autres indices que ceux de ce programme."},
      {"a judge of another tagger", taggerFor(analyser.fingerprint()),
       judgeWith([](JudgeModel& m) { m.taggerFingerprint ^= 1; }), "loaded",
       "Le fichier juge.dat ne correspond pas \xC3\xA0 etiqueteur.dat."},
      {"a tagger of another analyser", taggerFor(analyser.fingerprint() ^ 1), judgeWith([](JudgeModel&) {}),
       "Le fichier etiqueteur.dat ne correspond pas \xC3\xA0 analyseur.dat.",
       "Le fichier etiqueteur.dat ne correspond pas \xC3\xA0 analyseur.dat."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    fs::copy_file(kBuilt / "analyseur.dat", dir.path() / "analyseur.dat");
    write(dir.path() / "etiqueteur.dat", c.tagger);
    write(dir.path() / "juge.dat", c.judge);
    LatinData data(dir.path().string());
    EXPECT_EQ(messageOf(data.tagger()), c.taggerSays);
    EXPECT_EQ(messageOf(data.judge()), c.judgeSays);
  }
}

}  // namespace
}  // namespace varnelio
