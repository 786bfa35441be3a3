#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSizeF>
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

// The smallest pixel size text is shrunk to.
constexpr int MinimumPixelSize = 6;

// The font of `family` (empty: the interface font) at the largest pixel size from `pixelSize`
// down to MinimumPixelSize at which `text` fits the width of `room` (and, with `fitHeight`, its
// height too). *fits is false when even the smallest size is too large; the font has that size.
QFont fittedFont(const QString &family,
                 const QString &text,
                 const QSizeF &room,
                 int pixelSize,
                 bool bold,
                 bool fitHeight,
                 bool *fits);

// Text in the interface font, centred in `area` (or aligned by `alignment`) and shrunk until it
// fits the width.
void drawText(QPainter &painter,
              const QRectF &area,
              const QString &text,
              int pixelSize,
              const QColor &color,
              bool bold,
              int alignment = 0x0084 /* Qt::AlignCenter */);

} // namespace Glyphs
