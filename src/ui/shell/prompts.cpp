// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include "ui/shell/dialog_placement.h"
#include "ui/shell/french_file_list.h"
#include "ui/shell/pdf_destination.h"
#include "ui/shell/printer_device.h"

namespace varnelio::ui {
namespace {

// "Fichiers Texte (*.TXT)|*.TXT" -> the Qt form, "Fichiers Texte (*.TXT)". The
// dialog matches patterns without regard to case, so "*.TXT" lists "caesar.txt" too.
QString qtFilter(const QString& filter) {
  const auto bar = filter.indexOf(QLatin1Char('|'));
  if (bar < 0) return filter;
  QString description = filter.left(bar);
  const QString pattern = filter.mid(bar + 1);
  if (!description.contains(pattern)) description += QStringLiteral(" (") + pattern + QLatin1Char(')');
  return description;
}

std::optional<QString> runFileDialog(QWidget* parent, const QString& filter, const QString& fileName,
                                     QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent);
  useFrenchFileList(dialog);
  dialog.setAcceptMode(mode);
  dialog.setNameFilter(qtFilter(filter));
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  // The callers ask their own question before replacing a file.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (!fileName.isEmpty()) {
    const QFileInfo info(fileName);
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
  return files.first();
}

QPrinter& programPrinter() {
  static QPrinter printer(QPrinter::HighResolution);
  return printer;
}

}  // namespace

QString fileFailureMessage(const QString& what, const QString& path, const QString& reason) {
  QString text = what;
  if (!path.isEmpty()) text += QLatin1Char('\n') + QDir::toNativeSeparators(path);
  if (!reason.isEmpty()) text += QLatin1Char('\n') + reason;
  return text;
}

QString fileFailureMessage(const QString& what, const QString& path, const FileError& error) {
  return fileFailureMessage(what, path, QString::fromStdString(error.reason));
}

bool confirmOverwrite(Prompts& prompts, QWidget* parent, const QString& path, DefaultAnswer answer) {
  const QString question = path + QStringLiteral(" existe.") + QLatin1Char('\n') +
                           QStringLiteral("Désirez-vous l'écraser?");
  return prompts.askYesNo(parent, QStringLiteral("Fichier existant"), question, answer);
}

std::optional<QString> QtPrompts::openFile(QWidget* parent, const QString& filter, const QString& fileName) {
  return runFileDialog(parent, filter, fileName, QFileDialog::AcceptOpen);
}

std::optional<QString> QtPrompts::saveFile(QWidget* parent, const QString& filter, const QString& fileName) {
  return runFileDialog(parent, filter, fileName, QFileDialog::AcceptSave);
}

namespace {

// A message box is as wide as its text, and the window manager elides a title that
// does not fit beside its own buttons ("Fichie… xistant"): the box is made wide
// enough for its whole title, in the bold font title bars use, with room for those
// buttons.
void keepTitleWhole(QMessageBox& box) {
  QFont titleFont = box.font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
  constexpr int kTitleBarButtons = 150;  // icon, minimize, maximize, close, margins
  const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

// A message box centred on its parent window, frame on frame, once it has taken its
// final size (QMessageBox sizes itself as it is shown).
class MessageBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    centreOnParentWindow(*this);
  }
};

}  // namespace

bool QtPrompts::askYesNo(QWidget* parent, const QString& title, const QString& text, DefaultAnswer answer) {
  MessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, parent);
  keepTitleWhole(box);
  QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
  box.setDefaultButton(answer == DefaultAnswer::Yes ? yes : no);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

SaveChoice QtPrompts::askSaveChanges(QWidget* parent, const QString& text) {
  MessageBox box(QMessageBox::Warning, kApplicationTitle, text, QMessageBox::NoButton, parent);
  keepTitleWhole(box);
  QPushButton* save = box.addButton(QStringLiteral("&Enregistrer"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QStringLiteral("&Ne pas enregistrer"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return SaveChoice::Save;
  if (box.clickedButton() == discard) return SaveChoice::Discard;
  return SaveChoice::Cancel;
}

void QtPrompts::inform(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) {
  const auto qtIcon = icon == MessageIcon::Information ? QMessageBox::Information
                      : icon == MessageIcon::Warning   ? QMessageBox::Warning
                                                       : QMessageBox::NoIcon;
  MessageBox box(qtIcon, title, text, QMessageBox::Ok, parent);
  keepTitleWhole(box);
  box.exec();
}

void QtPrompts::print(QWidget* parent, const PrintJob& job, bool setupOnly, const QString& documentName) {
  QPrinter& printer = programPrinter();
  const bool noPrinter = QPrinterInfo::availablePrinters().isEmpty();
  // A print to a file never reuses the file of the last one: the dialog offers a
  // new name each time (setting a name on a native printer would turn it to PDF).
  const QString folder = defaultPdfFolder();
  QString proposed;
  if (noPrinter || printer.outputFormat() == QPrinter::PdfFormat) {
    proposed = freePdfPath(folder, documentName);
    printer.setOutputFileName(proposed);
  }
  bool accepted = false;
  {
    QPrintDialog dialog(&printer, parent);
    if (setupOnly) {
      dialog.setWindowTitle(QStringLiteral("Configuration de l'impression"));
      dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions());
    }
    accepted = dialog.exec() == QDialog::Accepted;  // printing follows whatever the outcome
  }
  if (!printJobHasContent(job)) return;
  if (noPrinter || printer.outputFormat() == QPrinter::PdfFormat) {
    const std::optional<QString> path = pdfDestination(
        *this, parent, folder, documentName, proposed, accepted ? printer.outputFileName() : QString());
    if (!path) return;
    const QString shown = QDir::toNativeSeparators(*path);
    if (!printJobToPdf(job, *path, documentName)) {
      inform(parent, QStringLiteral("L'impression a échoué.") + QLatin1Char('\n') + shown, kApplicationTitle,
             MessageIcon::Warning);
    } else if (noPrinter) {
      inform(parent,
             QStringLiteral("Aucune imprimante n'est disponible : le document a été enregistré dans le fichier") +
                 QLatin1Char('\n') + shown,
             kApplicationTitle, MessageIcon::Information);
    } else {
      inform(parent, QStringLiteral("Le document a été enregistré dans le fichier") + QLatin1Char('\n') + shown,
             kApplicationTitle, MessageIcon::Information);
    }
    return;
  }
  if (!runPrintJob(job, printer, documentName))
    inform(parent, QStringLiteral("L'impression a échoué."), kApplicationTitle, MessageIcon::Warning);
}

std::optional<QString> ScriptedPrompts::nextFileAnswer() {
  std::optional<QString> answer;
  if (!fileAnswers.empty()) {
    answer = std::move(fileAnswers.front());
    fileAnswers.pop_front();
  }
  return answer;
}

std::optional<QString> ScriptedPrompts::openFile(QWidget* parent, const QString& filter, const QString& fileName) {
  shown.push_back({Shown::Kind::OpenFile, {}, filter, fileName, MessageIcon::None, false, parent});
  return nextFileAnswer();
}

std::optional<QString> ScriptedPrompts::saveFile(QWidget* parent, const QString& filter, const QString& fileName) {
  shown.push_back({Shown::Kind::SaveFile, {}, filter, fileName, MessageIcon::None, false, parent});
  return nextFileAnswer();
}

bool ScriptedPrompts::askYesNo(QWidget* parent, const QString& title, const QString& text, DefaultAnswer byDefault) {
  shown.push_back({Shown::Kind::Question, title, text, {}, MessageIcon::None, false, parent, byDefault});
  if (questionAnswers.empty()) return false;
  const bool answer = questionAnswers.front();
  questionAnswers.pop_front();
  return answer;
}

SaveChoice ScriptedPrompts::askSaveChanges(QWidget* parent, const QString& text) {
  shown.push_back({Shown::Kind::SaveQuestion, kApplicationTitle, text, {}, MessageIcon::Warning, false, parent});
  if (saveChoices.empty()) return SaveChoice::Discard;
  const SaveChoice answer = saveChoices.front();
  saveChoices.pop_front();
  return answer;
}

void ScriptedPrompts::inform(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) {
  shown.push_back({Shown::Kind::Message, title, text, {}, icon, false, parent});
}

void ScriptedPrompts::print(QWidget* parent, const PrintJob& job, bool setupOnly, const QString& documentName) {
  Shown s{Shown::Kind::Print, documentName, {}, {}};
  s.setupOnly = setupOnly;
  s.parent = parent;
  shown.push_back(s);
  printed.push_back(job);
}

QStringList ScriptedPrompts::messages() const {
  QStringList out;
  for (const Shown& s : shown)
    if (s.kind == Shown::Kind::Message) out << s.text;
  return out;
}

}  // namespace varnelio::ui
