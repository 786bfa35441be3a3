#pragma once

#include <QDialog>
#include <QRect>

#include <QScreen>
class WindowFrameHandler;

// Base of every dialog of the viewer: no system frame. The dialog moves when the user drags an
// empty part of it (a press on the dialog itself, or one a passive child such as a label lets
// through), and a resizable dialog resizes from an 8-pixel border, corners winning over edges.
// The window manager does the moving and resizing where it can (QWindow::startSystemMove /
// startSystemResize); without one the dialog follows the mouse itself.
//
// Threads: GUI thread only.
class FramelessDialog : public QDialog
{
    Q_OBJECT

public:
    // What a point of the window is, for moving and resizing. The values are the classic
    // window-manager hit-test codes, so logs read the same on every platform.
    enum HitRegion {
        HitClient = 1, // no frame part: the point belongs to the content
        HitCaption = 2, // drags the window
        HitLeft = 10,
        HitRight = 11,
        HitTop = 12,
        HitTopLeft = 13,
        HitTopRight = 14,
        HitBottom = 15,
        HitBottomLeft = 16,
        HitBottomRight = 17,
    };
    Q_ENUM(HitRegion)

    // Width of the invisible resize border inside the window's edges.
    static constexpr int ResizeBorder = 8;

    explicit FramelessDialog(bool resizable,
                             QWidget *parent = nullptr,
                             Qt::WindowFlags flags = Qt::WindowFlags());

    bool isResizable() const { return m_resizable; }

    // Classifies globalPos for a window occupying windowRect (global coordinates). Edges are
    // offered only along a dimension that can change; corners only when both can, and then
    // they win over the edges. A point on no border is a caption when it lies on the window
    // itself rather than on a child (onSelf), else content. Points outside are content.
    static HitRegion hitTest(const QRect &windowRect,
                             const QPoint &globalPos,
                             bool widthResizable,
                             bool heightResizable,
                             bool onSelf);
    // The window edges a resize region moves (empty for the caption and the content).
    static Qt::Edges resizeEdges(HitRegion region);

    // Shows a frameless dialog and keeps its size fitted when it moves to another screen.
    static void showFramelessDialog(FramelessDialog *dialog);

    WindowFrameHandler *frameHandler() const { return m_frame; }

public slots:
    // The dialog's window moved to another screen: fit the size to the new screen's fonts.
    void screenChanged(QScreen *screen);

protected:
    void showEvent(QShowEvent *event) override;
    // A move with the left button held that reaches the dialog (its own area, or a passive
    // child that let the press through) drags the window.
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    bool m_resizable = false;
    WindowFrameHandler *m_frame = nullptr;
};
