// SPDX-License-Identifier: GPL-3.0-or-later
// Must not build: a feature window reaching up into the application layer.
#include "ui/app/main_window.h"
