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
// A span's bracket: its stroke, and how far its serifs reach into the span; the band's height.
constexpr int BracketWidth = 2;
constexpr int BracketSerif = 4;
constexpr int BandHeight = 3;

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

void SmoothSlider::setSpan(int in, int out)
{
    in = in < 0 ? -1 : in;
    out = out < 0 ? -1 : out;
    if (in == m_spanIn && out == m_spanOut)
        return;
    m_spanIn = in;
    m_spanOut = out;
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
    if (maximum() <= minimum())
        return;
    paintTicks();
    paintSpan();
}

void SmoothSlider::paintSpan()
{
    const int in = m_spanIn >= 0 ? markPosition(m_spanIn) : -1;
    const int out = m_spanOut >= 0 ? markPosition(m_spanOut) : -1;
    if (in < 0 && out < 0)
        return;
    const QRect groove = grooveRect();
    const int top = qMax(0, groove.top() - MarkReach);
    const int bottom = qMin(height() - 1, groove.bottom() + MarkReach);
    QPainter painter(this);
    if (in >= 0 && out > in) {
        painter.fillRect(QRect(in,
                               groove.bottom() + 1,
                               out - in,
                               qMin(BandHeight, bottom - groove.bottom())),
                         spanColor());
    }
    // "[" at the in mark, "]" at the out mark, drawn over the handle so a mark set where the
    // handle stands shows.
    const auto bracket = [&](int x, int inward) {
        const int stroke = inward > 0 ? x : x - BracketWidth + 1;
        painter.fillRect(QRect(stroke, top, BracketWidth, bottom - top + 1), spanColor());
        const int serif = inward > 0 ? x : x - BracketSerif + 1;
        painter.fillRect(QRect(serif, top, BracketSerif, BracketWidth), spanColor());
        painter.fillRect(QRect(serif, bottom - BracketWidth + 1, BracketSerif, BracketWidth),
                         spanColor());
    };
    if (in >= 0)
        bracket(in, 1);
    if (out >= 0)
        bracket(out, -1);
}

void SmoothSlider::paintTicks()
{
    if (m_marks.isEmpty())
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
