#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <cstdint>

// The recordings of one trip laid end to end on one time axis: file k starts where file k-1
// ends, so trip time t lies in the file whose span [offset, offset + duration) holds it. The
// engine plays a trip as one input through FFmpeg's concat demuxer, whose list
// (toConcatList) this class writes and reads back (fromConcatList), so the player, the seek
// bar and the telemetry views all see one recording of the summed length.
//
// Threads: a value; any thread. Only Qt Core (the fuzz target builds it alone).
class TripTimeline
{
public:
    struct File
    {
        QString path; // absolute
        int64_t durationUs = 0; // the file's length as its container states it, > 0
    };

    // The suffix that marks a concat list (the demuxer's own convention).
    static constexpr const char *ConcatSuffix = "ffconcat";
    // A list is read only up to this size: a trip of a day of one-minute files takes about
    // 150 kB, and a bigger file is not one this program wrote.
    static constexpr int MaxConcatListBytes = 4 * 1024 * 1024;

    TripTimeline() = default;
    // Files of zero or negative duration are left out: they cannot be placed on the axis.
    explicit TripTimeline(const QVector<File> &files);

    const QVector<File> &files() const { return m_files; }
    int count() const { return m_files.size(); }
    bool isEmpty() const { return m_files.isEmpty(); }
    // The summed length of every file; 0 when empty.
    int64_t durationUs() const { return m_offsets.isEmpty() ? 0 : m_offsets.last(); }
    // Where file index starts on the trip axis (the total length for index == count()).
    int64_t offsetUs(int index) const;
    // The file that plays at trip time tripUs (clamped to the trip; a time on a boundary
    // belongs to the file that starts there) and, in *fileUs, the time inside that file.
    // -1 when empty.
    int fileAt(int64_t tripUs, int64_t *fileUs = nullptr) const;
    // The trip time of a moment of file index; -1 for an index out of range. fileUs is
    // clamped to the file.
    int64_t tripTime(int index, int64_t fileUs) const;
    // The index of the file with this path, -1 when none.
    int indexOf(const QString &path) const;

    // The concat list of the files ("ffconcat version 1.0", a "file" and a "duration" line per
    // file; durations in seconds with microseconds so the demuxer places each file exactly).
    QByteArray toConcatList() const;
    // Reads a list as toConcatList writes it. False, with the reason in *error, for anything
    // else: an unknown directive, a bad quote, a missing or non-positive duration, a list with
    // no file or larger than MaxConcatListBytes.
    static bool fromConcatList(const QByteArray &text, TripTimeline *out, QString *error);
    // fromConcatList on the file at path (read up to the size limit); false, with the reason in
    // *error, also when the file cannot be read.
    static bool readConcatList(const QString &path, TripTimeline *out, QString *error);
    // Whether path names a concat list (by its suffix, ignoring case).
    static bool isConcatList(const QString &path);

private:
    QVector<File> m_files;
    QVector<int64_t> m_offsets; // count() + 1 entries: start of each file, then the total
};
