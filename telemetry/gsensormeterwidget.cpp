#include "gsensormeterwidget.h"

#include "gsensoreventdetector.h"
#include "media/mediainfo.h"
#include "media/telemetrytrack.h"
#include "telemetrylog.h"

#include <QDebug>
#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

const QColor GSensorMeterWidget::BackgroundColor(7, 7, 7);
const QColor GSensorMeterWidget::GridColor(Qt::gray);
const QColor GSensorMeterWidget::LabelColor(Qt::lightGray);
const QColor GSensorMeterWidget::PositionColor(Qt::white);
const QColor GSensorMeterWidget::EventColor(255, 160, 0);
const QColor GSensorMeterWidget::AxisColors[3]
        = {QColor(Qt::red), QColor(Qt::yellow), QColor(Qt::green)};

namespace {

// The scale labels shrink in half-point steps, never below this size.
constexpr double SmallestLabelPointSize = 3.0;
// A range beyond any sensor; keeps the axis arithmetic in int for nonsense input.
constexpr double LargestRange = 1 << 20;

const char *const AxisNames[3] = {"X:    ", "Y:    ", "Z:    "};

} // namespace

GSensorMeterWidget::GSensorMeterWidget(const TelemetryTrack *track, QWidget *parent)
    : QWidget(parent)
    , m_track(track)
{ }

int GSensorMeterWidget::getCurrentValues(double &x, double &y, double &z) const
{
    QMutexLocker lock(&m_mutex);
    if (m_total == 0 || m_currentIndex < 0)
        return -1;
    x = m_current[0];
    y = m_current[1];
    z = m_current[2];
    return 0;
}

int GSensorMeterWidget::yAxisRange() const
{
    QMutexLocker lock(&m_mutex);
    return m_range;
}

int GSensorMeterWidget::currentIndex() const
{
    QMutexLocker lock(&m_mutex);
    return m_currentIndex;
}

double GSensorMeterWidget::dataInterval() const
{
    QMutexLocker lock(&m_mutex);
    return m_interval;
}

QVector<double> GSensorMeterWidget::eventMarks() const
{
    QMutexLocker lock(&m_mutex);
    return m_eventMarks;
}

QString GSensorMeterWidget::legendText(int axis) const
{
    QMutexLocker lock(&m_mutex);
    return legendTextLocked(axis);
}

QString GSensorMeterWidget::legendTextLocked(int axis) const
{
    if (axis < 0 || axis > 2)
        return QString();
    const QString value
            = m_total > 0 ? QString::number(m_current[axis], 'f', 6) : QStringLiteral("-");
    return QLatin1String(AxisNames[axis]) + value;
}

void GSensorMeterWidget::onMediaInfoStateChanged(MediaInfo *media_info,
                                                 MediaContext *playing_context,
                                                 int old_state,
                                                 int new_state)
{
    Q_UNUSED(media_info);
    Q_UNUSED(playing_context);
    QMutexLocker lock(&m_mutex);
    switch (new_state) {
    case MediaInfo::Playing:
        if (old_state != MediaInfo::Paused) {
            resetLocked();
            m_interval = m_track ? m_track->gsensorRate() : 0;
            QVector<GSensorSample> samples;
            if (m_track && m_track->gsensorSamples(samples) > 0)
                setSamplesLocked(samples);
            qCDebug(lcTelemetry).noquote()
                    << "data_interval_rate " << m_interval << ", total#" << m_total;
        }
        break;
    case MediaInfo::Paused:
        break;
    case MediaInfo::Idle:
    case MediaInfo::Stopped:
        resetLocked();
        break;
    default:
        return;
    }
    update();
}

void GSensorMeterWidget::showPlayingTime(double seconds)
{
    QMutexLocker lock(&m_mutex);
    if (m_interval == 0 || m_total == 0)
        return;
    m_currentIndex = TelemetryTrack::indexAt(seconds, m_interval, m_total);
    if (m_currentIndex < 0)
        return;
    for (int axis = 0; axis < 3; ++axis)
        m_current[axis] = m_values[axis].at(m_currentIndex);
    m_playingTime = seconds;
    update();
}

void GSensorMeterWidget::reset()
{
    QMutexLocker lock(&m_mutex);
    resetLocked();
}

void GSensorMeterWidget::resetLocked()
{
    for (QVector<double> &values : m_values)
        values.clear();
    m_minimum = 0;
    m_maximum = 0;
    m_total = 0;
    m_range = 2;
    m_currentIndex = -1;
    std::fill(std::begin(m_current), std::end(m_current), 0.0);
    m_playingTime = 0;
    m_eventMarks.clear();
    m_plotCache = QImage();
}

void GSensorMeterWidget::setSamples(const QVector<GSensorSample> &samples)
{
    QMutexLocker lock(&m_mutex);
    setSamplesLocked(samples);
}

void GSensorMeterWidget::setSamplesLocked(const QVector<GSensorSample> &samples)
{
    bool changed = false;
    for (const GSensorSample &sample : samples) {
        // A reading that is not a number cannot be placed on the plot.
        if (!std::isfinite(sample.x) || !std::isfinite(sample.y) || !std::isfinite(sample.z))
            continue;
        const double smallest = std::min({sample.x, sample.y, sample.z});
        const double largest = std::max({sample.x, sample.y, sample.z});
        if (m_values[0].isEmpty()) {
            m_minimum = smallest;
            m_maximum = largest;
            changed = true;
        } else {
            if (smallest < m_minimum) {
                m_minimum = smallest;
                changed = true;
            }
            if (largest > m_maximum) {
                m_maximum = largest;
                changed = true;
            }
        }
        m_values[0].append(sample.x);
        m_values[1].append(sample.y);
        m_values[2].append(sample.z);
    }
    // The lists hold every sample given since the last reset, and the plot draws them all.
    m_total = m_values[0].size();

    if (changed) {
        const double c = std::ceil(
                std::min(LargestRange, std::max(std::fabs(m_minimum), std::fabs(m_maximum))));
        if (c > m_range) {
            int range = int(c);
            range += range % 2;
            m_range = range;
            qCDebug(lcTelemetry).noquote()
                    << "gsensor meter new y-axis range: " << m_range << "~" << -m_range << " from "
                    << m_maximum << ", " << m_minimum;
        }
    }

    QVector<GSensorSample> record(m_total);
    for (int i = 0; i < m_total; ++i)
        record[i] = {m_values[0].at(i), m_values[1].at(i), m_values[2].at(i)};
    m_eventMarks = GSensorEventDetector::detect(record, m_interval);
    m_plotCache = QImage();
    update();
}

QStringList GSensorMeterWidget::scaleLabelsLocked() const
{
    return {QString::number(m_range),
            QString::number(m_range / 2),
            QStringLiteral("0"),
            QString::number(-m_range / 2),
            QString::number(-m_range)};
}

GSensorMeterWidget::Geometry GSensorMeterWidget::geometryLocked() const
{
    Geometry g;
    const QRect r = rect();
    g.fontHeight = fontMetrics().height();
    const int legendTop = r.top() + r.height() - g.fontHeight;
    g.plotTop = r.top() + g.fontHeight / 2;
    g.plotBottom = legendTop - g.fontHeight / 2;
    const int plotHeight = g.plotBottom - g.plotTop;
    g.rowHeight = plotHeight / 5;
    for (int i = 0; i < 5; ++i)
        g.rows[i] = g.plotTop + i * g.rowHeight + plotHeight / 10;

    // Fonts sized in pixels have no point size to shrink and keep their size.
    g.labelFont = font();
    while (g.labelFont.pointSizeF() > SmallestLabelPointSize
           && QFontMetrics(g.labelFont).height() > g.rowHeight) {
        g.labelFont.setPointSizeF(std::max(SmallestLabelPointSize, g.labelFont.pointSizeF() - 0.5));
    }
    const QFontMetrics labelMetrics(g.labelFont);
    for (const QString &label : scaleLabelsLocked())
        g.labelWidth = std::max(g.labelWidth, labelMetrics.horizontalAdvance(label));

    g.left = r.left() + 3 * g.labelWidth;
    g.width = (r.left() + r.width() - g.left - 10) / 10 * 10;
    return g;
}

int GSensorMeterWidget::plotXLocked(const Geometry &g, double seconds) const
{
    const double step = double(g.width) / m_total;
    const double x = g.left + seconds / m_interval * step;
    return int(std::clamp(x, double(g.left), double(g.left + g.width)));
}

void GSensorMeterWidget::paintPlotLocked(QPainter &painter, const Geometry &g) const
{
    const QRect r = rect();
    painter.fillRect(r, BackgroundColor);

    if (g.rowHeight > 0) {
        painter.setFont(g.labelFont);
        painter.setPen(LabelColor);
        const QStringList labels = scaleLabelsLocked();
        for (int i = 0; i < 5; ++i) {
            const QRect cell(r.left() + 2,
                             g.plotTop + i * g.rowHeight,
                             2 * g.labelWidth - (r.left() + 2),
                             g.rowHeight);
            painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter, labels.at(i));
        }
    }
    if (!g.valid())
        return;

    const int right = g.left + g.width;
    QPen dashed(GridColor, 1, Qt::DashLine);
    QPen solid(GridColor, 1, Qt::SolidLine);
    painter.setPen(dashed);
    for (int i = 1; i <= 3; ++i)
        painter.drawLine(g.left, g.rows[i], right, g.rows[i]);
    for (int k = 0; k <= 10; ++k) {
        const int x = g.left + k * (g.width / 10);
        painter.setPen(k == 0 ? solid : dashed);
        painter.drawLine(x, g.rows[0], x, g.rows[4]);
    }
    if (m_total == 0)
        return;
    paintCurvesLocked(painter, g);

    if (m_interval > 0) {
        // Event marks: small triangles standing on the top of the plot.
        const int size = std::clamp((g.plotBottom - g.plotTop) / 10, 3, 6);
        painter.setPen(Qt::NoPen);
        painter.setBrush(EventColor);
        for (double mark : m_eventMarks) {
            const int x = plotXLocked(g, mark);
            const QPoint corners[3] = {QPoint(x - size + 1, g.rows[0] - size),
                                       QPoint(x + size - 1, g.rows[0] - size),
                                       QPoint(x, g.rows[0])};
            painter.drawPolygon(corners, 3);
        }
        painter.setBrush(Qt::NoBrush);
    }
}

void GSensorMeterWidget::paintCurvesLocked(QPainter &painter, const Geometry &g) const
{
    const double step = double(g.width) / m_total;
    const double span = g.rows[4] - g.rows[0];
    const auto xOf = [&](int i) {
        return int(g.left + i * step);
    };
    const auto yOf = [&](double value) {
        return int(g.rows[2] - value / (2.0 * m_range) * span);
    };
    for (int axis = 0; axis < 3; ++axis) {
        const QVector<double> &values = m_values[axis];
        if (m_total <= g.width) {
            // At most one sample per column: the samples joined by straight lines.
            QPolygon points(m_total);
            for (int i = 0; i < m_total; ++i)
                points[i] = QPoint(xOf(i), yOf(values.at(i)));
            painter.setPen(QPen(AxisColors[axis], 1));
            if (m_total == 1)
                painter.drawPoint(points.at(0));
            else
                painter.drawPolyline(points);
            continue;
        }
        // Several samples per column: one stroke per column over the rows its samples reach,
        // stretched to the previous column's last sample so the curve stays joined.
        const QColor colour = AxisColors[axis];
        int column = xOf(0);
        int top = yOf(values.at(0));
        int bottom = top;
        int last = top;
        for (int i = 1; i <= m_total; ++i) {
            const int x = i < m_total ? xOf(i) : column + 1;
            if (x != column) {
                painter.fillRect(column, top, 1, bottom - top + 1, colour);
                if (i == m_total)
                    break;
                column = x;
                top = bottom = last;
            }
            const int y = yOf(values.at(i));
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            last = y;
        }
    }
}

void GSensorMeterWidget::paintEvent(QPaintEvent *)
{
    QMutexLocker lock(&m_mutex);
    const Geometry g = geometryLocked();
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = size() * dpr;
    if (m_plotCache.size() != pixels || m_plotCache.devicePixelRatioF() != dpr) {
        m_plotCache = QImage(pixels, QImage::Format_RGB32);
        m_plotCache.setDevicePixelRatio(dpr);
        QPainter cache(&m_plotCache);
        cache.setFont(font());
        paintPlotLocked(cache, g);
    }

    QPainter painter(this);
    const QRect r = rect();
    painter.drawImage(r.topLeft(), m_plotCache);

    if (g.valid() && m_total > 0 && m_interval > 0 && m_currentIndex >= 0) {
        const int x = plotXLocked(g, m_playingTime);
        painter.setPen(QPen(PositionColor, 1));
        painter.drawLine(x, g.rows[0], x, g.rows[4]);
    }

    // Legend on the bottom line, in the widget's own font.
    painter.setFont(font());
    const QFontMetrics metrics = fontMetrics();
    const int baseline = r.top() + r.height() - metrics.descent();
    int x = r.left() + 15;
    for (int axis = 0; axis < 3; ++axis) {
        const QString text = legendTextLocked(axis);
        painter.setPen(AxisColors[axis]);
        painter.drawText(QPoint(x, baseline), text);
        x += std::max(100, metrics.horizontalAdvance(text) + 15);
    }
}

void GSensorMeterWidget::resizeEvent(QResizeEvent *event)
{
    {
        QMutexLocker lock(&m_mutex);
        m_plotCache = QImage();
    }
    QWidget::resizeEvent(event);
}

void GSensorMeterWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        QMutexLocker lock(&m_mutex);
        m_plotCache = QImage();
    }
    QWidget::changeEvent(event);
}

void GSensorMeterWidget::mousePressEvent(QMouseEvent *event)
{
    double seconds = -1;
    {
        QMutexLocker lock(&m_mutex);
        if (event->button() == Qt::LeftButton && m_total > 0 && m_interval > 0) {
            const Geometry g = geometryLocked();
            const QPoint pos = event->pos();
            if (g.valid() && pos.x() >= g.left && pos.x() <= g.left + g.width
                && pos.y() >= g.plotTop && pos.y() <= g.plotBottom) {
                const double step = double(g.width) / m_total;
                seconds = std::clamp(
                        (pos.x() - g.left) / step * m_interval, 0.0, m_total * m_interval);
            }
        }
    }
    if (seconds < 0) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    emit seekRequested(seconds);
}
