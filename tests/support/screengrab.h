#pragma once

#include <QImage>

class QWidget;

// What the X server shows of a widget: the pixels of its area in its top-level window, taken
// from the server after the event loop has run (pending paints and flushes delivered). Unlike
// QWidget::grab() or QOpenGLWidget::grabFramebuffer(), which paint on demand, this sees a
// repaint that never happened.
class ScreenGrab
{
public:
    // The widget's area in device pixels, RGB32; null when the widget is not on screen.
    static QImage of(QWidget *widget);
    // Shows the widget as a window and waits until the server has drawn it; false if not.
    static bool showAndWait(QWidget *widget);
};
