#include "framelesswindow.h"

#include "uilog.h"
#include "windowframehandler.h"

#include <QDebug>
#include <QScreen>
#include <QWindow>
#include <QWindowStateChangeEvent>

FramelessWindow::FramelessWindow(QWidget *parent)
    : QMainWindow(parent)
{
    // The window paints all of itself (no erase flicker) and has its own native window.
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setAttribute(Qt::WA_NoSystemBackground, true);
    setAttribute(Qt::WA_NativeWindow, true);
    setAttribute(Qt::WA_DontCreateNativeAncestors, true);
    setAutoFillBackground(false);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMaximizeButtonHint);
    // The main window's own area is covered by its panels, so it is never a drag area; the
    // title bar starts moves (TitleBarWidget).
    m_frame = new WindowFrameHandler(this, true, false);
}

void FramelessWindow::showFrameless(FramelessWindow *window)
{
    if (!window)
        return;
    window->show();
    if (QWindow *handle = window->windowHandle()) {
        connect(handle,
                &QWindow::screenChanged,
                window,
                &FramelessWindow::screenChanged,
                Qt::UniqueConnection);
    }
}

void FramelessWindow::screenChanged(QScreen *)
{
    if (QWidget *central = centralWidget())
        central->adjustSize();
    if (isMaximized())
        keepInsideAvailableGeometry();
}

void FramelessWindow::showEvent(QShowEvent *event)
{
    m_frame->attach();
    QMainWindow::showEvent(event);
}

void FramelessWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;

    const auto *change = static_cast<QWindowStateChangeEvent *>(event);
    const bool wasMaximized = change->oldState() & Qt::WindowMaximized;
    const QScreen *current = screen();
    const QRect available = current ? current->availableGeometry() : QRect();
    if (isMaximized() && !wasMaximized) {
        m_normalGeometry = geometry() != available ? geometry() : normalGeometry();
        keepInsideAvailableGeometry();
    } else if (!isMaximized() && wasMaximized && !isMinimized() && !isFullScreen()) {
        // A window manager restores the old geometry itself; without one the window would
        // stay as large as the work area.
        if (m_normalGeometry.isValid() && geometry() == available)
            setGeometry(m_normalGeometry);
    }
}

void FramelessWindow::keepInsideAvailableGeometry()
{
    const QScreen *current = screen();
    if (!current)
        return;
    const QRect available = current->availableGeometry();
    if (!available.isValid() || geometry() == available)
        return;
    qCDebug(lcUi).noquote() << "FramelessWindow::keepInsideAvailableGeometry" << available;
    // Through the native window: QWidget::setGeometry() would drop the maximised state.
    if (QWindow *handle = windowHandle())
        handle->setGeometry(available);
    else
        setGeometry(available);
}
