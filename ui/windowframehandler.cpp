#include "windowframehandler.h"

#include <QDebug>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {

Qt::CursorShape cursorFor(Qt::Edges edges)
{
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool falling
                = (edges & Qt::TopEdge) ? bool(edges & Qt::LeftEdge) : bool(edges & Qt::RightEdge);
        return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    return horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

} // namespace

WindowFrameHandler::WindowFrameHandler(QWidget *window, bool resizable, bool dragBySelf)
    : QObject(window)
    , m_window(window)
    , m_resizable(resizable)
    , m_dragBySelf(dragBySelf)
{
    setObjectName(QStringLiteral("windowFrameHandler"));
}

WindowFrameHandler *WindowFrameHandler::of(const QWidget *window)
{
    if (!window)
        return nullptr;
    return window->findChild<WindowFrameHandler *>(QStringLiteral("windowFrameHandler"),
                                                   Qt::FindDirectChildrenOnly);
}

void WindowFrameHandler::attach()
{
    if (!m_window)
        return;
    QWindow *handle = m_window->windowHandle();
    if (!handle || handle == m_handle)
        return;
    if (m_handle)
        m_handle->removeEventFilter(this);
    m_handle = handle;
    m_handle->installEventFilter(this);
}

FramelessDialog::HitRegion WindowFrameHandler::regionAt(const QPoint &globalPos) const
{
    if (!m_window)
        return FramelessDialog::HitClient;
    const bool framed = m_resizable && !m_window->isMaximized() && !m_window->isFullScreen();
    const bool widthResizable = framed && m_window->minimumWidth() != m_window->maximumWidth();
    const bool heightResizable = framed && m_window->minimumHeight() != m_window->maximumHeight();
    const bool onSelf
            = m_dragBySelf && m_window->childAt(m_window->mapFromGlobal(globalPos)) == nullptr;
    return FramelessDialog::hitTest(
            m_window->frameGeometry(), globalPos, widthResizable, heightResizable, onSelf);
}

bool WindowFrameHandler::startMove(const QPoint &globalPos)
{
    if (!m_window)
        return false;
    attach();
    if (m_handle && m_handle->startSystemMove())
        return true;
    m_drag = Drag::Move;
    m_edges = Qt::Edges();
    m_pressGlobal = globalPos;
    m_startGeometry = m_window->geometry();
    return true;
}

bool WindowFrameHandler::startResize(Qt::Edges edges, const QPoint &globalPos)
{
    if (!m_window || !edges)
        return false;
    attach();
    if (m_handle && m_handle->startSystemResize(edges))
        return true;
    m_drag = Drag::Resize;
    m_edges = edges;
    m_pressGlobal = globalPos;
    m_startGeometry = m_window->geometry();
    return true;
}

void WindowFrameHandler::follow(const QPoint &globalPos)
{
    const QPoint delta = globalPos - m_pressGlobal;
    if (m_drag == Drag::Move) {
        m_window->move(m_startGeometry.topLeft() + delta);
        return;
    }

    // Resize: the dragged edges follow the mouse, the opposite edges stay, and the size stays
    // within the window's limits.
    const QSize minimum = m_window->minimumSize();
    const QSize maximum = m_window->maximumSize();
    QRect geometry = m_startGeometry;
    if (m_edges & (Qt::LeftEdge | Qt::RightEdge)) {
        const int change = (m_edges & Qt::LeftEdge) ? -delta.x() : delta.x();
        const int width
                = qBound(minimum.width(), m_startGeometry.width() + change, maximum.width());
        if (m_edges & Qt::LeftEdge)
            geometry.setLeft(m_startGeometry.right() + 1 - width);
        else
            geometry.setWidth(width);
    }
    if (m_edges & (Qt::TopEdge | Qt::BottomEdge)) {
        const int change = (m_edges & Qt::TopEdge) ? -delta.y() : delta.y();
        const int height
                = qBound(minimum.height(), m_startGeometry.height() + change, maximum.height());
        if (m_edges & Qt::TopEdge)
            geometry.setTop(m_startGeometry.bottom() + 1 - height);
        else
            geometry.setHeight(height);
    }
    m_window->setGeometry(geometry);
}

void WindowFrameHandler::updateCursor(FramelessDialog::HitRegion region)
{
    const Qt::Edges edges = FramelessDialog::resizeEdges(region);
    if (edges) {
        m_window->setCursor(cursorFor(edges));
        m_cursorSet = true;
    } else if (m_cursorSet) {
        m_window->unsetCursor();
        m_cursorSet = false;
    }
}

bool WindowFrameHandler::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_handle || !m_window)
        return QObject::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || m_drag != Drag::None)
            break;
        const FramelessDialog::HitRegion region = regionAt(mouse->globalPos());
        const Qt::Edges edges = FramelessDialog::resizeEdges(region);
        if (edges) {
            startResize(edges, mouse->globalPos());
            m_ownPress = true;
            return true;
        }
        if (region == FramelessDialog::HitCaption) {
            startMove(mouse->globalPos());
            m_ownPress = true;
            return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_drag != Drag::None) {
            if (mouse->buttons() & Qt::LeftButton) {
                follow(mouse->globalPos());
                return true;
            }
            m_drag = Drag::None; // the release went elsewhere
        }
        if (mouse->buttons() == Qt::NoButton)
            updateCursor(regionAt(mouse->globalPos()));
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        const bool own = m_ownPress;
        m_ownPress = false;
        if (m_drag != Drag::None) {
            m_drag = Drag::None;
            if (own)
                return true;
        }
        break;
    }
    case QEvent::Leave:
        if (m_drag == Drag::None && m_cursorSet) {
            m_window->unsetCursor();
            m_cursorSet = false;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
