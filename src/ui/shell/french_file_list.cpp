// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/french_file_list.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QListView>
#include <QLocale>
#include <QTreeView>
#include <algorithm>

namespace varnelio::ui {

QVariant FrenchFileList::data(const QModelIndex& index, int role) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (role != Qt::DisplayRole || files == nullptr || !index.isValid()) return QIdentityProxyModel::data(index, role);
  const QModelIndex source = mapToSource(index);
  const QLocale french(QLocale::French, QLocale::France);
  switch (index.column()) {
    case SizeColumn:
      if (files->isDir(source)) return QString();
      return french.formattedDataSize(files->size(source));
    case TypeColumn:
      if (files->isDir(source)) return QStringLiteral("Dossier");
      break;
    case DateColumn: {
      const QDateTime modified = files->lastModified(source);
      if (!modified.isValid()) return QString();
      return french.toString(modified, QLocale::ShortFormat);
    }
    default:
      break;
  }
  return QIdentityProxyModel::data(index, role);
}

QVariant FrenchFileList::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == DateColumn)
    return QStringLiteral("Date de modification");
  return QIdentityProxyModel::headerData(section, orientation, role);
}

void useFrenchFileList(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setProxyModel(new FrenchFileList(&dialog));
  if (auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
    // The other columns fit their header and contents; the name takes the room left,
    // so that no header runs off the view.
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(FrenchFileList::NameColumn, QHeaderView::Stretch);
    for (int column : {FrenchFileList::SizeColumn, FrenchFileList::TypeColumn, FrenchFileList::DateColumn})
      header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
  // Room for the names beside those columns (Qt's default width elides them).
  constexpr int kDialogWidth = 820;
  dialog.resize(std::max(dialog.width(), kDialogWidth), dialog.height());
  // The places on the left ("Ordinateur", the home folder) shown whole.
  if (auto* places = dialog.findChild<QListView*>(QStringLiteral("sidebar")))
    places->setMinimumWidth(places->sizeHintForColumn(0) + 2 * places->frameWidth() + places->spacing() + 8);
}

}  // namespace varnelio::ui
