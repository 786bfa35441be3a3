#include "telemetrylog.h"

Q_LOGGING_CATEGORY(lcTelemetry, "vistrel.telemetry", QtInfoMsg)
