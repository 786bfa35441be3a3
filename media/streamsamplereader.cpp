#include "streamsamplereader.h"

#include "avptr.h"
#include "enginelog.h"

#include <QDebug>
#include <QFile>

#include <vector>

int StreamSampleReader::forEach(
        const QString &path,
        AVStream *stream,
        double streamEnd,
        const std::function<void(const QByteArray &, double, double)> &sample)
{
    const int entries = avformat_index_get_entries_count(stream);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcEngine).noquote()
                << "StreamSampleReader cannot open" << path << ":" << file.errorString();
        return -1;
    }
    if (entries <= 0)
        return 0;
    const double timeBase = av_q2d(stream->time_base);
    const int64_t origin = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    std::vector<double> times(size_t(entries), 0.0);
    for (int i = 0; i < entries; ++i) {
        const AVIndexEntry *entry = avformat_index_get_entry(stream, i);
        times[size_t(i)] = entry ? double(entry->timestamp - origin) * timeBase : 0.0;
    }
    const qint64 fileSize = file.size();
    qint64 total = 0;
    int count = 0;
    QByteArray bytes;
    for (int i = 0; i < entries; ++i) {
        const AVIndexEntry *entry = avformat_index_get_entry(stream, i);
        if (!entry || entry->size <= 0)
            continue;
        const qint64 position = entry->pos;
        const qint64 size = entry->size;
        if (position < 0 || position > fileSize || size > fileSize - position
            || size > MaxSampleSize)
            continue;
        if (total + size > MaxTotalBytes) {
            qCDebug(lcEngine).noquote() << "StreamSampleReader: stopped after" << total << "bytes";
            break;
        }
        if (!file.seek(position))
            continue;
        bytes.resize(int(size));
        if (file.read(bytes.data(), size) != size)
            continue;
        total += size;
        const double time = times[size_t(i)];
        double duration = 0;
        if (i + 1 < entries)
            duration = times[size_t(i + 1)] - time;
        else if (streamEnd > time)
            duration = streamEnd - time;
        else if (i > 0)
            duration = time - times[size_t(i - 1)];
        sample(bytes, time, duration > 0 ? duration : 0.0);
        ++count;
    }
    return count;
}
