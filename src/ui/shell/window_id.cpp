// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/window_id.h"

#include "ui/shell/kind_windows.h"

namespace varnelio::ui {

QString WindowId::objectName() const {
  switch (role) {
    case Role::Main: return QStringLiteral("Menu");
    case Role::Splash: return QStringLiteral("frmSplash");
    case Role::About: return QStringLiteral("frmAbout");
    case Role::LemmaDictionary: return QStringLiteral("frmlexique");
    case Role::FormDictionary: return QStringLiteral("frmrecherche01");
    case Role::Paradigm: return kindWindows(kind).paradigmName(family);
    case Role::Analysis: return kindWindows(kind).windowName(family);
  }
  return {};
}

std::optional<WindowId> WindowId::named(QStringView objectName) {
  for (const WindowId id : {main(), splash(), about(), lemmaDictionary(), formDictionary()})
    if (id.objectName() == objectName) return id;
  for (const AnalysisKind& kind : analysisKinds())
    for (const Family family : {Family::New, Family::Existing})
      for (const WindowId id : {paradigm(kind.id, family), analysis(kind.id, family)})
        if (id.objectName() == objectName) return id;
  return std::nullopt;
}

}  // namespace varnelio::ui
