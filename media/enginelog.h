#pragma once

#include <QLoggingCategory>

// The diagnostics of the playback engine and the recording model.
// Debug lines are off by default; "vistrel --verbose" or
// QT_LOGGING_RULES="vistrel.engine.debug=true" switches them on. Warnings are always on.
Q_DECLARE_LOGGING_CATEGORY(lcEngine)
