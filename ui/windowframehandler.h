#pragma once

#include "framelessdialog.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

class QWidget;
class QWindow;

// Moves and resizes a frameless top-level widget with the mouse. It watches the widget's
// native window (QWindow), so it sees every press and move before the child widgets do:
// - a press on the resize border starts a resize of the touched edges,
// - a press on the window itself (no child under the mouse; only if dragBySelf) starts a move,
// - hovering the border shows the matching resize cursor.
// The window manager does the work where it supports it (startSystemMove/startSystemResize);
// where it does not (no window manager, or one without that protocol), the handler follows
// the mouse itself until the button is released, keeping the window's size limits.
//
// Threads: GUI thread only. Owned by (a child of) the widget it handles.
class WindowFrameHandler : public QObject
{
    Q_OBJECT

public:
    WindowFrameHandler(QWidget *window, bool resizable, bool dragBySelf);

    // Starts watching the widget's native window; call when it exists (on show). Idempotent.
    void attach();

    // Starts moving the window for a press at globalPos (also used by title bars).
    bool startMove(const QPoint &globalPos);
    bool startResize(Qt::Edges edges, const QPoint &globalPos);
    // True while the handler itself follows the mouse (no window-manager drag).
    bool isDragging() const { return m_drag != Drag::None; }

    // The hit region of globalPos for the window as it is now: no resize borders while
    // maximised, full screen or not resizable; a dimension whose minimum equals its maximum
    // offers no border.
    FramelessDialog::HitRegion regionAt(const QPoint &globalPos) const;

    // The handler that belongs to a top-level widget, or null.
    static WindowFrameHandler *of(const QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Drag { None, Move, Resize };

    void follow(const QPoint &globalPos);
    void updateCursor(FramelessDialog::HitRegion region);

    QPointer<QWidget> m_window;
    QPointer<QWindow> m_handle;
    bool m_resizable = false;
    bool m_dragBySelf = false;

    Drag m_drag = Drag::None;
    Qt::Edges m_edges;
    QPoint m_pressGlobal;
    QRect m_startGeometry;
    bool m_ownPress = false; // the press that started the drag was taken from the widgets
    bool m_cursorSet = false;
};
