// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own dialogs (open, save, print, the standard buttons) speak French, as the
// program does, whatever the user's locale.
#include "ui/app/layer.h"
class QCoreApplication;

namespace varnelio::ui {

// Loads Qt's French translations into the application; false when they are not
// installed (the dialogs then stay in English, nothing else changes).
bool installFrenchTranslations(QCoreApplication& app);

}  // namespace varnelio::ui
