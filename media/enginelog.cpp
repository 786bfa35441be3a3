#include "enginelog.h"

Q_LOGGING_CATEGORY(lcEngine, "vistrel.engine", QtInfoMsg)
