#include "displaylog.h"

Q_LOGGING_CATEGORY(lcDisplay, "vistrel.display", QtInfoMsg)
