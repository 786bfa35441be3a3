#include "keytable.h"

#include <QAction>
#include <QShortcut>
#include <QWidget>

QVector<KeyTable::Entry> KeyTable::install(QWidget *owner, const QVector<Row> &rows)
{
    QVector<Entry> entries;
    for (const Row &row : rows) {
        if (row.action) {
            auto *action = new QAction(row.menuText, owner);
            action->setObjectName(QString::fromLatin1(row.action));
            action->setShortcut(row.key);
            action->setShortcutContext(Qt::WidgetShortcut);
            QObject::connect(action, &QAction::triggered, owner, row.trigger);
        }
        if (!row.description.isEmpty()) {
            entries.append({row.key, row.description, row.trigger});
            auto *shortcut = new QShortcut(row.key, owner);
            shortcut->setContext(Qt::WindowShortcut);
            QObject::connect(shortcut, &QShortcut::activated, owner, row.trigger);
        }
    }
    return entries;
}
