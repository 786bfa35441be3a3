#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

// Flat vector glyphs for the interface images. Each glyph is designed on a 24 x 24 grid and
// scaled into the box it is given; line widths are given in target pixels so that small and
// large boxes both get crisp strokes.
namespace Glyphs {

enum class Glyph {
    FileOpen,
    FolderOpen,
    Record,
    Camera,
    Printer,
    Expand,
    Collapse,
    Info,
    Minimize,
    Maximize,
    Close,
    Previous,
    Rewind,
    RewindFrame,
    Play,
    Pause,
    Forward,
    ForwardFrame,
    Next,
    FrameSearch,
    Speed,
    Brightness,
    Volume,
    Mute,
    PopOut,
    Restore,
    NoGps,
    NotConnected,
    DragHint,
    Lens,
    Car,
};

void draw(QPainter &painter, Glyph glyph, const QRectF &box, const QColor &color, qreal penPx);

// A square box of side `side` centred in `area`.
QRectF centredBox(const QRectF &area, qreal side);

// Text in the interface font, centred in `area` and shrunk until it fits the width.
void drawText(QPainter &painter,
              const QRectF &area,
              const QString &text,
              int pixelSize,
              const QColor &color,
              bool bold,
              int alignment = 0x0084 /* Qt::AlignCenter */);

} // namespace Glyphs
