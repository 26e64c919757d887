#pragma once
// The analysis may use the text.
#include "core/text/trim.h"
