#include "elasticlabel.h"

#include "media/globalsettings.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QTextDocument>

ElasticLabel::ElasticLabel(QWidget *parent)
    : QLabel(parent)
{ }

ElasticLabel::ElasticLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{ }

QRect ElasticLabel::textRect() const
{
    // The same area QLabel draws into: the contents rectangle less the label's margin.
    const int m = margin();
    return contentsRect().adjusted(m, m, -m, -m);
}

bool ElasticLabel::fits(qreal pointSize, int width) const
{
    QFont f = font();
    f.setPointSizeF(pointSize);
    // The widest line counts; the text may hold line breaks.
    const QRectF bounds = QFontMetricsF(f).boundingRect(QRectF(), Qt::AlignLeft, text());
    return bounds.width() <= width;
}

qreal ElasticLabel::fittedPointSize() const
{
    const qreal normal = font().pointSizeF();
    // A font set in pixels has no point size to shrink; it is drawn as it is.
    if (normal <= 0 || text().isEmpty())
        return normal;
    const int width = textRect().width();
    if (width <= 0 || fits(normal, width))
        return normal;
    for (qreal size = normal - PointSizeStep; size >= MinimumPointSize; size -= PointSizeStep) {
        if (fits(size, width))
            return size;
    }
    return normal;
}

void ElasticLabel::paintEvent(QPaintEvent *event)
{
    const bool richText = textFormat() == Qt::RichText
            || (textFormat() == Qt::AutoText && Qt::mightBeRichText(text()));
    if (text().isEmpty() || richText) {
        QLabel::paintEvent(event);
    } else {
        QPainter painter(this);
        drawFrame(&painter);
        QFont f = font();
        const qreal size = fittedPointSize();
        if (size > 0)
            f.setPointSizeF(size);
        painter.setFont(f);
        const int align = QStyle::visualAlignment(layoutDirection(), alignment());
        style()->drawItemText(
                &painter, textRect(), align, palette(), isEnabled(), text(), foregroundRole());
    }

    if (GlobalSettings::screenChanging()) {
        QEvent fontChange(QEvent::FontChange);
        QCoreApplication::sendEvent(this, &fontChange);
    }
}
