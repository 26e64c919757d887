// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/french_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace varnelio::ui {

bool installFrenchTranslations(QCoreApplication& app) {
  // Dates and sizes in the file dialogs are written the French way too.
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  // "qtbase_fr" holds the widgets' and print dialogs' texts; the translator lives as
  // long as the application, which owns it.
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace varnelio::ui
