#include "smoothslider.h"

#include "smoothsliderstyle.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionSlider>

#include <algorithm>

namespace {

// How far a tick reaches beyond the groove, above and below, and its width.
constexpr int MarkReach = 5;
constexpr int MarkWidth = 2;

} // namespace

SmoothSlider::SmoothSlider(QWidget *parent)
    : QSlider(Qt::Horizontal, parent)
    , m_style(new SmoothSliderStyle)
{
    // The widget does not own its style; the proxy lives as the slider's child.
    m_style->setParent(this);
    setStyle(m_style);
}

void SmoothSlider::setMarks(const QVector<int> &values)
{
    if (values == m_marks)
        return;
    m_marks = values;
    m_ticksValid = false;
    update();
}

const QVector<int> &SmoothSlider::tickPositions() const
{
    if (m_ticksValid)
        return m_ticks;
    m_ticks.clear();
    for (int value : qAsConst(m_marks)) {
        const int x = markPosition(value);
        if (x >= 0)
            m_ticks << x;
    }
    std::sort(m_ticks.begin(), m_ticks.end());
    m_ticks.erase(std::unique(m_ticks.begin(), m_ticks.end()), m_ticks.end());
    m_ticksValid = true;
    return m_ticks;
}

void SmoothSlider::resizeEvent(QResizeEvent *event)
{
    m_ticksValid = false;
    QSlider::resizeEvent(event);
}

void SmoothSlider::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
        m_ticksValid = false;
    QSlider::changeEvent(event);
}

void SmoothSlider::sliderChange(SliderChange change)
{
    if (change == SliderRangeChange || change == SliderOrientationChange)
        m_ticksValid = false;
    QSlider::sliderChange(change);
}

QRect SmoothSlider::grooveRect() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
}

QRect SmoothSlider::handleRect(int value) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.sliderPosition = value;
    option.sliderValue = value;
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

int SmoothSlider::markPosition(int value) const
{
    if (value < minimum() || value > maximum())
        return -1;
    // The tick sits where the handle's centre would be at that value.
    return handleRect(value).center().x();
}

void SmoothSlider::paintEvent(QPaintEvent *event)
{
    QSlider::paintEvent(event);
    if (m_marks.isEmpty() || maximum() <= minimum())
        return;

    const QRect groove = grooveRect();
    // Ticks stand on both sides of the groove, never on it, so the played part stays readable.
    const int top = qMax(0, groove.top() - MarkReach);
    const int bottom = qMin(height() - 1, groove.bottom() + MarkReach);
    QRegion clip(rect());
    clip -= handleRect(sliderPosition());

    QPainter painter(this);
    painter.setClipRegion(clip);
    for (int x : tickPositions()) {
        const int left = x - MarkWidth / 2;
        painter.fillRect(QRect(left, top, MarkWidth, groove.top() - top), markColor());
        painter.fillRect(QRect(left, groove.bottom() + 1, MarkWidth, bottom - groove.bottom()),
                         markColor());
    }
}
