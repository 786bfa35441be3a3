#include "triptimeline.h"

#include <QFile>
#include <QList>

#include <algorithm>

namespace {

constexpr char Header[] = "ffconcat version 1.0";

bool hasLineBreak(const QString &path)
{
    return path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r'));
}

// 'text' with every ' written as '\'' (close the quote, an escaped quote, open again), which is
// how the demuxer's tokenizer reads a quoted name.
QByteArray quoted(const QString &text)
{
    QByteArray out("'");
    for (const char c : text.toUtf8()) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    out += '\'';
    return out;
}

// Reads a token written by quoted() (or a bare one without blanks) from the whole of text.
bool unquoted(const QByteArray &text, QString *out)
{
    QByteArray value;
    bool inQuote = false;
    for (int i = 0; i < text.size(); ++i) {
        char c = text.at(i);
        if (inQuote && c == '\'') {
            inQuote = false;
            continue;
        }
        if (!inQuote) {
            if (c == '\'') {
                inQuote = true;
                continue;
            }
            if (c == ' ' || c == '\t')
                return false;
            if (c == '\\') {
                if (++i >= text.size())
                    return false;
                c = text.at(i);
            }
        }
        if (c == '\r' || c == '\0')
            return false; // a line break cannot travel in the list, nor a NUL in a path
        value += c;
    }
    if (inQuote || value.isEmpty())
        return false;
    *out = QString::fromUtf8(value);
    return true;
}

// "S.ffffff" (or "S", or fewer decimals) in microseconds; false for anything else.
bool parseSeconds(const QByteArray &text, int64_t *us)
{
    const int dot = text.indexOf('.');
    const QByteArray whole = dot < 0 ? text : text.left(dot);
    const QByteArray fraction = dot < 0 ? QByteArray() : text.mid(dot + 1);
    if (whole.isEmpty() || whole.size() > 12 || fraction.size() > 6
        || (dot >= 0 && fraction.isEmpty()))
        return false;
    int64_t value = 0;
    for (const char c : whole) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    int64_t micro = 0;
    for (int i = 0; i < 6; ++i) {
        const char c = i < fraction.size() ? fraction.at(i) : '0';
        if (c < '0' || c > '9')
            return false;
        micro = micro * 10 + (c - '0');
    }
    *us = value * 1000000 + micro;
    return true;
}

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

TripTimeline::TripTimeline(const QVector<File> &files)
{
    m_offsets.append(0);
    for (const File &file : files) {
        if (file.durationUs <= 0 || file.path.isEmpty() || hasLineBreak(file.path))
            continue;
        m_files.append(file);
        m_offsets.append(m_offsets.last() + file.durationUs);
    }
    if (m_files.isEmpty())
        m_offsets.clear();
}

int64_t TripTimeline::offsetUs(int index) const
{
    if (m_offsets.isEmpty())
        return 0;
    return m_offsets.at(std::clamp(index, 0, m_files.size()));
}

int TripTimeline::fileAt(int64_t tripUs, int64_t *fileUs) const
{
    if (m_files.isEmpty()) {
        if (fileUs)
            *fileUs = 0;
        return -1;
    }
    // The last offset not after tripUs; the end of the trip belongs to the last file.
    const auto after = std::upper_bound(m_offsets.begin(), m_offsets.end() - 1, tripUs);
    const int index = std::clamp(int(after - m_offsets.begin()) - 1, 0, m_files.size() - 1);
    if (fileUs)
        *fileUs = std::clamp<int64_t>(
                tripUs - m_offsets.at(index), 0, m_files.at(index).durationUs);
    return index;
}

int64_t TripTimeline::tripTime(int index, int64_t fileUs) const
{
    if (index < 0 || index >= m_files.size())
        return -1;
    return m_offsets.at(index) + std::clamp<int64_t>(fileUs, 0, m_files.at(index).durationUs);
}

int TripTimeline::indexOf(const QString &path) const
{
    for (int i = 0; i < m_files.size(); ++i) {
        if (m_files.at(i).path == path)
            return i;
    }
    return -1;
}

QByteArray TripTimeline::toConcatList() const
{
    QByteArray out(Header);
    out += '\n';
    for (const File &file : m_files) {
        out += "file " + quoted(file.path) + '\n';
        out += "duration " + QByteArray::number(qlonglong(file.durationUs / 1000000)) + '.'
                + QByteArray::number(qlonglong(file.durationUs % 1000000)).rightJustified(6, '0')
                + '\n';
    }
    return out;
}

bool TripTimeline::fromConcatList(const QByteArray &text, TripTimeline *out, QString *error)
{
    if (text.size() > MaxConcatListBytes)
        return fail(error, QStringLiteral("list larger than %1 bytes").arg(MaxConcatListBytes));
    const QList<QByteArray> lines = text.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != Header)
        return fail(error, QStringLiteral("no \"%1\" line").arg(QLatin1String(Header)));
    QVector<File> files;
    bool needDuration = false;
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const int space = line.indexOf(' ');
        const QByteArray directive = space < 0 ? line : line.left(space);
        const QByteArray argument = space < 0 ? QByteArray() : line.mid(space + 1).trimmed();
        if (directive == "file") {
            if (needDuration)
                return fail(error, QStringLiteral("line %1: a file without duration").arg(i + 1));
            File file;
            if (!unquoted(argument, &file.path))
                return fail(error, QStringLiteral("line %1: bad file name").arg(i + 1));
            files.append(file);
            needDuration = true;
        } else if (directive == "duration") {
            if (!needDuration)
                return fail(error, QStringLiteral("line %1: duration without file").arg(i + 1));
            int64_t us = 0;
            if (!parseSeconds(argument, &us) || us <= 0)
                return fail(error, QStringLiteral("line %1: bad duration").arg(i + 1));
            files.last().durationUs = us;
            needDuration = false;
        } else {
            return fail(error,
                        QStringLiteral("line %1: unknown directive \"%2\"")
                                .arg(i + 1)
                                .arg(QString::fromUtf8(directive.left(40))));
        }
    }
    if (needDuration)
        return fail(error, QStringLiteral("the last file has no duration"));
    if (files.isEmpty())
        return fail(error, QStringLiteral("no file"));
    if (out)
        *out = TripTimeline(files);
    return true;
}

bool TripTimeline::readConcatList(const QString &path, TripTimeline *out, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("cannot open it: %1").arg(file.errorString()));
    return fromConcatList(file.read(MaxConcatListBytes + 1), out, error);
}

bool TripTimeline::isConcatList(const QString &path)
{
    return path.endsWith(QLatin1Char('.') + QLatin1String(ConcatSuffix), Qt::CaseInsensitive);
}
