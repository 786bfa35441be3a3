#pragma once

#include "playlistentry.h"

#include <QDateTime>
#include <QFileInfoList>
#include <QStringList>
#include <QVector>

#include <array>

class RemovableDriveQuery;

// The folder scan of the recordings list: turns the files and folders the user opened into
// the list of recordings and the four tables of the play list (All, Driving, Event, Parking).
//
// A folder is scanned one level deep: its files, and the files of its immediate sub-folders
// (a sub-folder named "DUAL" is skipped). When the folder is the root of a camera memory card
// (a removable drive root with sub-folders "DRIVING" and "PARKING"), the sub-folder a file
// lies in picks its table; everywhere else the file name does. Only names are looked at; no
// file is opened.
//
// Every table is kept sorted by the date-time of its rows (date and time text read as
// "yyyy-MM-dd HH:mm:ss"); rows with equal date-times keep the order in which they were found,
// and rows whose texts are no valid date-time (20191340_..., 25:61:00) come after all valid
// ones, among themselves in the order found.
//
// Not thread-safe: one thread (the GUI thread in the play list, the main thread of the command
// line tool) creates, scans and reads a scanner. The drive query must outlive it.
class FolderScanner
{
public:
    // Index of table(): the play list's filters.
    enum Filter { All = 0, Driving = 1, Event = 2, Parking = 3 };
    static constexpr int FilterCount = 4;

    explicit FolderScanner(const RemovableDriveQuery &drives);

    // Empties the list and the tables, then scans paths in the given order: a file is listed
    // when its name follows the grammar, a folder as described above; a path that is neither
    // (missing, a device) adds nothing. Returns the number of entries found.
    int scan(const QStringList &paths);
    void clear();

    // Every listed file once, in the order of the scan, with absolute paths.
    const QVector<PlayListEntry> &entries() const { return m_entries; }
    // The rows of one table in date-time order; a filter outside 0..3 gives an empty table.
    const QVector<PlayListEntry> &table(int filter) const;

    // Whether folderPath (absolute, cleaned) is a memory-card root. Logs what it finds.
    bool isMemoryCardRoot(const QString &folderPath) const;

    // FolderKind of a memory-card sub-folder by its exact, case-sensitive name.
    static int folderKindOf(const QString &folderName);

    // The date-time a row is sorted by; invalid when the texts are no valid date-time. Read
    // as UTC so that no daylight-saving gap of the local zone makes a camera time invalid.
    static QDateTime rowDateTime(const PlayListEntry &row);
    // Inserts row before the first row whose date-time is later (invalid counts as later
    // than every valid date-time and equal to another invalid one). rows must have been
    // built by this function. Returns the index of the new row.
    static int insertSorted(QVector<PlayListEntry> &rows, const PlayListEntry &row);

private:
    void scanFolder(const QString &folderPath);
    void scanSubFolder(const QFileInfo &folder, bool onMemoryCard);
    // Parses info's name and, for a recording, adds it. inCardFolder: the file lies in a
    // sub-folder of a memory-card root whose kind is folderKind, which then picks the table.
    void addFile(const QFileInfo &info, bool inCardFolder, int folderKind);
    // Immediate entries of a folder (hidden ones, "." and ".." left out) in name order,
    // ignoring case; names equal but for case in code point order.
    static QFileInfoList listFolder(const QString &folderPath, bool withFolders);

    const RemovableDriveQuery &m_drives;
    QVector<PlayListEntry> m_entries;
    std::array<QVector<PlayListEntry>, FilterCount> m_tables;
};
