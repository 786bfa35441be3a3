#pragma once

#include <QMainWindow>
#include <QRect>

#include <QScreen>
class WindowFrameHandler;

// Base of the main window: a main window without a system frame that the window manager
// still moves, resizes (from an 8-pixel border, see FramelessDialog::hitTest) and maximises.
// A maximised window is kept inside the available geometry of its screen (the work area,
// without panels and docks), also where no window manager does that for it.
//
// Threads: GUI thread only.
class FramelessWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit FramelessWindow(QWidget *parent = nullptr);

    // The way every frameless window is shown: shows it and connects its native window's
    // screen change to screenChanged().
    static void showFrameless(FramelessWindow *window);

    WindowFrameHandler *frameHandler() const { return m_frame; }

public slots:
    // The native window moved to another screen. The base lets the central widget adjust its
    // size and refits a maximised window to the new screen; derived windows may add to it.
    virtual void screenChanged(QScreen *screen);

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void keepInsideAvailableGeometry();

    WindowFrameHandler *m_frame = nullptr;
    QRect m_normalGeometry; // geometry before the last maximise, restored where no WM does
};
