#pragma once

#include <QObject>

class MapDialog;
class MapWidget;
class QVBoxLayout;
class QWidget;

// The map panel's place in the side column and its way out of it: puts the panel into the
// column with a placeholder that stands in for it while the panel is in its dialog, pops the
// panel out into a MapDialog on the panel's request and puts it back on the panel's or the
// dialog's request. GUI thread only.
class MapDock : public QObject
{
    Q_OBJECT

public:
    // Adds the panel (at its column height) and the hidden placeholder to the column's layout;
    // the dialog will be a child of dialogParent.
    MapDock(MapWidget *map, QWidget *column, QWidget *dialogParent);

    static constexpr int ColumnHeight = 280;

    // The dialog while the panel is in it, else null.
    MapDialog *dialog() const { return m_dialog; }
    bool isPoppedOut() const;

    void popOut();
    void restore();

private:
    MapWidget *m_map;
    QWidget *m_column;
    QWidget *m_dialogParent;
    QWidget *m_placeholder;
    MapDialog *m_dialog = nullptr;
};
