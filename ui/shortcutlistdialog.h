#pragma once

#include "framelessdialog.h"

#include <QPair>
#include <QString>
#include <QVector>

class QTableWidget;

// The list of the window's keyboard shortcuts (F1): one row per key with what it does, in
// the frameless style of the viewer; Escape or Close dismisses it. GUI thread only.
class ShortcutListDialog : public FramelessDialog
{
    Q_OBJECT

public:
    // rows: (key as the platform writes it, what it does).
    explicit ShortcutListDialog(const QVector<QPair<QString, QString>> &rows,
                                QWidget *parent = nullptr);

    QTableWidget *table() const { return m_table; }

private:
    QTableWidget *m_table = nullptr;
};
