// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures of the analysis windows' buttons, drawn rather than shipped so that
// they stay sharp at any screen resolution.
#include <QIcon>

class QAbstractButton;

namespace varnelio::ui {

// Blue circular badge with a white question mark (dictionaries, grammar summary).
QIcon helpBadgeIcon();
// Purple circular badge with a raised thumb and the word "Valider".
QIcon validateBadgeIcon();
// Blue diskette (save and quit).
QIcon disketteIcon();
// Waste bin, closed or with its lid lifted.
QIcon wasteBinIcon(bool lidLifted = false);

// Shows `hover` while the pointer is over the button, `normal` otherwise.
void swapIconOnHover(QAbstractButton* button, const QIcon& normal, const QIcon& hover);

}  // namespace varnelio::ui
