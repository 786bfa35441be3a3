#include "recordingstart.h"

#include "avptr.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>

qint64 RecordingStart::fromName(const QString &fileName)
{
    static const QRegularExpression stamp(
            QStringLiteral("(?<!\\d)((?:19|20)\\d\\d)[_-]?(\\d\\d)[_-]?(\\d\\d)[_-](\\d\\d)[_-]?("
                           "\\d\\d)[_-]?(\\d\\d)(?!\\d)"));
    const QRegularExpressionMatch m = stamp.match(QFileInfo(fileName).fileName());
    if (!m.hasMatch())
        return -1;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        return -1;
    return QDateTime(date, time, Qt::LocalTime).toMSecsSinceEpoch();
}

qint64 RecordingStart::fromContainer(const AVFormatContext *format)
{
    if (!format || !format->metadata)
        return -1;
    const AVDictionaryEntry *tag = av_dict_get(format->metadata, "creation_time", nullptr, 0);
    if (!tag || !tag->value)
        return -1;
    QDateTime time = QDateTime::fromString(QString::fromUtf8(tag->value), Qt::ISODateWithMs);
    if (!time.isValid())
        return -1;
    if (time.timeSpec() == Qt::LocalTime)
        time.setTimeSpec(Qt::UTC);
    return time.toMSecsSinceEpoch();
}

qint64 RecordingStart::utcMs(const QString &path, const AVFormatContext *format)
{
    const qint64 named = fromName(path);
    return named >= 0 ? named : fromContainer(format);
}
