#pragma once

#include <QLoggingCategory>

// The diagnostics of the G-sensor meter and the speed display.
// Debug lines are off by default; "vistrel --verbose" or
// QT_LOGGING_RULES="vistrel.telemetry.debug=true" switches them on. Warnings are always on.
Q_DECLARE_LOGGING_CATEGORY(lcTelemetry)
