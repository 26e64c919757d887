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

}  // namespace
}  // namespace varnelio
