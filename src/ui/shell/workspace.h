// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The workspace owns the program's windows: the main window, the side windows that
// exist at most once each (paradigm windows, dictionaries, about), and the open
// analysis windows, all found by their object names. Each kind of window registers
// a factory under its name; "opening" a window creates it if absent, shows it
// modeless and brings it to the front.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "core/morphology/latin_data.h"

namespace varnelio::ui {

class Prompts;

class Workspace : public QObject {
  Q_OBJECT
 public:
  using Factory = std::function<QWidget*(Workspace&)>;

  // dataDir: where lexique.dat and donnees.dat live.
  Workspace(Prompts& prompts, QString dataDir, QObject* parent = nullptr);
  ~Workspace() override;

  Prompts& prompts() const { return prompts_; }
  const QString& dataDir() const { return dataDir_; }
  // The analyser and the tagger of the data folder, read once for every window.
  LatinData& latinData() { return latinData_; }
  // <directory of the executable>/../share/varnelio
  static QString installedDataDir();

  void registerFactory(const QString& name, Factory factory);
  bool hasFactory(const QString& name) const { return factories_.contains(name); }

  // The live window of that object name, if any.
  QWidget* find(const QString& name) const;
  template <typename T>
  T* find(const QString& name) const {
    return qobject_cast<T*>(find(name));
  }
  // Creates the window through its factory if it is not open, then shows it
  // modeless and raises it. Returns the window, or nullptr when none could be made
  // (no factory, or the factory declined, as an analysis window whose file could not
  // be read does). A window the factory returns is tracked under its object name.
  QWidget* open(const QString& name);
  // Creates the window if absent, without showing it.
  QWidget* ensure(const QString& name);
  // Tracks a window created elsewhere, under its object name, until it is destroyed.
  void adopt(QWidget* window);

  // The main window "Menu".
  QWidget* mainWindow() const { return find(QStringLiteral("Menu")); }

  // The path of the Latin source text the analysis windows read: the main window
  // gives its path field here, so that no window below it needs to know it.
  void setSourcePathProvider(std::function<QString()> provider) { sourcePath_ = std::move(provider); }
  QString sourcePath() const { return sourcePath_ ? sourcePath_() : QString(); }

  // Where the analysis windows keep the recovery copies of their unsaved changes;
  // empty: no copy is kept (tests that do not ask for one).
  void setRecoveryDir(QString dir) { recoveryDir_ = std::move(dir); }
  const QString& recoveryDir() const { return recoveryDir_; }

 private:
  Prompts& prompts_;
  QString dataDir_;
  LatinData latinData_;
  QHash<QString, Factory> factories_;
  QHash<QString, QPointer<QWidget>> windows_;
  std::function<QString()> sourcePath_;
  QString recoveryDir_;
};

}  // namespace varnelio::ui
