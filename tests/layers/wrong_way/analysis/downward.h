// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The analysis may use the text.
#include "core/text/trim.h"
