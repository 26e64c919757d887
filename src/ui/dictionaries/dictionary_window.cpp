// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dictionaries/dictionary_window.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <limits>

#include "ui/shell/workspace.h"
#include "ui/dictionaries/dictionary_grid.h"
#include "ui/shell/busy_cursor.h"
#include "ui/shell/codec.h"
#include "ui/shell/prompts.h"
#include "ui/style/shadowed_title.h"
#include "ui/shell/twips.h"

namespace varnelio::ui {

// Everything that tells the lemma dictionary from the form dictionary.
// Sizes and positions in twips.
struct DictionaryConfiguration {
  QString name;             // the window's object name
  QString caption;          // its title bar
  int clientWidth;          // the client area below the menu bar
  int clientHeight;
  QString banner;           // the shadowed title across the top
  int bannerLeft;           // where the banner's text starts
  QString frame1Caption;    // the search frame's caption
  QString closeCaption;     // the menu item that closes the window
  QRect gridRect;           // the result grid inside its frame
  QColor fixedText;         // the text colour of the grid's fixed row and column
  int statusHeight;         // the status bar
  QStringList headers;      // the result columns, left to right
  std::vector<int> widths;  // their widths
  std::vector<std::size_t> fields;  // the record field each column shows
  std::string_view fileName;        // the dictionary file, in the data folder
  std::string_view noSearchResult;  // the message when a search finds nothing
  // Reads the file; the form dictionary answers with the program's analyser too.
  std::unique_ptr<DictionaryTable> (*load)(const std::string& path, Workspace& workspace);
};

namespace {

std::unique_ptr<DictionaryTable> loadLemmas(const std::string& path, Workspace&) {
  return std::make_unique<LemmaTable>(LemmaTable::load(path));
}

// The analyser is the one the analysis windows use, read once; without it the
// records alone answer.
std::unique_ptr<DictionaryTable> loadForms(const std::string& path, Workspace& workspace) {
  const auto& analyser = workspace.latinData().analyser();
  const auto* loaded = std::get_if<std::shared_ptr<const LatinAnalyser>>(&analyser);
  return std::make_unique<FormTable>(FormTable::load(path, loaded ? *loaded : nullptr));
}

const DictionaryConfiguration& configuration(DictionaryKind kind) {
  static const DictionaryConfiguration lemmas{
      .name = kLemmaDictionaryName,
      .caption = QStringLiteral("Orvalune - Dictionnaire (Lemmes)"),
      .clientWidth = 10695,
      .clientHeight = 7680,
      .banner = QStringLiteral("Dictionnaire (Lemmes)"),
      .bannerLeft = 1560,
      .frame1Caption = QStringLiteral("Recherche d'un lemme : "),
      .closeCaption = QStringLiteral("&Fermer"),
      .gridRect = QRect(120, 240, 10095, 5055),
      .fixedText = QColor(255, 0, 0),
      .statusHeight = 270,
      .headers = {QStringLiteral("Lemme"), QStringLiteral("Traduction"), QStringLiteral("Catégorie"),
                  QStringLiteral("Fam. française"), QStringLiteral("Fam. latine")},
      .widths = {2000, 2500, 1000, 2000, 2000},
      .fields = {lemma_field::kLemma, lemma_field::kTranslation, lemma_field::kCategory, lemma_field::kFrenchFamily,
                 lemma_field::kLatinFamily},
      .fileName = LemmaTable::kFileName,
      .noSearchResult = kNoLemmaResult,
      .load = &loadLemmas,
  };
  static const DictionaryConfiguration forms{
      .name = kFormDictionaryName,
      .caption = QStringLiteral("Orvalune - Dictionnaire (Formes)"),
      .clientWidth = 10665,
      .clientHeight = 7680,
      .banner = QStringLiteral("Dictionnaire (Formes)"),
      .bannerLeft = 1440,
      .frame1Caption = QStringLiteral("Recherche d'une forme : "),
      .closeCaption = QStringLiteral("&Quitter"),
      .gridRect = QRect(120, 360, 10095, 4935),
      .fixedText = QColor(192, 0, 0),
      .statusHeight = 255,
      .headers = {QStringLiteral("Formes"), QStringLiteral("Lemme"), QStringLiteral("Traduction"),
                  QStringLiteral("Cat. gramm."), QStringLiteral("Cas, genre, nombre"),
                  QStringLiteral("Mode, temps, voix")},
      .widths = {1500, 1500, 1750, 1500, 1750, 1750},
      .fields = {form_field::kForm, form_field::kLemma, form_field::kTranslation, form_field::kCategory,
                 form_field::kCaseGenderNumber, form_field::kMoodTenseVoice},
      .fileName = FormTable::kFileName,
      .noSearchResult = kNoFormResult,
      .load = &loadForms,
  };
  return kind == DictionaryKind::Lemmas ? lemmas : forms;
}

// The ordinary look of an input control inside a frame whose caption font and
// colour would otherwise be inherited.
void plainControl(QWidget* widget) {
  widget->setFont(msSansSerif());
  QPalette p = widget->palette();
  p.setColor(QPalette::Text, Qt::black);
  p.setColor(QPalette::WindowText, Qt::black);
  p.setColor(QPalette::ButtonText, Qt::black);
  p.setColor(QPalette::Base, Qt::white);
  widget->setPalette(p);
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, const QRect& twips,
                     const QColor& captionColour) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  frame->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
  frame->setFont(makeFont(QStringLiteral("Times New Roman"), 9.75, true, true));
  setBackground(frame, kLightYellow);
  setTextColour(frame, captionColour);
  return frame;
}

}  // namespace

QPixmap makeSearchPicture() {
  // The frame behind the picture is light yellow: that colour becomes transparent.
  const QColor transparentKey = kLightYellow;
  QImage image(76, 38, QImage::Format_ARGB32);
  image.fill(transparentKey);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The magnifying glass: a lens with a rim and a glint, and its handle.
    p.setPen(QPen(QColor(90, 60, 30), 4.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17.5, 21.5), QPointF(25, 31));
    p.setPen(QPen(QColor(40, 40, 40), 2.2));
    p.setBrush(QColor(190, 220, 250));
    p.drawEllipse(QPointF(12, 15), 8, 8);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(7, 10, 8, 8), 100 * 16, 70 * 16);
    // The word, as large as the room beside the glass allows.
    QFont font = msSansSerif(8.25, true);
    const QRect room(28, 0, 47, 38);
    for (int px = 12; px >= 6; --px) {
      font.setPixelSize(px);
      if (QFontMetrics(font).horizontalAdvance(QStringLiteral("Recherche")) <= room.width()) break;
    }
    p.setFont(font);
    p.setPen(QColor(0, 0, 128));
    p.drawText(room, Qt::AlignCenter, QStringLiteral("Recherche"));
  }
  // Pixels of the key colour are not drawn: the button's own background shows.
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((line[x] & 0xFFFFFF) == (transparentKey.rgb() & 0xFFFFFF) && qAlpha(line[x]) == 255) line[x] = 0;
  }
  return QPixmap::fromImage(image);
}

DictionaryWindow::DictionaryWindow(DictionaryKind kind, Workspace& workspace)
    : QMainWindow(nullptr), kind_(kind), workspace_(workspace) {
  setAttribute(Qt::WA_DeleteOnClose);
  buildWindow();
  prepareOnOpen();
}

DictionaryWindow::~DictionaryWindow() = default;

std::size_t DictionaryWindow::entryCount() const { return table_->count(); }

void DictionaryWindow::buildWindow() {
  const DictionaryConfiguration& c = configuration(kind_);
  setObjectName(c.name);
  setWindowTitle(c.caption);
  columnFields_ = c.fields;

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  setBackground(client, kLightYellow);
  setCentralWidget(client);

  const ShadowedTitle title = makeShadowedTitle(client, c.banner, twipsRect(c.bannerLeft, 120, 7695, 615),
                                                makeFont(QStringLiteral("Times New Roman"), 24, true),
                                                QStringLiteral("Label68"), QStringLiteral("Label67"));
  bannerLower_ = title.lower;
  bannerUpper_ = title.upper;
  buildSearch(client, c);
  buildResult(client, c);
  buildStatusBar(c);
  buildMenus(c);

  setTabOrder(searchEdit_, searchButton_);
  setTabOrder(searchButton_, resultGrid_);
  searchEdit_->setFocus();

  // The client area below the menu bar, the status bar included.
  resize(twipsToPixelsX(c.clientWidth), twipsToPixelsY(c.clientHeight) + menuBar()->sizeHint().height());
}

// searchFrame_: the search box and the search button.
void DictionaryWindow::buildSearch(QWidget* client, const DictionaryConfiguration& c) {
  searchFrame_ = makeFrame(client, QStringLiteral("Frame1"), c.frame1Caption, QRect(720, 840, 5775, 975), kDarkRed);
  searchEdit_ = new QLineEdit(searchFrame_);
  searchEdit_->setObjectName(QStringLiteral("Text1"));
  searchEdit_->setGeometry(twipsRect(120, 480, 4215, 285));
  plainControl(searchEdit_);

  searchButton_ = new QPushButton(searchFrame_);
  searchButton_->setObjectName(QStringLiteral("Command1"));
  searchButton_->setGeometry(twipsRect(4440, 240, 1215, 615));
  searchButton_->setIcon(makeSearchPicture());
  searchButton_->setIconSize(QSize(76, 38));
  searchButton_->setAccessibleName(QStringLiteral("Recherche"));
  // Enter in searchEdit_ searches, as the button does; the button itself is no
  // default button, so that Enter elsewhere in the window does nothing unexpected.
  searchButton_->setAutoDefault(false);
  searchButton_->setDefault(false);
  connect(searchEdit_, &QLineEdit::returnPressed, this, &DictionaryWindow::onSearch);
  plainControl(searchButton_);
  setBackground(searchButton_, kLightYellow);
  {
    QPalette p = searchButton_->palette();
    p.setColor(QPalette::Button, kLightYellow);
    searchButton_->setPalette(p);
  }
  connect(searchButton_, &QPushButton::clicked, this, &DictionaryWindow::onSearch);

}

// resultFrame_: the result grid, and the no-result text in its place when nothing is found.
void DictionaryWindow::buildResult(QWidget* client, const DictionaryConfiguration& c) {
  resultFrame_ = makeFrame(client, QStringLiteral("Frame2"), QStringLiteral("Résultat de la recherche :"),
                     QRect(120, 1920, 10335, 5415), kDarkBlue);
  model_ = new DictionaryResultModel(
      [this](std::size_t entry, int column) -> std::string_view {
        if (entry >= table_->count()) {
          const AddedRow& row = addedRows_[entry - table_->count()];
          const auto c = static_cast<std::size_t>(column);
          return c < row.size() ? std::string_view(row[c]) : std::string_view();
        }
        return table_->file().field(entry, columnFields_[static_cast<std::size_t>(column)]);
      },
      static_cast<int>(c.headers.size()), this);
  model_->setFixedTextColour(c.fixedText);
  resultGrid_ = new DictionaryGrid(model_, resultFrame_);
  resultGrid_->setObjectName(QStringLiteral("grille02"));
  resultGrid_->setGeometry(twipsRect(c.gridRect.x(), c.gridRect.y(), c.gridRect.width(), c.gridRect.height()));

  noResultLabel_ = new QLabel(resultFrame_);
  noResultLabel_->setObjectName(QStringLiteral("Labelgrille"));
  noResultLabel_->setGeometry(twipsRect(2040, 1680, 6615, 1095));
  noResultLabel_->setFrameStyle(QFrame::Box | QFrame::Plain);
  noResultLabel_->setAlignment(Qt::AlignCenter);
  noResultLabel_->setWordWrap(true);
  noResultLabel_->setFont(makeFont(QStringLiteral("Times New Roman"), 20.25, true, true));
  noResultLabel_->setAutoFillBackground(false);
  setTextColour(noResultLabel_, kDarkRed);
  noResultLabel_->hide();

}

void DictionaryWindow::buildStatusBar(const DictionaryConfiguration& c) {
  statusBar_ = statusBar();
  statusBar_->setObjectName(QStringLiteral("StatusBar1"));
  statusBar_->setFixedHeight(twipsToPixelsY(c.statusHeight));
  auto* panel = new QLabel(statusBar_);  // the one panel, never written
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  statusBar_->addWidget(panel, 1);

}

void DictionaryWindow::buildMenus(const DictionaryConfiguration& c) {
  QMenu* fichier = menuBar()->addMenu(QStringLiteral("&Fichier"));
  fichier->setObjectName(QStringLiteral("fichier"));
  QAction* imprimer = fichier->addAction(QStringLiteral("&Imprimer"), this, &DictionaryWindow::onPrint);
  imprimer->setObjectName(QStringLiteral("imprimer"));
  QAction* quitter = fichier->addAction(c.closeCaption, this, &DictionaryWindow::onClose);
  quitter->setObjectName(QStringLiteral("quitter"));

  QMenu* recherche = menuBar()->addMenu(QStringLiteral("&Recherche"));
  recherche->setObjectName(QStringLiteral("recherche"));
  QMenu* alphabet = recherche->addMenu(QStringLiteral("&Alphabétique"));
  alphabet->setObjectName(QStringLiteral("alphabet"));
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    const QChar upper = QChar(letter).toUpper();
    QAction* item = alphabet->addAction(QStringLiteral("&") + upper, this, [this, letter] { listLetter(letter); });
    item->setObjectName(QStringLiteral("l") + QChar(letter));
  }

  QMenu* aide = menuBar()->addMenu(QStringLiteral("&Aide"));
  aide->setObjectName(QStringLiteral("aide"));
  QAction* about = aide->addAction(QStringLiteral("&A propos de"), this, &DictionaryWindow::onAbout);
  about->setObjectName(QStringLiteral("about"));

}

void DictionaryWindow::prepareOnOpen() {
  clearResult();
  const DictionaryConfiguration& c = configuration(kind_);
  const QString path = workspace_.dataDir() + QLatin1Char('/') + toQString(c.fileName);
  const std::string localPath = toLocalPath(path);
  table_ = c.load(localPath, workspace_);
  const DictionaryFile& file = table_->file();
  if (file.status() == DictionaryStatus::Loaded) return;
  // A file that exists but cannot be read leaves the window as empty as a missing
  // one; the second line says why.
  const QString missing = QStringLiteral("Le fichier %1 est manquant!").arg(toQString(c.fileName));
  workspace_.prompts().inform(QApplication::activeWindow(),
                              file.status() == DictionaryStatus::Unreadable
                                  ? fileFailureMessage(missing, {}, file.error())
                                  : missing);
}

void DictionaryWindow::clearResult() {
  const DictionaryConfiguration& c = configuration(kind_);
  model_->setHeaders(c.headers);
  for (int column = 0; column < static_cast<int>(c.widths.size()); ++column)
    resultGrid_->setColumnWidthTwips(column, c.widths[static_cast<std::size_t>(column)]);
  model_->setTopAlignedColumn(4);
}

void DictionaryWindow::showHits(const QString& noResultText, const std::vector<std::size_t>& hits) {
  noResultLabel_->setText(noResultText);
  BusyCursor busy(this);
  noResultLabel_->hide();
  resultGrid_->show();
  clearResult();
  // The previous result, its cells and their formatting, is replaced in one batch by
  // the hits and the blank row below them.
  model_->setHits(hits);
  busy.restore();
  if (hits.empty()) {
    resultGrid_->hide();
    noResultLabel_->show();
  }
}

void DictionaryWindow::onSearch() {
  const std::string text = fromQString(searchEdit_->text());  // as typed, not trimmed
  std::vector<std::size_t> hits;
  {
    BusyCursor busy(this);
    hits = table_->find(text);
    addedRows_ = table_->addedRows(text, hits);
    for (std::size_t k = 0; k < addedRows_.size(); ++k) hits.push_back(table_->count() + k);
  }
  showHits(toQString(configuration(kind_).noSearchResult), hits);
}

void DictionaryWindow::listLetter(char letter) {
  std::vector<std::size_t> hits;
  {
    BusyCursor busy(this);
    hits = table_->findLetter(letter);
    addedRows_.clear();
  }
  showHits(toQString(kNoLetterResult), hits);
}

void DictionaryWindow::onPrint() {
  // Every hit row, the blank last row excluded.
  const int last = resultGrid_->rows() - 2;
  const std::vector<std::size_t>& hits = model_->hits();
  std::vector<std::size_t> printed;
  std::vector<AddedRow> added;
  for (int i = 0; i < last; ++i) {
    const std::size_t entry = hits[static_cast<std::size_t>(i)];
    if (entry < table_->count()) printed.push_back(entry);
    else added.push_back(addedRows_[entry - table_->count()]);
  }
  workspace_.prompts().print(this, table_->entriesJob(printed, added), true, windowTitle());
}

void DictionaryWindow::onClose() { close(); }

void DictionaryWindow::onAbout() { workspace_.open(WindowId::about()); }

void DictionaryWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  clampSize();
}

void DictionaryWindow::clampSize() {
  // The frame borders and the caption bar are measured on the window itself (its
  // frame geometry against its client geometry), the menu bar on the menu bar: what
  // the system metrics of the frame, caption and one-line menu bar give elsewhere.
  // Measured so, the result frame and grid keep their margins to the window's
  // edges whatever the window manager's decorations.
  const QRect outer = frameGeometry();
  const QRect inner = geometry();
  const int menuHeight = menuBar()->isVisibleTo(this) ? menuBar()->height() : 0;
  const int bwPixels = outer.width() - inner.width();
  const int bhPixels = outer.height() - inner.height() + menuHeight;
  constexpr int kMax = std::numeric_limits<std::int16_t>::max();
  if (bwPixels < 0 || bhPixels < 0 || bwPixels > kMax || bhPixels > kMax) return;
  auto bw = static_cast<std::int16_t>(bwPixels);
  auto bh = static_cast<std::int16_t>(bhPixels);
  if (!PixelsToTwips(bw, bh)) return;  // overflow: the controls keep their sizes

  const int W = pixelsToTwipsX(outer.width());
  const int H = pixelsToTwipsY(outer.height());
  const int statusHeight = pixelsToTwipsY(statusBar_->height());
  const auto setWidth = [](QWidget* w, int twips) {
    if (twips >= 0) w->resize(twipsToPixelsX(twips), w->height());
  };
  const auto setHeight = [](QWidget* w, int twips) {
    if (twips >= 0) w->resize(w->width(), twipsToPixelsY(twips));
  };
  setWidth(resultGrid_, W - bw - pixelsToTwipsX(resultGrid_->x()) - 450);
  setWidth(resultFrame_, W - bw - pixelsToTwipsX(resultFrame_->x()) - 200);
  setHeight(resultGrid_, H - statusHeight - bh - pixelsToTwipsY(resultGrid_->y()) - 2200);
  setHeight(resultFrame_, H - statusHeight - bh - pixelsToTwipsY(resultFrame_->y()) - 200);
  update();
}

void registerDictionaryWindows(Workspace& workspace) {
  workspace.registerFactory(WindowId::lemmaDictionary(),
                            [](Workspace& ws) { return new DictionaryWindow(DictionaryKind::Lemmas, ws); });
  workspace.registerFactory(WindowId::formDictionary(),
                            [](Workspace& ws) { return new DictionaryWindow(DictionaryKind::Forms, ws); });
}

}  // namespace varnelio::ui
