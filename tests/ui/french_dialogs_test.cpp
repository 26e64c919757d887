// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own dialogs speak French, as the rest of the program does.
#include <QCoreApplication>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <gtest/gtest.h>

namespace varnelio::ui {
namespace {

TEST(FrenchDialogs, FileAndPrintDialogsAreInFrench) {
  QFileDialog files;
  files.setOption(QFileDialog::DontUseNativeDialog);
  files.setAcceptMode(QFileDialog::AcceptSave);
  struct Label {
    QFileDialog::DialogLabel label;
    const char* english;
  };
  for (const Label& l : {Label{QFileDialog::LookIn, "Look in:"}, Label{QFileDialog::FileName, "File &name:"},
                         Label{QFileDialog::FileType, "Files of type:"}, Label{QFileDialog::Reject, "Cancel"}}) {
    const QString shown = files.labelText(l.label);
    EXPECT_FALSE(shown.isEmpty()) << l.english;
    EXPECT_NE(shown, QLatin1String(l.english));
  }
  EXPECT_EQ(files.labelText(QFileDialog::Reject).remove(QLatin1Char('&')), QStringLiteral("Annuler"));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog",
                                        "%1\nFile not found.\nPlease verify the correct file name was given.")
                .contains(QStringLiteral("introuvable")),
            true);

  QPrinter printer;
  QPrintDialog print(&printer);
  EXPECT_EQ(print.windowTitle(), QStringLiteral("Imprimer"));
}

}  // namespace
}  // namespace varnelio::ui
