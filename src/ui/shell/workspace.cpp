// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/workspace.h"

#include <QApplication>

#include "ui/shell/dialog_placement.h"

#include <QCoreApplication>
#include <QDir>

namespace varnelio::ui {
namespace {

// Set on a window once it has been placed on the screen.
constexpr const char* kPlaced = "varnelioPlaced";

}  // namespace

Workspace::Workspace(Prompts& prompts, QString dataDir, QObject* parent)
    : QObject(parent), prompts_(prompts), dataDir_(std::move(dataDir)), latinData_(dataDir_.toStdString()) {}

Workspace::~Workspace() {
  for (auto& w : windows_)
    if (w) delete w.data();
}

QString Workspace::installedDataDir() {
  return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/varnelio"));
}

void Workspace::registerFactory(WindowId id, Factory factory) { factories_.insert(id, std::move(factory)); }

QWidget* Workspace::find(const QString& name) const {
  const auto it = windows_.constFind(name);
  return it == windows_.constEnd() ? nullptr : it.value().data();
}

void Workspace::adopt(QWidget* window) {
  if (!window) return;
  windows_.insert(window->objectName(), QPointer<QWidget>(window));
}

QWidget* Workspace::ensure(WindowId id) {
  if (QWidget* existing = find(id)) return existing;
  const auto it = factories_.constFind(id);
  if (it == factories_.constEnd()) return nullptr;
  QWidget* window = it.value()(*this);
  if (!window) return nullptr;
  if (window->objectName().isEmpty()) window->setObjectName(id.objectName());
  adopt(window);
  return window;
}

QWidget* Workspace::open(WindowId id) {
  // The window the user opens it from, before the new one takes the focus.
  QWidget* from = QApplication::activeWindow();
  if (!from || !from->isVisible()) from = mainWindow();
  QWidget* window = ensure(id);
  if (!window) return nullptr;
  // The main window stays where the user or the window manager put it; every other
  // window is placed once, as it is first shown, when it has taken its final size
  // (windows finish their layout as they are shown).
  const bool place = id.role != WindowId::Role::Main && !window->property(kPlaced).toBool() && !window->isVisible();
  window->show();
  if (place) {
    window->setProperty(kPlaced, true);
    placeOverWindow(*window, from);
  }
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace varnelio::ui
