// SPDX-License-Identifier: GPL-3.0-or-later
// The names by which the windows know each kind: every analysis window name leads
// back to its kind and family, and no two windows, items or menus share a name.
#include <QSet>
#include <gtest/gtest.h>

#include "ui/shell/kind_windows.h"

namespace varnelio::ui {
namespace {

TEST(KindWindows, EveryNameLeadsBackToItsKindAndNoTwoAreAlike) {
  QSet<QString> names;
  int count = 0;
  for (const AnalysisKind& kind : analysisKinds()) {
    const KindWindows& w = kindWindows(kind.id);
    SCOPED_TRACE(kind.cliName);
    for (const Family family : {Family::New, Family::Existing}) {
      const QString window = w.windowName(family);
      EXPECT_EQ(kindFromWindowName(window.toStdString()), std::pair(kind.id, family));
      names << window << w.itemName(family) << w.paradigmName(family);
      count += 3;
    }
    names << QString::fromUtf8(w.submenuName);
    ++count;
    EXPECT_EQ(w.paradigmName(Family::Existing), w.paradigmName(Family::New) + QStringLiteral("_modif"));
    // The captions name the kind as the core words it.
    EXPECT_TRUE(analysisWindowTitle(kind).endsWith(QString::fromUtf8(kind.title) + QLatin1Char(')')));
    EXPECT_EQ(submenuCaption(kind), QStringLiteral("Varnelio - Noms - ") + QString::fromUtf8(kind.title));
  }
  EXPECT_EQ(names.size(), count);
  EXPECT_FALSE(kindFromWindowName("frmlexique").has_value());
  EXPECT_FALSE(kindFromWindowName("frmacc_singulier").has_value());
}

}  // namespace
}  // namespace varnelio::ui
