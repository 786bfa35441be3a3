#include "recordingname.h"

#include "playlistlog.h"
#include "recordingkind.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QStringList>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isAsciiLetterOrDigit(QChar c)
{
    return isAsciiDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// Whether the first count characters of text exist and are all ASCII digits.
bool startsWithDigits(const QString &text, int count)
{
    if (text.size() < count)
        return false;
    for (int i = 0; i < count; ++i) {
        if (!isAsciiDigit(text.at(i)))
            return false;
    }
    return true;
}

// Kind letters are case-sensitive: a lower-case letter decides nothing.
int kindOfLetter(QChar c)
{
    switch (c.unicode()) {
    case 'D':
        return RecordingKind::Driving;
    case 'E':
        return RecordingKind::Event;
    case 'M':
    case 'P':
        return RecordingKind::Parking;
    default:
        return RecordingKind::Unknown;
    }
}

void clearOutputs(QString *date, QString *time, QString *type)
{
    if (date)
        date->clear();
    if (time)
        time->clear();
    if (type)
        type->clear();
}

} // namespace

int RecordingName::parse(const QFileInfo &info, QString *date, QString *time, QString *type)
{
    clearOutputs(date, time, type);

    // Everything after the first dot is the suffix, so "a.b.mp4" has the suffix "b.mp4".
    const QString fileName = info.fileName();
    const int dot = fileName.indexOf(QLatin1Char('.'));
    const QString baseName = dot < 0 ? fileName : fileName.left(dot);
    const QString suffix = dot < 0 ? QString() : fileName.mid(dot + 1).toLower();
    if (suffix != QLatin1String("mp4") && suffix != QLatin1String("avi")) {
        qCDebug(lcPlayList).noquote() << QStringLiteral("not supported ext: ") + suffix;
        return RecordingKind::NotRecording;
    }

    const QStringList pieces = baseName.split(QLatin1Char('_'), Qt::KeepEmptyParts);
    if (pieces.size() < 2)
        return RecordingKind::NotRecording;

    // Piece 1: exactly eight digits, YYYYMMDD.
    const QString &datePiece = pieces.at(0);
    if (datePiece.size() != 8 || !startsWithDigits(datePiece, 8)) {
        qCDebug(lcPlayList).noquote() << QStringLiteral("wrong 1st part");
        return RecordingKind::NotRecording;
    }

    // Piece 2: six digits HHMMSS and a kind character; more characters may follow.
    const QString &timePiece = pieces.at(1);
    if (timePiece.size() < 7 || !startsWithDigits(timePiece, 6)
        || !isAsciiLetterOrDigit(timePiece.at(6))) {
        qCDebug(lcPlayList).noquote() << QStringLiteral("wrong 2nd part");
        return RecordingKind::NotRecording;
    }

    // The eighth character, when it names a kind, wins over the seventh ("NE" is an event).
    const QChar seventh = timePiece.at(6);
    int kind = RecordingKind::Unknown;
    if (timePiece.size() > 7)
        kind = kindOfLetter(timePiece.at(7));
    if (kind == RecordingKind::Unknown)
        kind = kindOfLetter(seventh);

    if (date) {
        *date = datePiece.left(4) + QLatin1Char('-') + datePiece.mid(4, 2) + QLatin1Char('-')
                + datePiece.mid(6, 2);
    }
    if (time) {
        *time = timePiece.left(2) + QLatin1Char(':') + timePiece.mid(2, 2) + QLatin1Char(':')
                + timePiece.mid(4, 2);
    }
    if (type)
        *type = typeText(kind, seventh);
    return kind;
}

QString RecordingName::typeText(int kind, QChar kindLetter)
{
    switch (kind) {
    case RecordingKind::Driving:
        return QCoreApplication::translate("PlayListWidget", "Driving");
    case RecordingKind::Event:
        return QCoreApplication::translate("PlayListWidget", "Event");
    case RecordingKind::Parking:
        return QCoreApplication::translate("PlayListWidget", "Parking");
    case RecordingKind::Unknown:
        return QCoreApplication::translate("PlayListWidget", "Unknown-") + kindLetter;
    default:
        return QString();
    }
}

int parseRecordingName(const QFileInfo &info, QString *date, QString *time, QString *type)
{
    return RecordingName::parse(info, date, time, type);
}
