#include "ui/platform/prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>

#include "ui/platform/printer_device.h"

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

QString freePdfPath(const QString& documentName) {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  QDir().mkpath(folder);
  QString base = documentName;
  base.replace(QLatin1Char('/'), QLatin1Char('_'));
  QString path = QDir(folder).filePath(base + QStringLiteral(".pdf"));
  for (int n = 2; QFileInfo::exists(path); ++n)
    path = QDir(folder).filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(n));
  return path;
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

std::optional<QString> QtPrompts::openFile(QWidget* parent, const QString& filter, const QString& fileName) {
  return runFileDialog(parent, filter, fileName, QFileDialog::AcceptOpen);
}

std::optional<QString> QtPrompts::saveFile(QWidget* parent, const QString& filter, const QString& fileName) {
  return runFileDialog(parent, filter, fileName, QFileDialog::AcceptSave);
}

bool QtPrompts::askYesNo(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, parent);
  QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

void QtPrompts::inform(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) {
  const auto qtIcon = icon == MessageIcon::Information ? QMessageBox::Information
                      : icon == MessageIcon::Warning   ? QMessageBox::Warning
                                                       : QMessageBox::NoIcon;
  QMessageBox box(qtIcon, title, text, QMessageBox::Ok, parent);
  box.exec();
}

void QtPrompts::print(QWidget* parent, const PrintJob& job, bool setupOnly, const QString& documentName) {
  QPrinter& printer = programPrinter();
  {
    QPrintDialog dialog(&printer, parent);
    if (setupOnly) {
      dialog.setWindowTitle(QStringLiteral("Configuration de l'impression"));
      dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions());
    }
    dialog.exec();  // printing follows whatever the outcome
  }
  if (!printJobHasContent(job)) return;
  const bool noPrinter = QPrinterInfo::availablePrinters().isEmpty();
  if (noPrinter || printer.outputFormat() == QPrinter::PdfFormat) {
    QString path = printer.outputFileName();
    if (path.isEmpty()) path = freePdfPath(documentName);
    if (printJobToPdf(job, path, documentName)) {
      inform(parent,
             QStringLiteral("Aucune imprimante n'est disponible : le document a été enregistré dans le fichier") +
                 QStringLiteral("\n") + QDir::toNativeSeparators(path),
             kApplicationTitle, MessageIcon::Information);
    } else {
      inform(parent, QStringLiteral("L'impression a échoué.") + QStringLiteral("\n") + QDir::toNativeSeparators(path),
             kApplicationTitle, MessageIcon::Warning);
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

std::optional<QString> ScriptedPrompts::openFile(QWidget*, const QString& filter, const QString& fileName) {
  shown.push_back({Shown::Kind::OpenFile, {}, filter, fileName});
  return nextFileAnswer();
}

std::optional<QString> ScriptedPrompts::saveFile(QWidget*, const QString& filter, const QString& fileName) {
  shown.push_back({Shown::Kind::SaveFile, {}, filter, fileName});
  return nextFileAnswer();
}

bool ScriptedPrompts::askYesNo(QWidget*, const QString& title, const QString& text) {
  shown.push_back({Shown::Kind::Question, title, text, {}});
  if (questionAnswers.empty()) return false;
  const bool answer = questionAnswers.front();
  questionAnswers.pop_front();
  return answer;
}

void ScriptedPrompts::inform(QWidget*, const QString& text, const QString& title, MessageIcon icon) {
  shown.push_back({Shown::Kind::Message, title, text, {}, icon});
}

void ScriptedPrompts::print(QWidget*, const PrintJob& job, bool setupOnly, const QString& documentName) {
  Shown s{Shown::Kind::Print, documentName, {}, {}};
  s.setupOnly = setupOnly;
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
