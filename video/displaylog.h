#pragma once

#include <QLoggingCategory>

// The diagnostics of the video display, its surround modes and captures.
// Debug lines are off by default; "vistrel --verbose" or
// QT_LOGGING_RULES="vistrel.display.debug=true" switches them on. Warnings are always on.
Q_DECLARE_LOGGING_CATEGORY(lcDisplay)
