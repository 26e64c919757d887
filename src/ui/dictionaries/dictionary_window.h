// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two dictionary windows, one class in two configurations: frmlexique, the
// lemma dictionary (lexique.dat, prefix lookup), and frmrecherche01, the form
// dictionary (donnees.dat, exact lookup). Each reads its file whole when it is
// created, lists the hits of a lookup or of an initial letter in resultGrid_, and
// prints them.
#include "ui/dictionaries/layer.h"
#include <QMainWindow>
#include <QPixmap>
#include <array>
#include <memory>
#include <vector>

#include "core/dictionaries/dictionaries.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace varnelio::ui {

struct DictionaryConfiguration;

class DictionaryGrid;
class DictionaryResultModel;
class Workspace;

enum class DictionaryKind { Lemmas, Forms };

inline const QString kLemmaDictionaryName = QStringLiteral("frmlexique");
inline const QString kFormDictionaryName = QStringLiteral("frmrecherche01");

class DictionaryWindow final : public QMainWindow {
  Q_OBJECT
 public:
  DictionaryWindow(DictionaryKind kind, Workspace& workspace);
  ~DictionaryWindow() override;

  DictionaryKind kind() const { return kind_; }
  // Entries read from the file.
  std::size_t entryCount() const;
  DictionaryGrid* grid() const { return resultGrid_; }

  // Handlers.
  void onSearch();
  // la_Click to lz_Click: the entries of one initial letter, "a" to "z".
  void listLetter(char letter);
  void onPrint();
  void onClose();
  void onAbout();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildWindow();
  void buildSearch(QWidget* client, const DictionaryConfiguration& c);
  void buildResult(QWidget* client, const DictionaryConfiguration& c);
  void buildStatusBar(const DictionaryConfiguration& c);
  void buildMenus(const DictionaryConfiguration& c);
  void prepareOnOpen();
  void clearResult();
  void clampSize();
  // The steps shared by the search and the letter listing.
  void showHits(const QString& noResultText, const std::vector<std::size_t>& hits);

  DictionaryKind kind_;
  Workspace& workspace_;
  // Never empty: an empty table until the file is read.
  std::unique_ptr<DictionaryTable> table_ = std::make_unique<LemmaTable>();
  // The rows the last search added after the file's entries (the form dictionary's
  // analyser answers): the grid shows row k as entry table_->count() + k.
  std::vector<AddedRow> addedRows_;
  std::vector<std::size_t> columnFields_;  // field of the file shown in each grid column

  QLabel* bannerUpper_ = nullptr;  // `Label67`
  QLabel* bannerLower_ = nullptr;  // `Label68`
  QGroupBox* searchFrame_ = nullptr;  // `Frame1`
  QLineEdit* searchEdit_ = nullptr;  // `Text1`
  QPushButton* searchButton_ = nullptr;  // `Command1`
  QGroupBox* resultFrame_ = nullptr;  // `Frame2`
  DictionaryResultModel* model_ = nullptr;
  DictionaryGrid* resultGrid_ = nullptr;  // `grille02`
  QLabel* noResultLabel_ = nullptr;  // `Labelgrille`
  QStatusBar* statusBar_ = nullptr;  // `StatusBar1`
};

// The face of the search button: the word Recherche beside a magnifying glass, 76 x
// 38 pixels, with the light-yellow background made transparent.
QPixmap makeSearchPicture();

// Registers frmlexique and frmrecherche01 with the workspace.
void registerDictionaryWindows(Workspace& workspace);

}  // namespace varnelio::ui
