#include "screengrab.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

QImage ScreenGrab::of(QWidget *widget)
{
    if (!widget || !widget->isVisible())
        return {};
    // Twice: a paint requested while the first batch ran is flushed by the second.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QWidget *top = widget->window();
    QScreen *screen = top->screen();
    if (!screen || !top->windowHandle())
        return {};
    const QPoint origin = widget->mapTo(top, QPoint(0, 0));
    const QPixmap shot = screen->grabWindow(
            top->winId(), origin.x(), origin.y(), widget->width(), widget->height());
    return shot.toImage().convertToFormat(QImage::Format_RGB32);
}

bool ScreenGrab::showAndWait(QWidget *widget)
{
    widget->show();
    if (!QTest::qWaitForWindowExposed(widget))
        return false;
    // The first frame reaches the server after the expose.
    return QTest::qWaitFor([widget] { return !of(widget).isNull(); }, 2000);
}
