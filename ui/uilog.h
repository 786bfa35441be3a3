#pragma once

#include <QLoggingCategory>

// The diagnostics of the window chrome, dialogs and the player panels.
// Debug lines are off by default; "vistrel --verbose" or QT_LOGGING_RULES="vistrel.ui.debug=true"
// switches them on. Warnings are always on.
Q_DECLARE_LOGGING_CATEGORY(lcUi)
