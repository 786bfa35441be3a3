#pragma once

// The GPS speed readout as the screen shows it: the cells of its digits, and the picture a
// text must give, built from the digit bitmaps over the background of the shown unit.
#include "telemetry/speeddisplaywidget.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

namespace SpeedReadback {

// The readout's cells in paint order, in widget pixels: hundreds, tens, units, decimal point,
// tenths (where the background bitmap leaves room for them).
inline const QRect Cells[5] = {QRect(20, 11, 10, 18),
                               QRect(32, 11, 10, 18),
                               QRect(44, 11, 10, 18),
                               QRect(53, 11, 6, 18),
                               QRect(59, 11, 10, 18)};

inline QImage resourceImage(const QString &name)
{
    return QImage(QStringLiteral(":/resource/img/speed/") + name)
            .convertToFormat(QImage::Format_RGB32);
}

// What the readout must look like for a text of five characters ("ddd.d", blanks for empty
// cells): the background, and over it, cell by cell in paint order, the glyph's non-white
// pixels (white is transparent; the units and decimal point cells share a column).
inline QImage composed(const QImage &background, const QString &text)
{
    QImage image = background.copy();
    for (int c = 0; c < 5; ++c) {
        const QChar ch = text.at(c);
        if (ch == QLatin1Char(' '))
            continue;
        const QImage glyph = ch == QLatin1Char('.')
                ? resourceImage(QStringLiteral("speed_Num_comma.bmp"))
                : resourceImage(QStringLiteral("speed_Num_%1.bmp").arg(ch));
        for (int y = 0; y < qMin(glyph.height(), Cells[c].height()); ++y) {
            for (int x = 0; x < qMin(glyph.width(), Cells[c].width()); ++x) {
                if ((glyph.pixel(x, y) & 0xffffff) != 0xffffff)
                    image.setPixel(Cells[c].topLeft() + QPoint(x, y), glyph.pixel(x, y));
            }
        }
    }
    return image;
}

// The cells (0 hundreds .. 4 tenths, 5 outside them) where two images differ.
inline QList<int> differingCells(const QImage &a, const QImage &b)
{
    QList<int> cells;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y))
                continue;
            int cell = 5;
            for (int c = 0; c < 5 && cell == 5; ++c) {
                if (Cells[c].contains(x, y))
                    cell = c;
            }
            if (!cells.contains(cell))
                cells << cell;
        }
    }
    return cells;
}

// The five characters the readout shows for a value in km/h ("ddd.d", blanks for empty cells).
inline QString shownText(double kmh)
{
    const SpeedDisplayWidget::Digits d = SpeedDisplayWidget::digitsOf(kmh);
    const auto cell = [](int digit) {
        return digit < 0 ? QLatin1Char(' ') : QLatin1Char(char('0' + digit));
    };
    return QString(cell(d.hundreds)) + cell(d.tens) + cell(d.units) + QLatin1Char('.')
            + cell(d.tenths);
}

} // namespace SpeedReadback
