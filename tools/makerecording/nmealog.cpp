#include "nmealog.h"

#include <QFile>

namespace {

// Real logs are small; anything this large is not an NMEA log.
constexpr qint64 MaxLogSize = 64 * 1024 * 1024;

} // namespace

bool NmeaLog::isRmcSentence(const QByteArray &line)
{
    // "$GPRMC," is the shortest form: "$", two talker characters, "RMC", ",".
    if (line.size() < 7 || line.at(0) != '$' || line.at(6) != ',')
        return false;
    return line.mid(3, 3) == "RMC";
}

bool NmeaLog::isUsableFix(const QByteArray &sentence)
{
    const int star = sentence.indexOf('*');
    const QList<QByteArray> fields = (star >= 0 ? sentence.left(star) : sentence).split(',');
    return fields.size() > 12 && fields[2] == "A";
}

bool NmeaLog::readRmcSentences(const QString &path, QList<QByteArray> *sentences, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > MaxLogSize) {
        *error = QStringLiteral("%1: too large for an NMEA log").arg(path);
        return false;
    }
    const QByteArray content = file.readAll();
    QList<QByteArray> result;
    for (QByteArray line : content.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith('#'))
            continue;
        // A sentence never holds a line break; a stray CR inside would end the record early.
        if (line.contains('\r'))
            continue;
        if (isRmcSentence(line))
            result.append(line);
    }
    if (result.isEmpty()) {
        *error = QStringLiteral("%1: no RMC sentence found").arg(path);
        return false;
    }
    *sentences = result;
    return true;
}
