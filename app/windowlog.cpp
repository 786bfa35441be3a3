#include "windowlog.h"

Q_LOGGING_CATEGORY(lcWindow, "vistrel.window", QtInfoMsg)
