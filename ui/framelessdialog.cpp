#include "framelessdialog.h"

#include "windowframehandler.h"

#include <QDebug>
#include <QMouseEvent>
#include <QWindow>

FramelessDialog::FramelessDialog(bool resizable, QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , m_resizable(resizable)
{
    // The caller's flags are kept; the dialog type and the missing frame are added.
    setWindowFlags(windowFlags() | Qt::Dialog | Qt::FramelessWindowHint);
    m_frame = new WindowFrameHandler(this, resizable, true);
}

FramelessDialog::HitRegion FramelessDialog::hitTest(const QRect &windowRect,
                                                    const QPoint &globalPos,
                                                    bool widthResizable,
                                                    bool heightResizable,
                                                    bool onSelf)
{
    if (!windowRect.isValid() || !windowRect.contains(globalPos))
        return HitClient;

    // Right and bottom are exclusive here: the border is the last 8 pixels of the window.
    const int x = globalPos.x();
    const int y = globalPos.y();
    const int left = windowRect.left();
    const int top = windowRect.top();
    const int right = left + windowRect.width();
    const int bottom = top + windowRect.height();
    const bool nearLeft = x >= left && x < left + ResizeBorder;
    const bool nearRight = x < right && x >= right - ResizeBorder;
    const bool nearTop = y >= top && y < top + ResizeBorder;
    const bool nearBottom = y < bottom && y >= bottom - ResizeBorder;

    if (widthResizable && heightResizable) {
        if (nearTop && nearLeft)
            return HitTopLeft;
        if (nearTop && nearRight)
            return HitTopRight;
        if (nearBottom && nearLeft)
            return HitBottomLeft;
        if (nearBottom && nearRight)
            return HitBottomRight;
    }
    if (widthResizable) {
        if (nearLeft)
            return HitLeft;
        if (nearRight)
            return HitRight;
    }
    if (heightResizable) {
        if (nearTop)
            return HitTop;
        if (nearBottom)
            return HitBottom;
    }
    return onSelf ? HitCaption : HitClient;
}

Qt::Edges FramelessDialog::resizeEdges(HitRegion region)
{
    switch (region) {
    case HitLeft:
        return Qt::LeftEdge;
    case HitRight:
        return Qt::RightEdge;
    case HitTop:
        return Qt::TopEdge;
    case HitBottom:
        return Qt::BottomEdge;
    case HitTopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case HitTopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case HitBottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case HitBottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    case HitClient:
    case HitCaption:
        break;
    }
    return Qt::Edges();
}

void FramelessDialog::showFramelessDialog(FramelessDialog *dialog)
{
    if (!dialog)
        return;
    dialog->show();
    if (QWindow *handle = dialog->windowHandle()) {
        connect(handle,
                &QWindow::screenChanged,
                dialog,
                &FramelessDialog::screenChanged,
                Qt::UniqueConnection);
    }
}

void FramelessDialog::screenChanged(QScreen *)
{
    adjustSize();
}

void FramelessDialog::showEvent(QShowEvent *event)
{
    m_frame->attach();
    QDialog::showEvent(event);
}

void FramelessDialog::mouseMoveEvent(QMouseEvent *event)
{
    if ((event->buttons() & Qt::LeftButton) && !m_frame->isDragging())
        m_frame->startMove(event->globalPos());
    event->ignore();
}
