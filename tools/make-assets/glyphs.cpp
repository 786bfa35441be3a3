#include "glyphs.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace Glyphs {

namespace {

constexpr qreal Grid = 24.0;

QPolygonF triangle(QPointF a, QPointF b, QPointF c)
{
    return QPolygonF({a, b, c});
}

// Left-pointing transport shapes; the right-pointing ones are their mirror images.
void drawPrevious(QPainter &p)
{
    p.drawRect(QRectF(3, 5, 2.6, 14));
    p.drawPolygon(triangle({13.5, 5}, {13.5, 19}, {6.2, 12}));
    p.drawPolygon(triangle({21.5, 5}, {21.5, 19}, {14.2, 12}));
}

void drawRewind(QPainter &p)
{
    p.drawPolygon(triangle({12, 5}, {12, 19}, {3, 12}));
    p.drawPolygon(triangle({21, 5}, {21, 19}, {12, 12}));
}

void drawRewindFrame(QPainter &p)
{
    p.drawPolygon(triangle({15, 5}, {15, 19}, {6, 12}));
    p.drawRect(QRectF(17, 5, 2.6, 14));
}

void drawSpeaker(QPainter &p, const QPen &pen, const QColor &color)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(QPolygonF({{3, 9}, {7, 9}, {12, 4.5}, {12, 19.5}, {7, 15}, {3, 15}}));
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

QPainterPath pinPath()
{
    QPainterPath path;
    path.moveTo(12, 21.5);
    path.cubicTo(8, 16.5, 5, 13, 5, 9.5);
    path.arcTo(QRectF(5, 2.5, 14, 14), 180, -180);
    path.cubicTo(19, 13, 16, 16.5, 12, 21.5);
    path.closeSubpath();
    return path;
}

void drawArrowHead(QPainter &p, QPointF tip, QPointF direction)
{
    const qreal length = std::hypot(direction.x(), direction.y());
    if (length <= 0)
        return;
    const QPointF d = direction / length;
    const QPointF n(-d.y(), d.x());
    p.drawPolyline(QPolygonF({tip - d * 3 + n * 3, tip, tip - d * 3 - n * 3}));
}

} // namespace

QRectF centredBox(const QRectF &area, qreal side)
{
    return QRectF(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
}

void draw(QPainter &p, Glyph glyph, const QRectF &box, const QColor &color, qreal penPx)
{
    if (box.width() <= 0 || box.height() <= 0)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(box.topLeft());
    const qreal scale = box.width() / Grid;
    p.scale(scale, box.height() / Grid);

    QPen pen(color, penPx / scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const auto solid = [&] {
        p.setPen(Qt::NoPen);
        p.setBrush(color);
    };
    const auto mirrored = [&] {
        p.translate(Grid, 0);
        p.scale(-1, 1);
    };

    switch (glyph) {
    case Glyph::FileOpen: {
        QPainterPath page;
        page.moveTo(6, 3);
        page.lineTo(14, 3);
        page.lineTo(19, 8);
        page.lineTo(19, 21);
        page.lineTo(6, 21);
        page.closeSubpath();
        p.drawPath(page);
        p.drawPolyline(QPolygonF({{14, 3}, {14, 8}, {19, 8}}));
        p.drawLine(QPointF(9.5, 13), QPointF(15.5, 13));
        p.drawLine(QPointF(9.5, 17), QPointF(15.5, 17));
        break;
    }
    case Glyph::FolderOpen:
        p.drawPolyline(
                QPolygonF({{4, 18}, {4, 5}, {9.5, 5}, {11.5, 7.5}, {18.5, 7.5}, {18.5, 10.5}}));
        p.drawPolygon(QPolygonF({{4, 19}, {7, 11}, {22, 11}, {19, 19}}));
        break;
    case Glyph::Record:
        p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
        solid();
        p.drawEllipse(QPointF(12, 12), 4.6, 4.6);
        break;
    case Glyph::Camera:
        p.drawRoundedRect(QRectF(3, 7.5, 18, 12.5), 2, 2);
        p.drawPolyline(QPolygonF({{8, 7.5}, {9.5, 4.5}, {14.5, 4.5}, {16, 7.5}}));
        p.drawEllipse(QPointF(12, 13.6), 3.6, 3.6);
        break;
    case Glyph::Printer:
        p.drawPolyline(QPolygonF({{7, 8}, {7, 3.5}, {17, 3.5}, {17, 8}}));
        p.drawPolyline(QPolygonF({{7, 16.5},
                                  {4.5, 16.5},
                                  {3.5, 15.5},
                                  {3.5, 9},
                                  {4.5, 8},
                                  {19.5, 8},
                                  {20.5, 9},
                                  {20.5, 15.5},
                                  {19.5, 16.5},
                                  {17, 16.5}}));
        p.drawRect(QRectF(7, 13, 10, 7.5));
        solid();
        p.drawEllipse(QPointF(17.3, 11), 1.1, 1.1);
        break;
    case Glyph::Expand:
        p.drawPolyline(QPolygonF({{4, 9.5}, {4, 4}, {9.5, 4}}));
        p.drawPolyline(QPolygonF({{14.5, 4}, {20, 4}, {20, 9.5}}));
        p.drawPolyline(QPolygonF({{20, 14.5}, {20, 20}, {14.5, 20}}));
        p.drawPolyline(QPolygonF({{9.5, 20}, {4, 20}, {4, 14.5}}));
        p.drawLine(QPointF(4, 4), QPointF(9.5, 9.5));
        p.drawLine(QPointF(20, 4), QPointF(14.5, 9.5));
        p.drawLine(QPointF(20, 20), QPointF(14.5, 14.5));
        p.drawLine(QPointF(4, 20), QPointF(9.5, 14.5));
        break;
    case Glyph::Collapse:
        p.drawPolyline(QPolygonF({{4.5, 10}, {10, 10}, {10, 4.5}}));
        p.drawPolyline(QPolygonF({{14, 4.5}, {14, 10}, {19.5, 10}}));
        p.drawPolyline(QPolygonF({{19.5, 14}, {14, 14}, {14, 19.5}}));
        p.drawPolyline(QPolygonF({{10, 19.5}, {10, 14}, {4.5, 14}}));
        p.drawLine(QPointF(10, 10), QPointF(4, 4));
        p.drawLine(QPointF(14, 10), QPointF(20, 4));
        p.drawLine(QPointF(14, 14), QPointF(20, 20));
        p.drawLine(QPointF(10, 14), QPointF(4, 20));
        break;
    case Glyph::Info:
        p.drawEllipse(QPointF(12, 12), 9, 9);
        p.drawLine(QPointF(12, 11), QPointF(12, 17));
        solid();
        p.drawEllipse(QPointF(12, 7.3), 1.3, 1.3);
        break;
    case Glyph::Minimize:
        p.drawLine(QPointF(5, 12), QPointF(19, 12));
        break;
    case Glyph::Maximize:
        p.drawRect(QRectF(5, 5, 14, 14));
        break;
    case Glyph::Close:
        p.drawLine(QPointF(5, 5), QPointF(19, 19));
        p.drawLine(QPointF(19, 5), QPointF(5, 19));
        break;
    case Glyph::Previous:
        solid();
        drawPrevious(p);
        break;
    case Glyph::Rewind:
        solid();
        drawRewind(p);
        break;
    case Glyph::RewindFrame:
        solid();
        drawRewindFrame(p);
        break;
    case Glyph::Play:
        solid();
        p.drawPolygon(triangle({7, 4}, {7, 20}, {20, 12}));
        break;
    case Glyph::Pause:
        solid();
        p.drawRect(QRectF(6, 5, 4, 14));
        p.drawRect(QRectF(14, 5, 4, 14));
        break;
    case Glyph::Forward:
        solid();
        mirrored();
        drawRewind(p);
        break;
    case Glyph::ForwardFrame:
        solid();
        mirrored();
        drawRewindFrame(p);
        break;
    case Glyph::Next:
        solid();
        mirrored();
        drawPrevious(p);
        break;
    case Glyph::FrameSearch:
        p.drawRoundedRect(QRectF(3, 5, 18, 14), 1.5, 1.5);
        p.drawLine(QPointF(7, 5), QPointF(7, 19));
        p.drawLine(QPointF(17, 5), QPointF(17, 19));
        solid();
        p.drawPolygon(triangle({10.2, 8.8}, {10.2, 15.2}, {14.6, 12}));
        break;
    case Glyph::Speed: {
        p.drawArc(QRectF(3, 5, 18, 18), 200 * 16, -220 * 16);
        p.drawLine(QPointF(12, 14), QPointF(16.5, 9.5));
        solid();
        p.drawEllipse(QPointF(12, 14), 1.8, 1.8);
        break;
    }
    case Glyph::Brightness:
        p.drawEllipse(QPointF(12, 12), 4, 4);
        for (int i = 0; i < 8; ++i) {
            const qreal angle = i * M_PI / 4;
            const QPointF d(std::cos(angle), std::sin(angle));
            p.drawLine(QPointF(12, 12) + d * 7, QPointF(12, 12) + d * 9.5);
        }
        break;
    case Glyph::Volume:
        drawSpeaker(p, pen, color);
        p.drawArc(QRectF(8.5, 8.5, 7, 7), -50 * 16, 100 * 16);
        p.drawArc(QRectF(5.5, 4.5, 15, 15), -50 * 16, 100 * 16);
        break;
    case Glyph::Mute:
        drawSpeaker(p, pen, color);
        p.drawLine(QPointF(15, 9), QPointF(21, 15));
        p.drawLine(QPointF(21, 9), QPointF(15, 15));
        break;
    case Glyph::PopOut:
        p.drawPolyline(QPolygonF({{10.5, 5}, {5, 5}, {5, 19}, {19, 19}, {19, 13.5}}));
        p.drawLine(QPointF(11.5, 12.5), QPointF(19, 5));
        p.drawPolyline(QPolygonF({{13.5, 5}, {19, 5}, {19, 10.5}}));
        break;
    case Glyph::Restore:
        p.drawRoundedRect(QRectF(4, 4, 16, 16), 2.5, 2.5);
        p.drawLine(QPointF(8, 12), QPointF(16, 12));
        break;
    case Glyph::NoGps:
        p.drawPath(pinPath());
        p.drawEllipse(QPointF(12, 9.5), 2.6, 2.6);
        p.drawLine(QPointF(3.5, 3.5), QPointF(20.5, 20.5));
        break;
    case Glyph::NotConnected:
        p.drawEllipse(QPointF(12, 12), 9, 9);
        p.drawEllipse(QPointF(12, 12), 4, 9);
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
        p.drawLine(QPointF(4.5, 7.5), QPointF(19.5, 7.5));
        p.drawLine(QPointF(4.5, 16.5), QPointF(19.5, 16.5));
        p.drawLine(QPointF(3.5, 3.5), QPointF(20.5, 20.5));
        break;
    case Glyph::DragHint:
        p.drawLine(QPointF(12, 3), QPointF(12, 21));
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
        drawArrowHead(p, {12, 3}, {0, -1});
        drawArrowHead(p, {12, 21}, {0, 1});
        drawArrowHead(p, {3, 12}, {-1, 0});
        drawArrowHead(p, {21, 12}, {1, 0});
        solid();
        p.drawEllipse(QPointF(12, 12), 2.5, 2.5);
        break;
    case Glyph::Lens:
        p.drawEllipse(QPointF(12, 12), 9, 9);
        solid();
        p.drawEllipse(QPointF(12, 12), 5, 5);
        break;
    case Glyph::Car:
        // Seen from behind: roof and rear window, body, two wheels.
        p.drawPolygon(QPolygonF({{6.5, 11}, {8.5, 5}, {15.5, 5}, {17.5, 11}}));
        solid();
        p.drawRoundedRect(QRectF(3, 11, 18, 7), 2, 2);
        p.drawRect(QRectF(4.5, 18, 3.5, 3));
        p.drawRect(QRectF(16, 18, 3.5, 3));
        break;
    }
    p.restore();
}

QFont fittedFont(const QString &family,
                 const QString &text,
                 const QSizeF &room,
                 int pixelSize,
                 bool bold,
                 bool fitHeight,
                 bool *fits)
{
    QFont font(family.isEmpty() ? QStringLiteral("DejaVu Sans") : family);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setBold(bold);
    *fits = false;
    int size = pixelSize;
    for (; size >= MinimumPixelSize; --size) {
        font.setPixelSize(size);
        const QFontMetricsF metrics(font);
        if (metrics.horizontalAdvance(text) <= room.width()
            && (!fitHeight || metrics.height() <= room.height())) {
            *fits = true;
            break;
        }
    }
    font.setPixelSize(std::max(size, MinimumPixelSize));
    return font;
}

void drawText(QPainter &painter,
              const QRectF &area,
              const QString &text,
              int pixelSize,
              const QColor &color,
              bool bold,
              int alignment)
{
    bool fits = false;
    const QFont font = fittedFont(QString(), text, area.size(), pixelSize, bold, false, &fits);
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(area, alignment, text);
    painter.restore();
}

} // namespace Glyphs
