#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

// What an export of one recording writes, and how: the output files in a folder, and for each
// the converter's arguments or a plain copy of the bytes.
//
// "Original" is one file with everything. A recording as the camera wrote it is copied byte for
// byte (the converter would drop the telemetry atom of the MP4 user data); the repaired copy,
// which is a temporary file, goes through the converter under the recording's own name.
// "Separate" is one file per camera channel (suffixes "_f", "_r", "_i"), each with the first
// audio stream and, in an MP4, the telemetry streams; the telemetry atom is put back into every
// MP4 the converter writes (ExportJob). The stream maps are the stream indices the probe found.
//
// Threads: plain values; any thread. probe() opens the file with FFmpeg on the calling thread.
class ExportPlan
{
public:
    enum Mode { Original = 0, Separate = 1 };
    // The channel a file holds; Whole for the one file of "Original".
    enum Channel { Whole = -1, Front = 0, Rear = 1, Interior = 2 };
    // Why there is nothing to run.
    enum Problem {
        NoProblem = 0,
        NoSource, // no recording given
        NoOutputFolder, // no folder given
        OverSource, // an output would replace the recording (or the recording it was repaired from)
        NothingToSplit, // "Separate" of a recording with fewer than two channels
    };

    struct Source
    {
        QString path;
        // The repaired copy of a damaged recording (its name carries the repair's "tmp").
        bool repairedCopy = false;
        // The file whose "tlmd" atom the outputs get: the recording itself, or for the repaired
        // copy the damaged recording it was made from. Empty: none.
        QString telemetryPath;
        // Stream index of the front, rear and interior channel; -1 when absent.
        std::array<int, 3> channelStreams {{-1, -1, -1}};
        QVector<int> videoStreams; // every video stream, in stream order
        QVector<int> audioStreams;
        QVector<int> telemetryStreams; // data and timed-text streams
        double duration = 0; // seconds; 0 when unknown
    };

    struct Step
    {
        Channel channel = Whole;
        QString outputPath;
        bool byteCopy = false; // copy the source's bytes; otherwise run the converter
        QStringList arguments; // the converter's arguments (empty for a byte copy)
        bool addTelemetryAtom = false; // write the source's telemetry atom into the output
    };

    // Probes a recording for its streams and channel roles (the viewer's own rules, so the
    // channels are the ones the player shows). False, with a reason, when it cannot be read.
    static bool probe(const QString &path, Source *source, QString *error);

    ExportPlan() = default;
    ExportPlan(const Source &source, Mode mode, const QString &folder);

    bool isValid() const { return m_problem == NoProblem; }
    Problem problem() const { return m_problem; }
    // The problem in words, for logs and the command line.
    QString problemText() const;
    const Source &source() const { return m_source; }
    Mode mode() const { return m_mode; }
    const QVector<Step> &steps() const { return m_steps; }
    QStringList outputPaths() const;
    // The outputs that exist already (they are replaced only when the user agreed).
    QStringList existingOutputs() const;

    // File name of an output: the source's name, without the "tmp" the repair put before the
    // suffix; for a channel, the channel's suffix before the extension, whose case is lowered
    // for mp4 and avi ("20190314_153012D.MP4" -> "20190314_153012D_f.mp4").
    static QString outputName(const QString &sourceFileName, bool repairedCopy, Channel channel);
    // The converter's arguments that write one output (Whole: every stream) by stream copy,
    // with its progress as "key=value" lines on standard output.
    static QStringList converterArguments(const Source &source,
                                          Channel channel,
                                          const QString &outputPath);
    // Whether a file of this name is written as MP4 (the converter picks the format by the
    // suffix): only MP4 holds the telemetry streams and the telemetry atom.
    static bool isMp4Name(const QString &path);

private:
    Source m_source;
    Mode m_mode = Original;
    Problem m_problem = NoSource;
    QVector<Step> m_steps;
};
