// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines that identify the program in the splash and about windows. They say
// only what is true of this project: it is made by the Orvalune team, belongs to no
// faculty or university, and has neither a contact address nor a web site.
#include "ui/app/layer.h"
#include <QString>

namespace varnelio::ui::identity {

inline const QString kFamilyName = QStringLiteral("Orvalune");
inline const QString kProductName = QStringLiteral("Varnelio");
inline const QString kVersion = QStringLiteral(VARNELIO_VERSION);

// The splash band is narrow: "1.0.0" shows there as "1.0".
inline QString shortVersion() {
  QString v = kVersion;
  if (v.count(QLatin1Char('.')) == 2 && v.endsWith(QStringLiteral(".0"))) v.chop(2);
  return v;
}

// Splash window.
inline QString splashVersionLine() { return QStringLiteral("Version ") + shortVersion(); }
inline const QString kDateLine = QStringLiteral("Décembre 2026");
inline const QString kSystemLine = QStringLiteral("Pour Linux - Debian 12");
inline const QString kMakerLine = QStringLiteral("Une réalisation de l'équipe Orvalune");

// About window.
inline QString aboutVersionLine() { return QStringLiteral("Version ") + kVersion; }
inline const QString kResponsible = QStringLiteral("L'équipe Orvalune");
inline const QString kDeveloper = QStringLiteral("Équipe Orvalune");
inline const QString kDepartment = QStringLiteral("Projet Varnelio");
inline const QString kFaculty = QStringLiteral("Logiciels Orvalune");
inline const QString kUniversity = QStringLiteral("Aucune attache universitaire");
inline const QString kEmail = QStringLiteral("aucune adresse");
inline const QString kWebSite = QStringLiteral("aucun site web (voir le fichier README)");

}  // namespace varnelio::ui::identity
