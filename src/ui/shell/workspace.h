// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The workspace owns the program's windows: the main window, the side windows that
// exist at most once each (paradigm windows, dictionaries, about), and the open
// analysis windows. Each window registers a factory under its typed id; "opening" a
// window creates it if absent, shows it modeless and brings it to the front. Live
// windows can also be found by their object names, as tests find them.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "core/morphology/latin_data.h"
#include "ui/shell/window_id.h"

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

  void registerFactory(WindowId id, Factory factory);
  bool hasFactory(WindowId id) const { return factories_.contains(id); }

  // The live window of that object name, or of that id, if any.
  QWidget* find(const QString& name) const;
  QWidget* find(WindowId id) const { return find(id.objectName()); }
  template <typename T>
  T* find(const QString& name) const {
    return qobject_cast<T*>(find(name));
  }
  template <typename T>
  T* find(WindowId id) const {
    return qobject_cast<T*>(find(id));
  }
  // Creates the window through its factory if it is not open, then shows it
  // modeless and raises it. Returns the window, or nullptr when none could be made
  // (no factory, or the factory declined, as an analysis window whose file could not
  // be read does). A window the factory returns is tracked under its object name.
  QWidget* open(WindowId id);
  // Creates the window if absent, without showing it.
  QWidget* ensure(WindowId id);
  // Tracks a window created elsewhere, under its object name, until it is destroyed.
  void adopt(QWidget* window);

  // The main window "Menu".
  QWidget* mainWindow() const { return find(WindowId::main()); }

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
  QHash<WindowId, Factory> factories_;
  QHash<QString, QPointer<QWidget>> windows_;
  std::function<QString()> sourcePath_;
  QString recoveryDir_;
};

}  // namespace varnelio::ui
