// SPDX-License-Identifier: GPL-3.0-or-later
// Times the dictionary windows on large files: opening a window (which reads its
// file whole), the lookups behind the search button and the letter menu, and filling the
// grid with their hits. Also counts the heap allocations of a bare lookup, which
// must not grow with the number of records.
//
//   ui_dictionary_timing [data folder]
//
// Without a folder, it writes a 400,000-record donnees.dat and lexique.dat into a
// temporary folder first. Runs on any Qt platform (offscreen is fine).
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "core/dictionaries/dictionaries.h"
#include "ui/shell/workspace.h"
#include "ui/dictionaries/dictionary_grid.h"
#include "ui/dictionaries/dictionary_window.h"
#include "ui/shell/codec.h"
#include "ui/shell/prompts.h"

namespace {
std::atomic<long long> g_allocations{0};
}

void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace varnelio;
using namespace varnelio::ui;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Headwords in the order the files require: by initial letter, a to z.
std::vector<std::string> headwords(std::size_t count, std::size_t seed) {
  std::mt19937 random(static_cast<unsigned>(seed));
  std::vector<std::string> words;
  words.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::string w(1, static_cast<char>('a' + i * 26 / count));
    const int length = 3 + static_cast<int>(random() % 8);
    for (int k = 0; k < length; ++k) w.push_back(static_cast<char>('a' + random() % 26));
    words.push_back(std::move(w));
  }
  return words;
}

void writeDictionaries(const QString& folder, std::size_t records) {
  std::string lemmas, forms;
  lemmas.reserve(records * lemmaLayout().recordSize);
  forms.reserve(records * formLayout().recordSize);
  const auto lemmaWords = headwords(records, 1);
  const auto formWords = headwords(records, 2);
  for (std::size_t i = 0; i < records; ++i) {
    lemmas += encodeDictionaryRecord(lemmaLayout(), 0,
                                     {lemmaWords[i], "n.", "traduction fran\xE7" "aise", "  famille", "familia"});
    forms += encodeDictionaryRecord(formLayout(), 0,
                                    {formWords[i], "n.", lemmaWords[i], " nom. m. sg.", "", "traduction"});
  }
  // A form that occurs a few times, in the middle of the a's, for the exact lookup.
  const std::string amicus = encodeDictionaryRecord(formLayout(), 0, {"amicus", "n.", "amicus", "nom. m. sg.", "", "ami"});
  for (int k = 0; k < 3; ++k) forms.replace((records / 60 + k) * formLayout().recordSize, amicus.size(), amicus);
  for (const auto& [name, bytes] : {std::pair{QStringLiteral("lexique.dat"), &lemmas},
                                    std::pair{QStringLiteral("donnees.dat"), &forms}}) {
    QFile file(folder + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes->data(), static_cast<qint64>(bytes->size())) != static_cast<qint64>(bytes->size())) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
      std::exit(1);
    }
  }
}

struct Figures {
  double best = 1e9, worst = 0;
  void add(double ms) {
    best = std::min(best, ms);
    worst = std::max(worst, ms);
  }
};

void report(const char* what, const Figures& f, std::size_t hits) {
  std::printf("  %-44s best %8.2f ms  worst %8.2f ms  (%zu hits)\n", what, f.best, f.worst, hits);
}

template <typename Lookup>
void timeLookup(const char* what, Lookup lookup) {
  Figures f;
  std::size_t hits = 0;
  long long allocations = 0;
  for (int run = 0; run < 7; ++run) {
    const long long before = g_allocations;
    const auto start = Clock::now();
    hits = lookup().size();
    f.add(msSince(start));
    allocations = g_allocations - before;
  }
  report(what, f, hits);
  std::printf("  %-44s %lld heap allocations for %zu hits\n", "", allocations, hits);
}

void timeWindow(Workspace& workspace, WindowId id, const QString& searchText, char letter) {
  const QString name = id.objectName();
  const auto start = Clock::now();
  auto* window = qobject_cast<DictionaryWindow*>(workspace.open(id));
  QCoreApplication::processEvents();
  const double openMs = msSince(start);
  std::printf("%s: %zu records\n", qPrintable(name), window->entryCount());
  std::printf("  %-44s %8.2f ms\n", "open the window (read the file, show)", openMs);

  auto* text1 = window->findChild<QLineEdit*>(QStringLiteral("Text1"));
  const auto click = [&](const QString& text, const char* what) {
    text1->setText(text);
    Figures f;
    for (int run = 0; run < 7; ++run) {
      const auto s = Clock::now();
      window->onSearch();
      QCoreApplication::processEvents();  // the grid paints its first rows
      f.add(msSince(s));
    }
    report(what, f, static_cast<std::size_t>(window->grid()->rows() - 2));
  };
  click(searchText, "Command1 (lookup, fill and paint the grid)");
  if (name == kLemmaDictionaryName) click(QString(), "Command1, empty text (every entry)");
  Figures f;
  for (int run = 0; run < 7; ++run) {
    const auto s = Clock::now();
    window->listLetter(letter);
    QCoreApplication::processEvents();
    f.add(msSince(s));
  }
  report(letter == 'a' ? "letter a (listing, fill and paint)" : "letter (listing, fill and paint)", f,
         static_cast<std::size_t>(window->grid()->rows() - 2));
  window->close();
  QCoreApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir temporary;
  QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  if (folder.isEmpty()) {
    folder = temporary.path();
    const auto start = Clock::now();
    writeDictionaries(folder, 400000);
    std::printf("wrote 400,000-record lexique.dat and donnees.dat in %.0f ms\n", msSince(start));
  }

  // The bare lookups of the core, with their allocations.
  const std::string formPath = toLocalPath(folder + QStringLiteral("/donnees.dat"));
  const std::string lemmaPath = toLocalPath(folder + QStringLiteral("/lexique.dat"));
  auto start = Clock::now();
  const FormTable forms = FormTable::load(formPath);
  std::printf("core: read donnees.dat (%zu records) in %.2f ms\n", forms.count(), msSince(start));
  start = Clock::now();
  const LemmaTable lemmas = LemmaTable::load(lemmaPath);
  std::printf("core: read lexique.dat (%zu records) in %.2f ms\n", lemmas.count(), msSince(start));
  timeLookup("findForm(\"amicus\")", [&] { return forms.findForm("amicus"); });
  timeLookup("findForm(\"zzzzzz\") (no hit)", [&] { return forms.findForm("zzzzzz"); });
  timeLookup("findLemma(\"am\")", [&] { return lemmas.findLemma("am"); });
  timeLookup("findLemma(\"zzzzzz\") (no hit)", [&] { return lemmas.findLemma("zzzzzz"); });
  timeLookup("findLetter('z') on the forms (whole scan)", [&] { return forms.findLetter('z'); });

  ScriptedPrompts prompts;
  Workspace workspace(prompts, folder);
  registerDictionaryWindows(workspace);
  timeWindow(workspace, WindowId::formDictionary(), QStringLiteral("amicus"), 'a');
  timeWindow(workspace, WindowId::lemmaDictionary(), QStringLiteral("am"), 'a');
  for (const QString& message : prompts.messages()) std::printf("message: %s\n", qPrintable(message));
  return 0;
}
