#include "folderscanner.h"

#include "playlistlog.h"
#include "recordingname.h"
#include "removabledrivequery.h"

#include <QDebug>
#include <QDir>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

const QString drivingFolder = QStringLiteral("DRIVING");
const QString eventFolder = QStringLiteral("EVENT");
const QString parkingFolder = QStringLiteral("PARKING");
// The camera's second copy of every recording; listing it would show each one twice.
const QString dualFolder = QStringLiteral("DUAL");

QString absoluteCleanPath(const QFileInfo &info)
{
    return QDir::cleanPath(info.absoluteFilePath());
}

// Digits of text from position at, as a number; -1 when one of them is no digit.
int digitsAt(const QString &text, int at, int count)
{
    if (at + count > text.size())
        return -1;
    int value = 0;
    for (int i = at; i < at + count; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

// Sort key of a row: milliseconds of its date-time (as rowDateTime reads it, without the
// format parser, which asks the C library for the time zone on every call), invalid ones
// after every valid one.
qint64 sortKey(const PlayListEntry &row)
{
    constexpr qint64 invalid = std::numeric_limits<qint64>::max();
    const QString &d = row.date;
    const QString &t = row.time;
    if (d.size() != 10 || d.at(4) != QLatin1Char('-') || d.at(7) != QLatin1Char('-')
        || t.size() != 8 || t.at(2) != QLatin1Char(':') || t.at(5) != QLatin1Char(':'))
        return invalid;
    const QDate date(digitsAt(d, 0, 4), digitsAt(d, 5, 2), digitsAt(d, 8, 2));
    const int h = digitsAt(t, 0, 2);
    const int m = digitsAt(t, 3, 2);
    const int s = digitsAt(t, 6, 2);
    if (!date.isValid() || h < 0 || m < 0 || s < 0 || !QTime::isValid(h, m, s))
        return invalid;
    return QDateTime(date, QTime(h, m, s), Qt::UTC).toMSecsSinceEpoch();
}

} // namespace

FolderScanner::FolderScanner(const RemovableDriveQuery &drives)
    : m_drives(drives)
{ }

int FolderScanner::scan(const QStringList &paths)
{
    clear();
    for (const QString &path : paths) {
        if (path.isEmpty())
            continue;
        const QFileInfo info(path);
        if (info.isDir())
            scanFolder(absoluteCleanPath(info));
        else if (info.isFile())
            addFile(info, false, FolderKind::Other);
    }
    // The tables were filled in the order found; one stable sort per table orders them,
    // each key computed once.
    for (QVector<PlayListEntry> &rows : m_tables) {
        std::vector<std::pair<qint64, int>> keys;
        keys.reserve(static_cast<size_t>(rows.size()));
        for (int i = 0; i < rows.size(); ++i)
            keys.emplace_back(sortKey(rows.at(i)), i);
        std::stable_sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) {
            return a.first < b.first;
        });
        QVector<PlayListEntry> sorted;
        sorted.reserve(rows.size());
        for (const auto &key : keys)
            sorted.append(std::move(rows[key.second]));
        rows.swap(sorted);
    }
    return m_entries.size();
}

void FolderScanner::clear()
{
    m_entries.clear();
    for (QVector<PlayListEntry> &rows : m_tables)
        rows.clear();
}

const QVector<PlayListEntry> &FolderScanner::table(int filter) const
{
    static const QVector<PlayListEntry> noRows;
    if (filter < 0 || filter >= FilterCount)
        return noRows;
    return m_tables[static_cast<size_t>(filter)];
}

bool FolderScanner::isMemoryCardRoot(const QString &folderPath) const
{
    if (!m_drives.isRemovableRoot(folderPath))
        return false;
    qCDebug(lcPlayList).noquote() << folderPath + QStringLiteral(" is removable drive");

    // Only real, visible sub-folders count: a file named DRIVING does not.
    const QStringList folders = QDir(folderPath).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (!folders.contains(drivingFolder) || !folders.contains(parkingFolder))
        return false;
    qCDebug(lcPlayList).noquote() << folderPath + QStringLiteral(" is sdcard");
    return true;
}

int FolderScanner::folderKindOf(const QString &folderName)
{
    if (folderName == drivingFolder)
        return FolderKind::Driving;
    if (folderName == eventFolder)
        return FolderKind::Event;
    if (folderName == parkingFolder)
        return FolderKind::Parking;
    return FolderKind::Other;
}

QDateTime FolderScanner::rowDateTime(const PlayListEntry &row)
{
    const QDate date = QDate::fromString(row.date, QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(row.time, QStringLiteral("HH:mm:ss"));
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time, Qt::UTC);
}

int FolderScanner::insertSorted(QVector<PlayListEntry> &rows, const PlayListEntry &row)
{
    // The rows are sorted, so the first row that is later is found by bisection; upper_bound
    // passes over equal keys, which keeps equal rows in the order of insertion.
    const qint64 key = sortKey(row);
    const auto position
            = std::upper_bound(rows.begin(), rows.end(), key, [](qint64 k, const PlayListEntry &r) {
                  return k < sortKey(r);
              });
    const int index = static_cast<int>(position - rows.begin());
    rows.insert(index, row);
    return index;
}

void FolderScanner::scanFolder(const QString &folderPath)
{
    const bool onMemoryCard = isMemoryCardRoot(folderPath);
    const QFileInfoList items = listFolder(folderPath, true);
    for (const QFileInfo &item : items) {
        if (item.isDir())
            scanSubFolder(item, onMemoryCard);
        else
            addFile(item, false, FolderKind::Other);
    }
}

void FolderScanner::scanSubFolder(const QFileInfo &folder, bool onMemoryCard)
{
    const QString name = folder.fileName();
    if (name == dualFolder)
        return;
    const int folderKind = onMemoryCard ? folderKindOf(name) : FolderKind::Other;
    qCDebug(lcPlayList).noquote() << QStringLiteral("dir: ") + name
                    + QStringLiteral(" => folder kind: ") + QString::number(folderKind);

    // One level only: folders inside are not visited.
    const QFileInfoList files = listFolder(absoluteCleanPath(folder), false);
    for (const QFileInfo &file : files)
        addFile(file, onMemoryCard, folderKind);
}

void FolderScanner::addFile(const QFileInfo &info, bool inCardFolder, int folderKind)
{
    PlayListEntry entry;
    entry.kind = parseRecordingName(info, &entry.date, &entry.time, &entry.type);
    if (entry.kind < RecordingKind::Unknown)
        return;
    entry.path = absoluteCleanPath(info);

    const int tableKind = inCardFolder ? folderKind : entry.kind;
    m_tables[All].append(entry);
    if (tableKind >= Driving && tableKind <= Parking)
        m_tables[static_cast<size_t>(tableKind)].append(entry);
    // On a card an event saved outside EVENT is still an event.
    if (inCardFolder && entry.kind == RecordingKind::Event && tableKind != Event)
        m_tables[Event].append(entry);
    m_entries.append(entry);
}

QFileInfoList FolderScanner::listFolder(const QString &folderPath, bool withFolders)
{
    QDir::Filters filters = QDir::Files | QDir::NoDotAndDotDot;
    if (withFolders)
        filters |= QDir::Dirs;
    // An unreadable folder lists nothing, which is all the scan needs to know.
    QFileInfoList items = QDir(folderPath).entryInfoList(filters, QDir::NoSort);
    std::sort(items.begin(), items.end(), [](const QFileInfo &a, const QFileInfo &b) {
        const QString nameA = a.fileName();
        const QString nameB = b.fileName();
        const int order = nameA.compare(nameB, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : nameA < nameB;
    });
    return items;
}
