// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures that identify Varnelio: the logo of the splash and about windows,
// the emblem of the splash window and the application icon. They are drawn here
// from simple shapes, so the program carries no binary artwork; the icon files
// installed for the desktop (data/icons) are written from the same drawings.
#include <QIcon>
#include <QImage>
#include <QList>
#include <QString>

namespace varnelio::ui {

// The logo: an open book bearing a "V", in a medallion ringed by laurel,
// 125 x 138 pixels, transparent around the drawing.
QImage identityLogo();

// The emblem: an Ionic column on its base, 100 x 220 pixels, sixteen colours on the
// windows' light yellow.
QImage identityEmblem();

// The application icon drawn at size x size pixels.
QImage applicationIconImage(int size);
// The same drawing as an SVG document (viewBox 0 0 256 256).
QString applicationIconSvg();
// The sizes the icon is installed in.
QList<int> applicationIconSizes();
// A QIcon holding every installed size.
QIcon applicationIcon();

}  // namespace varnelio::ui
