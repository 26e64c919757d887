// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/french_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <string_view>

namespace varnelio::ui {
namespace {

// What Qt's French catalogue lacks in the print dialog and its printer properties
// (Qt 6.4 left these texts untranslated), so that no English shows in it.
class MissingFrench final : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                    int /*n*/) const override {
    struct Text {
      const char* context;
      const char* source;
      const char* french;
    };
    static constexpr Text kTexts[] = {
        {"QPrintSettingsOutput", "Double Sided Printing", "Impression recto verso"},
        {"QPrintSettingsOutput", "Long side binding", "Reliure sur le bord long"},
        {"QPrintSettingsOutput", "Short side binding", "Reliure sur le bord court"},
        {"QPrintSettingsOutput", "Print selection", "Imprimer la sélection"},
        {"QPrintPropertiesDialog", "Printer Properties", "Propriétés de l'imprimante"},
        {"QPrintPropertiesWidget", "Advanced", "Options avancées"},
        {"QPrintDialog", "Page Setup Conflicts", "Conflits de mise en page"},
        {"QPrintDialog", "There are conflicts in page setup options. Do you want to fix them?",
         "Des options de mise en page sont en conflit. Voulez-vous les corriger ?"},
        {"QPrintPropertiesDialog", "Advanced Option Conflicts", "Conflits d'options avancées"},
        {"QPrintPropertiesDialog", "There are conflicts in some advanced options. Do you want to fix them?",
         "Des options avancées sont en conflit. Voulez-vous les corriger ?"},
    };
    const std::string_view c(context ? context : ""), s(source ? source : "");
    for (const Text& t : kTexts)
      if (c == t.context && s == t.source) return QString::fromUtf8(t.french);
    return {};
  }
};

}  // namespace

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
  // Installed last, asked first: it answers only for the texts the catalogue lacks.
  return QCoreApplication::installTranslator(translator) &&
         QCoreApplication::installTranslator(new MissingFrench(&app));
}

}  // namespace varnelio::ui
