#include "speeddisplaywidget.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr double MilesPerKm = 0.621371;

// Cells in widget pixels: hundreds, tens, units, decimal point, tenths.
const QRect HundredsCell(20, 11, 10, 18);
const QRect TensCell(32, 11, 10, 18);
const QRect UnitsCell(44, 11, 10, 18);
const QRect CommaCell(53, 11, 6, 18);
const QRect TenthsCell(59, 11, 10, 18);

QPixmap maskedWhite(const QString &path)
{
    QPixmap pixmap(path);
    if (!pixmap.isNull())
        pixmap.setMask(pixmap.createMaskFromColor(Qt::white));
    return pixmap;
}

} // namespace

SpeedDisplayWidget::SpeedDisplayWidget(QWidget *parent)
    : QWidget(parent)
{
    for (int i = 0; i < 10; ++i)
        m_digits[i] = maskedWhite(QStringLiteral(":/resource/img/speed/speed_Num_%1.bmp").arg(i));
    m_dash = maskedWhite(QStringLiteral(":/resource/img/speed/speed_-.bmp"));
    m_comma = maskedWhite(QStringLiteral(":/resource/img/speed/speed_Num_comma.bmp"));
    m_background = QPixmap(QStringLiteral(":/resource/img/speed/speed_bg.BMP"));
    m_backgroundMiles = QPixmap(QStringLiteral(":/resource/img/speed/speed_bg_mile.bmp"));
}

void SpeedDisplayWidget::setGpsSpeed(double kmh)
{
    const double value = m_unit == Miles ? kmh * MilesPerKm : kmh;
    // Playing-time reports come several times per GPS fix: repaint only what changed.
    if (value == m_value)
        return;
    m_value = value;
    update();
}

SpeedDisplayWidget::Digits SpeedDisplayWidget::digitsOf(double value)
{
    Digits d;
    if (value >= 1000) {
        d.hundreds = d.tens = d.units = d.tenths = 9;
        return d;
    }
    if (!(value >= 0)) // negative, or not a number
        return d;
    const int n = static_cast<int>(value * 10);
    d.tenths = n % 10;
    const int s = n / 10;
    const int hundreds = s / 100;
    const int tens = (s % 100) / 10;
    d.units = s % 10;
    if (hundreds > 0)
        d.hundreds = hundreds;
    if (hundreds > 0 || tens > 0)
        d.tens = tens;
    return d;
}

void SpeedDisplayWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(rect(), m_unit == Miles ? m_backgroundMiles : m_background);
    const Digits d = digitsOf(m_value);
    auto draw = [&painter](const QPixmap &pixmap, const QRect &cell) {
        painter.drawPixmap(cell.topLeft(), pixmap, QRect(QPoint(0, 0), cell.size()));
    };
    if (d.hundreds >= 0)
        draw(m_digits[d.hundreds], HundredsCell);
    if (d.tens >= 0)
        draw(m_digits[d.tens], TensCell);
    draw(m_digits[d.units], UnitsCell);
    draw(m_comma, CommaCell);
    draw(m_digits[d.tenths], TenthsCell);
}

void SpeedDisplayWidget::mousePressEvent(QMouseEvent *event)
{
    m_unit = m_unit == Miles ? Kmh : Miles;
    update();
    event->accept();
}
