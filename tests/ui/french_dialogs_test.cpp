// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own dialogs speak French, as the rest of the program does.
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include "ui/shell/french_file_list.h"

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
  // The texts Qt's catalogue lacks: duplex choices, and the printer properties.
  struct Shown {
    const char* objectName;
    const char* french;
  };
  for (const Shown& s : {Shown{"duplex", "Impression recto verso"}, Shown{"duplexLong", "Reliure sur le bord long"},
                         Shown{"duplexShort", "Reliure sur le bord court"}}) {
    const QList<QWidget*> found = print.findChildren<QWidget*>(QLatin1String(s.objectName));
    ASSERT_EQ(found.size(), 1) << s.objectName;
    const QVariant title = found[0]->property("title"), text = found[0]->property("text");
    EXPECT_EQ((title.isValid() ? title : text).toString(), QString::fromUtf8(s.french)) << s.objectName;
  }
  EXPECT_EQ(QCoreApplication::translate("QPrintPropertiesDialog", "Printer Properties"),
            QStringLiteral("Propriétés de l'imprimante"));
  EXPECT_EQ(QCoreApplication::translate("QPrintPropertiesWidget", "Advanced"), QStringLiteral("Options avancées"));
}

// The file list of the dialog: sizes, the type of a folder and dates in French, and
// columns wide enough for their whole header, whatever the system's locale (C in
// the tests, as on many machines).
TEST(FrenchDialogs, TheFileListIsInFrench) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("textes")));
  struct Case {
    const char* name;
    qint64 bytes;
    const char* shown;
  };
  const Case cases[] = {{"vide.txt", 0, "0 octet"}, {"court.txt", 24, "24 octets"},
                        {"moyen.txt", 5000, "4,88 Kio"}, {"long.txt", 3000000, "2,86 Mio"}};
  for (const Case& c : cases) {
    QFile file(folder.filePath(QString::fromLatin1(c.name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(c.bytes, 'x'));
  }
  QFileDialog dialog(nullptr, QString(), folder.path());
  varnelio::ui::useFrenchFileList(dialog);
  dialog.setViewMode(QFileDialog::Detail);
  dialog.show();
  auto* list = qobject_cast<QAbstractProxyModel*>(dialog.proxyModel());
  ASSERT_NE(list, nullptr);
  auto* files = qobject_cast<QFileSystemModel*>(list->sourceModel());
  ASSERT_NE(files, nullptr);
  const QModelIndex root = list->mapFromSource(files->index(folder.path()));
  ASSERT_TRUE(QTest::qWaitFor([&] { return list->rowCount(root) == 5; }, 5000));
  const auto shown = [&](const QString& name, int column) {
    const QModelIndex source = files->index(folder.filePath(name));
    return list->mapFromSource(source.siblingAtColumn(column)).data().toString();
  };
  for (const Case& c : cases) {
    const QString name = QString::fromLatin1(c.name);
    const QString size = shown(name, FrenchFileList::SizeColumn);
    // Qt writes "0 octet" or "0 octets" as its French plural rule says; the number
    // and the French unit are what matter.
    EXPECT_TRUE(size.startsWith(QString::fromLatin1(c.shown))) << c.name << ": " << size.toStdString();
    EXPECT_FALSE(shown(name, FrenchFileList::DateColumn).contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
        << c.name;
  }
  EXPECT_EQ(shown(QStringLiteral("textes"), FrenchFileList::TypeColumn), QStringLiteral("Dossier"));
  EXPECT_EQ(shown(QStringLiteral("textes"), FrenchFileList::SizeColumn), QString());

  auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  ASSERT_NE(view, nullptr);
  const char* headers[] = {"Taille", "Type", "Date de modification"};
  for (int column = FrenchFileList::SizeColumn; column <= FrenchFileList::DateColumn; ++column) {
    EXPECT_EQ(list->headerData(column, Qt::Horizontal).toString(), QString::fromUtf8(headers[column - 1]));
    EXPECT_GE(view->header()->sectionSize(column), view->header()->sectionSizeHint(column))
        << headers[column - 1];
  }
}

}  // namespace
}  // namespace varnelio::ui
