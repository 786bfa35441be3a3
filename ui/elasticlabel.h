#pragma once

#include <QLabel>

// A label that fits its text to its width: it paints at the widget's font size when the text
// fits, else at the largest size, in half-point steps down to 1 point, at which it fits (the
// normal size when none does). It never grows the text. While the process-wide
// screenChanging flag is set (the main window is moving to another screen), each paint is
// followed by a font-change event to itself, so the label refits to the new screen.
//
// Threads: GUI thread only.
class ElasticLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElasticLabel(QWidget *parent = nullptr);
    explicit ElasticLabel(const QString &text, QWidget *parent = nullptr);

    // The point size paintEvent() draws the current text at.
    qreal fittedPointSize() const;
    bool isShrinkOnly() const { return m_shrinkOnly; }

    // Smallest size and step of the search.
    static constexpr qreal MinimumPointSize = 1.0;
    static constexpr qreal PointSizeStep = 0.5;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textRect() const;
    bool fits(qreal pointSize, int width) const;

    bool m_shrinkOnly = true;
};
