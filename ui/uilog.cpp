#include "uilog.h"

Q_LOGGING_CATEGORY(lcUi, "vistrel.ui", QtInfoMsg)
