#pragma once

#include "ui/framelessdialog.h"

class MapWidget;
class QResizeEvent;

// The resizable dialog that holds the map panel while it is popped out of the side column. It
// remembers the fixed heights the panel's parts had in the column, lets the panel grow with the
// dialog, and gives both back (restoreFixedHeight) before the main window puts the panel back.
// Escape and closing the dialog ask for that restore instead of hiding the panel with the
// dialog.
//
// Threads: GUI thread only.
class MapDialog : public FramelessDialog
{
    Q_OBJECT

public:
    static constexpr int TitleBarHeight = 30;

    MapDialog(MapWidget *map_widget, QWidget *parent = nullptr);

    // Gives the panel its column heights back and releases it (no parent) for the column.
    void restoreFixedHeight();
    // The panel while the dialog holds it, else null.
    MapWidget *mapWidget() const;

public slots:
    void reject() override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int m_panelHeight = 0;
    int m_titleBarHeight = 0;
    int m_viewHeight = 0; // the map view's and the info widget's
    int m_coordinatesHeight = 0;
};
