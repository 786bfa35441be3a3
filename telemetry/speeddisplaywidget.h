#pragma once

#include <QPixmap>
#include <QWidget>

#include <array>

// The seven-segment GPS speed readout of the control panel: one decimal, in km/h or, after a
// click, in miles per hour. The digits are bitmaps whose white pixels are transparent; the
// unit is part of the background. GUI thread only.
class SpeedDisplayWidget : public QWidget
{
    Q_OBJECT

public:
    enum Unit { Kmh = 0, Miles = 1 };

    // Which digit each cell shows: -1 for a blank cell (leading zeros).
    struct Digits
    {
        int hundreds = -1;
        int tens = -1;
        int units = 0;
        int tenths = 0;
    };

    explicit SpeedDisplayWidget(QWidget *parent = nullptr);

    // Shows a speed given in km/h, converted to the current unit.
    void setGpsSpeed(double kmh);
    double value() const { return m_value; }
    int unit() const { return m_unit; }
    // The digits the readout draws for a value already in the shown unit.
    static Digits digitsOf(double value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    std::array<QPixmap, 10> m_digits;
    QPixmap m_dash; // loaded with the digits; the readout never draws it
    QPixmap m_comma;
    QPixmap m_background;
    QPixmap m_backgroundMiles;
    int m_unit = Kmh; // survives recordings; only a click changes it
    double m_value = 0; // already in the shown unit
};
