// Must not build: a feature window reaching up into the application layer.
#include "ui/app/main_window.h"
