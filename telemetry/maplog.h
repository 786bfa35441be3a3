#pragma once

#include <QLoggingCategory>

// The diagnostics of the map panel, its page and the connectivity probe.
// Debug lines are off by default; "vistrel --verbose" or QT_LOGGING_RULES="vistrel.map.debug=true"
// switches them on. Warnings are always on.
Q_DECLARE_LOGGING_CATEGORY(lcMap)
