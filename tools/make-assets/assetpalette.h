#pragma once

#include <QColor>

// The one palette every generated interface image is drawn with. The backgrounds match the
// style sheets of the panels the opaque (.bmp) images sit on, so their edges do not show.
namespace AssetPalette {

inline QColor panel()
{
    return QColor(0x1e, 0x1e, 0x1e);
} // control panel, dialogs
inline QColor bar()
{
    return QColor(0x29, 0x29, 0x29);
} // title bar, list headers
inline QColor raised()
{
    return QColor(0x3c, 0x3c, 0x3c);
} // hover highlight
inline QColor outline()
{
    return QColor(0x4a, 0x4a, 0x4a);
} // chip borders, tracks
inline QColor mapPanel()
{
    return QColor(0x14, 0x14, 0x14);
} // map panel background
inline QColor central()
{
    return QColor(0x07, 0x07, 0x07);
} // window background
inline QColor black()
{
    return QColor(0, 0, 0);
} // about dialog, play list
inline QColor glyph()
{
    return QColor(0xf2, 0xf2, 0xf2);
} // normal glyphs and text
inline QColor glyphDim()
{
    return QColor(0x9a, 0x9a, 0x9a);
} // secondary text
inline QColor disabled()
{
    return QColor(0x62, 0x62, 0x62);
} // disabled glyphs
inline QColor disabledFill()
{
    return QColor(0x24, 0x24, 0x24);
}
inline QColor accent()
{
    return QColor(0x2f, 0x8f, 0xdd);
} // pressed / checked / active
inline QColor accentLight()
{
    return QColor(0x5c, 0xaa, 0xea);
}
// Digits of the speed display are masked by pure white, so the glyph must not be pure white.
inline QColor digit()
{
    return QColor(0xe8, 0xe8, 0xe8);
}

} // namespace AssetPalette
