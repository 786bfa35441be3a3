#include "maplog.h"

Q_LOGGING_CATEGORY(lcMap, "vistrel.map", QtInfoMsg)
