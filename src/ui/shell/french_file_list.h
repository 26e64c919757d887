// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's file dialog writes sizes and dates with the system locale (English "bytes",
// "KiB" under C or en_US) and calls a folder "Folder" (a text Qt's French
// translation lacks). This view of the dialog's file list writes them the French
// way, whatever the system's locale: "24 octets", "4,9 Kio", "Dossier",
// "11/12/2026 14:32", under the header "Date de modification".
#include <QIdentityProxyModel>

class QFileDialog;

namespace varnelio::ui {

class FrenchFileList : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  // The columns of QFileSystemModel.
  enum Column { NameColumn = 0, SizeColumn = 1, TypeColumn = 2, DateColumn = 3 };

  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
};

// Gives the dialog the French file list, and columns wide enough for their whole
// header ("Taille", "Type", "Date de modification") and contents.
void useFrenchFileList(QFileDialog& dialog);

}  // namespace varnelio::ui
