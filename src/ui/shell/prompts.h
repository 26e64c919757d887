// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every dialog and message box a window shows goes through a Prompts object: the
// real one shows Qt dialogs, the scripted one (tests) answers from a script and
// records what was shown. Windows never call QFileDialog, QMessageBox or
// QPrintDialog themselves.
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "core/files/file_error.h"
#include "core/reports/print_job.h"

class QWidget;

namespace varnelio::ui {

enum class MessageIcon { None, Information, Warning };

// What to do with work not saved when its window closes.
enum class SaveChoice { Save, Discard, Cancel };
// Which answer Enter gives to a Yes/No question.
enum class DefaultAnswer { Yes, No };

inline const QString kApplicationTitle = QStringLiteral("Varnelio");

// The text of a failure message: what failed, then the file (when one is given) and
// the reason, each on a line of its own; empty parts are left out.
QString fileFailureMessage(const QString& what, const QString& path, const QString& reason);
QString fileFailureMessage(const QString& what, const QString& path, const FileError& error);

class Prompts {
 public:
  virtual ~Prompts() = default;

  // File dialogs. The filter is in the "Description (*.EXT)|*.EXT" form; fileName
  // pre-fills the dialog. Returns the chosen full path, or nothing on cancel.
  virtual std::optional<QString> openFile(QWidget* parent, const QString& filter, const QString& fileName) = 0;
  virtual std::optional<QString> saveFile(QWidget* parent, const QString& filter, const QString& fileName) = 0;

  // A question with Yes and No buttons and no icon; true for Yes.
  virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text,
                        DefaultAnswer answer = DefaultAnswer::Yes) = 0;
  // Asked before closing on work not saved: « Enregistrer » (the default), « Ne pas
  // enregistrer », « Annuler » (also Escape), titled "Varnelio".
  virtual SaveChoice askSaveChanges(QWidget* parent, const QString& text) = 0;
  // A message with an OK button.
  virtual void inform(QWidget* parent, const QString& text, const QString& title = kApplicationTitle,
                      MessageIcon icon = MessageIcon::None) = 0;

  // Shows the print dialog (setupOnly: the print-setup dialog), then prints the job
  // whatever the dialog's outcome. documentName, what is printed as the user knows
  // it, names the printer's job and the PDF file of a print to a file.
  virtual void print(QWidget* parent, const PrintJob& job, bool setupOnly, const QString& documentName) = 0;
};

// The dialogs and boxes of Qt.
class QtPrompts final : public Prompts {
 public:
  std::optional<QString> openFile(QWidget* parent, const QString& filter, const QString& fileName) override;
  std::optional<QString> saveFile(QWidget* parent, const QString& filter, const QString& fileName) override;
  bool askYesNo(QWidget* parent, const QString& title, const QString& text, DefaultAnswer answer) override;
  SaveChoice askSaveChanges(QWidget* parent, const QString& text) override;
  void inform(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;
  void print(QWidget* parent, const PrintJob& job, bool setupOnly, const QString& documentName) override;
};

// The question asked before a command replaces an existing file ("Fichier existant");
// true when the user answers Oui.
bool confirmOverwrite(Prompts& prompts, QWidget* parent, const QString& path,
                      DefaultAnswer answer = DefaultAnswer::Yes);

// Answers from a script and records everything, for tests.
class ScriptedPrompts final : public Prompts {
 public:
  struct Shown {
    enum class Kind { OpenFile, SaveFile, Question, SaveQuestion, Message, Print };
    Kind kind;
    QString title;
    QString text;      // message or question text; the filter for file dialogs
    QString fileName;  // pre-filled name of a file dialog
    MessageIcon icon = MessageIcon::None;
    bool setupOnly = false;
    const QWidget* parent = nullptr;  // the window the dialog or message is centred on
    DefaultAnswer defaultAnswer = DefaultAnswer::Yes;  // of a question
  };

  // Answers, consumed in order. A file dialog with no scripted answer is cancelled;
  // a question with no scripted answer gets No.
  std::deque<std::optional<QString>> fileAnswers;
  std::deque<bool> questionAnswers;
  // Answers to the question asked before closing; with none scripted the changes are
  // given up, as a window closed at the end of a test would be.
  std::deque<SaveChoice> saveChoices;

  std::vector<Shown> shown;
  std::vector<PrintJob> printed;

  std::optional<QString> openFile(QWidget* parent, const QString& filter, const QString& fileName) override;
  std::optional<QString> saveFile(QWidget* parent, const QString& filter, const QString& fileName) override;
  bool askYesNo(QWidget* parent, const QString& title, const QString& text, DefaultAnswer answer) override;
  SaveChoice askSaveChanges(QWidget* parent, const QString& text) override;
  void inform(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;
  void print(QWidget* parent, const PrintJob& job, bool setupOnly, const QString& documentName) override;

  // The texts of the messages shown (not questions), in order.
  QStringList messages() const;

 private:
  std::optional<QString> nextFileAnswer();
};

}  // namespace varnelio::ui
