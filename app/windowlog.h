#pragma once

#include <QLoggingCategory>

// The diagnostics of start-up, the main window, transport, export and print.
// Debug lines are off by default; "vistrel --verbose" or
// QT_LOGGING_RULES="vistrel.window.debug=true" switches them on. Warnings are always on.
Q_DECLARE_LOGGING_CATEGORY(lcWindow)
