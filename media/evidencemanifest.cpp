#include "evidencemanifest.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kHexDigits = 64;
constexpr qint64 kReadPiece = 1024 * 1024;

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

} // namespace

QByteArray EvidenceManifest::fileSha256(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return QByteArray();
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    while (!file.atEnd()) {
        const QByteArray piece = file.read(kReadPiece);
        if (piece.isEmpty()) {
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
            return QByteArray();
        }
        hash.addData(piece);
    }
    return hash.result().toHex();
}

QByteArray EvidenceManifest::sumsText(const QVector<Entry> &entries)
{
    QByteArray text;
    for (const Entry &entry : entries)
        text += entry.sha256 + "  " + entry.name.toUtf8() + '\n';
    return text;
}

bool EvidenceManifest::isPlainName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20
            || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

bool EvidenceManifest::parseSums(const QByteArray &text, QVector<Entry> *entries, QString *error)
{
    entries->clear();
    if (text.size() > MaxSumsBytes) {
        *error = QStringLiteral("the list is larger than %1 bytes").arg(MaxSumsBytes);
        return false;
    }
    const QList<QByteArray> lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines.at(i);
        if (line.isEmpty() && i == lines.size() - 1)
            break; // after the last line end
        const auto fail = [&](const char *why) {
            *error = QStringLiteral("line %1: %2").arg(i + 1).arg(QLatin1String(why));
            entries->clear();
            return false;
        };
        if (line.size() < kHexDigits + 3)
            return fail("too short");
        for (int k = 0; k < kHexDigits; ++k) {
            if (!isHexDigit(line.at(k)))
                return fail("no SHA-256 in hex");
        }
        if (line.at(kHexDigits) != ' '
            || (line.at(kHexDigits + 1) != ' ' && line.at(kHexDigits + 1) != '*'))
            return fail("no blank after the checksum");
        const QString name = QString::fromUtf8(line.mid(kHexDigits + 2));
        if (!isPlainName(name))
            return fail("not a file name inside the folder");
        for (const Entry &entry : qAsConst(*entries)) {
            if (entry.name == name)
                return fail("a name listed twice");
        }
        entries->append({name, line.left(kHexDigits).toLower()});
    }
    if (entries->isEmpty()) {
        *error = QStringLiteral("no file listed");
        return false;
    }
    return true;
}

bool EvidenceManifest::verify(const QString &folder, QVector<Check> *checks, QString *error)
{
    checks->clear();
    const QDir dir(folder);
    QFile sums(dir.filePath(QLatin1String(SumsName)));
    if (!sums.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(sums.fileName(), sums.errorString());
        return false;
    }
    const QByteArray text = sums.read(MaxSumsBytes + 1);
    QVector<Entry> entries;
    QString parseError;
    if (!parseSums(text, &entries, &parseError)) {
        *error = QStringLiteral("%1: %2").arg(sums.fileName(), parseError);
        return false;
    }
    QStringList listed;
    for (const Entry &entry : qAsConst(entries)) {
        listed << entry.name;
        const QString path = dir.filePath(entry.name);
        Check check;
        check.name = entry.name;
        if (!QFileInfo(path).isFile()) {
            check.state = State::Missing;
        } else {
            QString readError;
            check.state = fileSha256(path, &readError) == entry.sha256 ? State::Ok : State::Changed;
        }
        checks->append(check);
    }
    const QStringList present = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : present) {
        if (name != QLatin1String(SumsName) && !listed.contains(name))
            checks->append({name, State::Unlisted});
    }
    return true;
}

QString EvidenceManifest::stateText(State state)
{
    switch (state) {
    case State::Ok:
        return QStringLiteral("ok");
    case State::Changed:
        return QStringLiteral("changed");
    case State::Missing:
        return QStringLiteral("missing");
    case State::Unlisted:
        return QStringLiteral("unlisted");
    }
    return QString();
}
