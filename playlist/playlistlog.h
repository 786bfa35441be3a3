#pragma once

#include <QLoggingCategory>

// The diagnostics of recording names, folder scans and the play list.
// Debug lines are off by default; "vistrel --verbose" or
// QT_LOGGING_RULES="vistrel.playlist.debug=true" switches them on. Warnings are always on.
Q_DECLARE_LOGGING_CATEGORY(lcPlayList)
