#pragma once

#include <QKeySequence>
#include <QString>
#include <QVector>

#include <functional>

class QWidget;

// The window's keys, written once: each row gives a command's key, its line in the shortcut
// list (F1), the display context menu's action for it and what it does. install() makes from
// the rows the window shortcuts (rows with a description) and the menu actions (rows with an
// action name; children of the owner, found there by object name, and not added to it, so the
// keys they show in the menu do not compete with the window shortcuts). GUI thread only.
class KeyTable
{
public:
    struct Row
    {
        QKeySequence key;
        QString description; // in the shortcut list; empty: no window shortcut
        const char *action; // the menu action's object name; null: none
        QString menuText;
        std::function<void()> trigger;
    };
    // One line of the shortcut list, in row order.
    struct Entry
    {
        QKeySequence key;
        QString description;
        std::function<void()> trigger;
    };

    // Makes the shortcuts and actions of the rows on owner; returns the shortcut list.
    static QVector<Entry> install(QWidget *owner, const QVector<Row> &rows);
};
