#pragma once

#include "media/gsensorsample.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QMutex>
#include <QVector>
#include <QWidget>

class MediaContext;
class MediaInfo;
class TelemetryTrack;

// The G-sensor meter of the side column: the whole G-sensor record of the playing recording
// as three curves (X red, Y yellow, Z green, in g) on a fixed grid whose vertical scale grows
// to fit the largest value, a line at the playing position, small marks at the detected events
// (GSensorEventDetector), and the values of the sample at the playing time under the plot.
// A left click on the plot asks to seek there.
//
// Painting costs pixels, not samples: the background, grid, labels, curves and event marks are
// drawn once into a cached picture, rebuilt only when the record, the range, the size or the
// font changes; each paint copies it and draws the playing position and the legend over it.
// A record with more samples than the plot has columns is drawn as one vertical stroke per
// column from the smallest to the largest value in it (joined to the previous column), as
// waveform editors draw audio.
//
// Threads: GUI thread only (slots, painting, mouse). Every operation still holds m_mutex, which
// guards all the data fields below; seekRequested is emitted with it released.
class GSensorMeterWidget : public QWidget
{
    Q_OBJECT

public:
    // track: the main window's own copy of the playing recording's telemetry; it outlives the
    // widget and is refilled before the media info changes to Playing.
    explicit GSensorMeterWidget(const TelemetryTrack *track, QWidget *parent = nullptr);

    // 0 with the values of the current sample when there are samples and a current index,
    // else -1 (the printed report).
    int getCurrentValues(double &x, double &y, double &z) const;
    // The plot spans -yAxisRange() .. +yAxisRange() g.
    int yAxisRange() const;
    // Sample shown in the legend; -1 when none.
    int currentIndex() const;
    // Seconds per sample; 0 means no data.
    double dataInterval() const;
    // Seconds of the detected events, ascending.
    QVector<double> eventMarks() const;
    // The legend text of an axis (0 X, 1 Y, 2 Z): "X:    " and the value with six decimals,
    // or "-" when there are no samples.
    QString legendText(int axis) const;

    static const QColor BackgroundColor;
    static const QColor GridColor;
    static const QColor LabelColor;
    static const QColor PositionColor;
    static const QColor EventColor;
    static const QColor AxisColors[3];

public slots:
    // Connected to the media info's mediaInfoStateChanged. playing_context is only an identity
    // token: it may already be deleted and is never dereferenced.
    void onMediaInfoStateChanged(MediaInfo *media_info,
                                 MediaContext *playing_context,
                                 int old_state,
                                 int new_state);
    // Follows the playing time (pushed by the main window while playing or paused).
    void showPlayingTime(double seconds);
    // Empties the meter: no samples, axis back to -2 .. 2, no current sample.
    void reset();
    // Appends samples (after reset(): the whole record) and widens the axis to fit them.
    void setSamples(const QVector<GSensorSample> &samples);

signals:
    // A left click on the plot: the playing time under the click.
    void seekRequested(double seconds);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    // Where everything goes for the current size, font and range.
    struct Geometry
    {
        int fontHeight = 0;
        int plotTop = 0; // the plot area P
        int plotBottom = 0;
        int rowHeight = 0;
        int rows[5] = {}; // y of the lines for range, range / 2, 0, -range / 2, -range
        int labelWidth = 0; // widest scale label
        QFont labelFont;
        int left = 0; // plot left edge
        int width = 0; // plot width, a multiple of ten
        bool valid() const { return rowHeight > 0 && width > 0; }
    };

    Geometry geometryLocked() const;
    QStringList scaleLabelsLocked() const;
    void resetLocked();
    void setSamplesLocked(const QVector<GSensorSample> &samples);
    QString legendTextLocked(int axis) const;
    int plotXLocked(const Geometry &g, double seconds) const;
    // Draws what does not move with the playing time: background, labels, grid, curves, marks.
    void paintPlotLocked(QPainter &painter, const Geometry &g) const;
    void paintCurvesLocked(QPainter &painter, const Geometry &g) const;

    const TelemetryTrack *m_track; // not owned
    mutable QMutex m_mutex;
    // --- guarded by m_mutex ---
    QVector<double> m_values[3]; // X, Y, Z per sample, in record order
    int m_total = 0;
    double m_interval = 0; // seconds per sample; 0 means no data
    double m_minimum = 0;
    double m_maximum = 0;
    int m_range = 2; // always even; the axis spans -m_range .. m_range
    int m_currentIndex = -1;
    double m_current[3] = {0, 0, 0};
    double m_playingTime = 0;
    QVector<double> m_eventMarks;
    // paintPlotLocked's picture at the widget's size in device pixels; null when out of date.
    QImage m_plotCache;
};
