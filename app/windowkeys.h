#pragma once

#include "keytable.h"

class MainWindow;

// The viewer window's commands with a key or a menu entry, each once: its key, its line in the
// shortcut list (which lists them in this order), its display menu action and its target.
// Menu commands without a key come last. GUI thread only.
class WindowKeys
{
public:
    static QVector<KeyTable::Row> rows(MainWindow *window);
};
