#pragma once

#include <QColor>
#include <QSlider>
#include <QVector>

class SmoothSliderStyle;

// A horizontal slider whose handle jumps to wherever the groove is clicked (its
// SmoothSliderStyle sets the value absolutely for every mouse button). It can also draw marks:
// short ticks above and below the groove at given slider values, which the handle covers when
// it passes over them; the groove and handle stay as the style sheet draws them. And a clip's
// span: a bracket at its in and at its out mark, over the handle, and a band under the groove
// between them.
//
// Threads: GUI thread only.
class SmoothSlider : public QSlider
{
    Q_OBJECT

public:
    explicit SmoothSlider(QWidget *parent = nullptr);

    SmoothSliderStyle *smoothStyle() const { return m_style; }

    // Slider values at which ticks are drawn; values outside the range are not drawn.
    void setMarks(const QVector<int> &values);
    QVector<int> marks() const { return m_marks; }
    void clearMarks() { setMarks({}); }
    // Horizontal centre of the tick of a value, in widget coordinates (-1 outside the range).
    int markPosition(int value) const;

    static QColor markColor() { return QColor(0xff, 0xa0, 0x1e); }

    // Slider values of a clip's in and out marks; -1 for a mark not set.
    void setSpan(int in, int out);
    int spanIn() const { return m_spanIn; }
    int spanOut() const { return m_spanOut; }
    static QColor spanColor() { return QColor(0x3c, 0xdc, 0x5a); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void sliderChange(SliderChange change) override;

private:
    QRect grooveRect() const;
    QRect handleRect(int value) const;
    void paintTicks();
    void paintSpan();
    // The distinct tick positions of the marks, worked out once per marks, range and size:
    // a paint then costs one tick per pixel column at most, however many marks there are.
    const QVector<int> &tickPositions() const;

    SmoothSliderStyle *m_style;
    QVector<int> m_marks;
    mutable QVector<int> m_ticks;
    mutable bool m_ticksValid = false;
    int m_spanIn = -1;
    int m_spanOut = -1;
};
