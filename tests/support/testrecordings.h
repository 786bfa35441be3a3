#pragma once

#include "media/avptr.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// Synthetic recordings for the tests, made by make-recording and cached in the build tree
// (TestPaths::buildDir() + "/test-recordings/<generator build>/<request>"): identical requests
// reuse the file; a rebuilt make-recording makes new ones and drops the old build's folder. Safe
// for parallel test processes (each result is built in a private folder and renamed into place).
// Test thread only.
class TestRecordings
{
public:
    // The path of a recording named fileName (its suffix picks the container) made with these
    // make-recording options; empty after printing the tool's error (use with QVERIFY).
    static QString make(const QString &fileName, const QStringList &options);
    // The root folder of a memory-card tree ("test" or "demo" layout); empty on failure.
    static QString makeCard(const QString &layout, const QStringList &options = QStringList());

    // Opens a file for demultiplexing (its name as the file system's bytes) and, unless
    // streamInfo is false, reads its stream info. Null when a step fails; *error (when given) is
    // the open's FFmpeg code.
    // With ignoreEditList an MP4's edit list is not applied: every packet counts, also those
    // the list hides.
    static av::FormatContextPtr open(const QString &file,
                                     bool streamInfo = true,
                                     int *error = nullptr,
                                     bool ignoreEditList = false);

    // Decodes the video stream streamIndex (a container stream index) of a file with FFmpeg
    // and reads the frame-number pattern of each frame in decoding output order: (frame,
    // channel), or (-1, -1) for a frame without a readable pattern. maxFrames > 0 stops early.
    // scaleWidth > 0 scales each picture to that width (bilinear, aspect kept) and converts it
    // to BGR24 first, as the viewer's display path does. Empty when the file cannot be decoded.
    static QVector<QPair<int, int>> readBack(const QString &file,
                                             int streamIndex,
                                             int maxFrames = 0,
                                             int scaleWidth = 0,
                                             bool ignoreEditList = false);

    // Video packets of the video stream v:videoStream of a file, counted by the real ffprobe
    // program (-count_packets); -1 when ffprobe fails or the file has no such stream.
    static int probedVideoPackets(const QString &file, int videoStream);

    static QString cacheDir();

private:
    static QString cached(const QString &key,
                          const QString &entryName,
                          const QStringList &arguments,
                          const QString &outputName);
};
