#include "volumesliderwidget.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

VolumeSliderWidget::VolumeSliderWidget(QWidget *parent)
    : QWidget(parent)
    , m_background(QStringLiteral(":/resource/img/volume/vol_back.BMP"))
    , m_full(QStringLiteral(":/resource/img/volume/vol_10.BMP"))
{ }

void VolumeSliderWidget::setValue(int value)
{
    value = qBound(0, value, MaximumLevel);
    m_level = value;
    m_muted = value == 0;
    emit valueChanged(value);
    update();
}

void VolumeSliderWidget::setMuted(bool muted)
{
    if (muted == m_muted)
        return;
    m_muted = muted;
    emit valueChanged(m_muted ? 0 : m_level);
    update();
}

void VolumeSliderWidget::mousePressEvent(QMouseEvent *event)
{
    const int w = width();
    int level = 0;
    if (w > 0) {
        const double x = qMax(0, event->pos().x());
        level = qMin(MaximumLevel, 1 + int(std::floor(10.0 * x / w)));
    }
    const bool wasMuted = m_muted;
    const bool changed = level != m_level;
    m_level = level;
    m_muted = level == 0;
    // A click on the level it already had still unmutes; the audio has to hear of that too.
    if (changed || wasMuted != m_muted)
        emit valueChanged(m_muted ? 0 : m_level);
    update();
    event->accept();
}

void VolumeSliderWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_background.isNull())
        return;
    QPixmap picture = m_background;
    if (m_level > 0 && !m_muted && !m_full.isNull()) {
        QPainter overlay(&picture);
        const int w = qMin(m_level * PixelsPerLevel, m_full.width());
        overlay.drawPixmap(
                QRect(0, 0, w, m_full.height()), m_full, QRect(0, 0, w, m_full.height()));
    }
    painter.drawPixmap(rect(), picture);
}
