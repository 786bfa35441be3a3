#pragma once

#include <QSize>
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
// "Clip" is the span between an in and an out mark of every chosen channel and the first audio
// stream in one MP4 named after the in mark's moment ("20190314_153024D_clip.mp4" for a mark
// 12 s into 20190314_153012D.MP4). Lossless, it is a stream copy from the key frame at or
// before the in mark, with an edit list that makes players start at the in mark (the pictures
// before it are decoded but not shown); exact, the pictures are re-encoded with libx264 at
// ExactCrf (and the audio as AAC), so the clip starts on the in mark's frame. The span is
// [from, to): the out mark's own frame is the first one left out. The clip's telemetry atom
// holds the samples of the span only (TelemetryClip); the telemetry streams are not copied
// (a cut breaks their timing). A trip's concat list is cut as one input: losslessly when its
// recordings' streams match (the concat demuxer joins them), else exactly.
//
// Threads: plain values; any thread. probe() opens the file with FFmpeg on the calling thread.
class ExportPlan
{
public:
    enum Mode { Original = 0, Separate = 1, Clip = 2 };
    // The channel a file holds; Whole for the one file of "Original".
    enum Channel { Whole = -1, Front = 0, Rear = 1, Interior = 2 };
    // Why there is nothing to run.
    enum Problem {
        NoProblem = 0,
        NoSource, // no recording given
        NoOutputFolder, // no folder given
        OverSource, // an output would replace the recording (or the recording it was repaired from)
        NothingToSplit, // "Separate" of a recording with fewer than two channels
        BadSpan, // a clip whose in mark is not before its out mark, or lies past the end
        NoSuchChannel, // a clip of a channel the recording does not have
    };

    // libx264's constant-rate factor of an exact clip: visually lossless (docs/clips.md has the
    // PSNR measured against the source).
    static constexpr int ExactCrf = 18;

    // What a clip cuts.
    struct Span
    {
        double from = 0; // in mark, seconds on the recording's time axis
        double to = 0; // out mark, the end of the span (not in it)
        bool exact = false; // re-encode instead of the stream copy
        QVector<Channel> channels; // the channels in the clip; empty: every one
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
        QVector<QSize> videoSizes; // the pictures' size of each of videoStreams
        QVector<int> audioStreams;
        QVector<int> telemetryStreams; // data and timed-text streams
        double duration = 0; // seconds; 0 when unknown
        // Where the converter's timeline starts (seconds): its -ss counts from here, while
        // the player's times and the marks are the streams' own.
        double startTime = 0;
        // The recordings the source is made of: the file itself, or a trip's files in order.
        QStringList recordings;
        // For a trip: whether its recordings' streams match (codec, size, rate), so that the
        // concat demuxer can join them by stream copy.
        bool streamsMatch = true;
    };

    struct Step
    {
        Channel channel = Whole;
        QString outputPath;
        bool byteCopy = false; // copy the source's bytes; otherwise run the converter
        QStringList arguments; // the converter's arguments (empty for a byte copy)
        bool addTelemetryAtom = false; // write the source's telemetry atom into the output
        // Seconds of recording the converter writes (for its progress).
        double duration = 0;
        // A clip: the atom written is the source's cut to the span (TelemetryClip).
        bool cutTelemetry = false;
    };

    // Probes a recording for its streams and channel roles (the viewer's own rules, so the
    // channels are the ones the player shows). False, with a reason, when it cannot be read.
    static bool probe(const QString &path, Source *source, QString *error);

    ExportPlan() = default;
    ExportPlan(const Source &source, Mode mode, const QString &folder);
    // A clip of the span into folder.
    ExportPlan(const Source &source, const Span &span, const QString &folder);

    bool isValid() const { return m_problem == NoProblem; }
    Problem problem() const { return m_problem; }
    // The problem in words, for logs and the command line.
    QString problemText() const;
    const Source &source() const { return m_source; }
    Mode mode() const { return m_mode; }
    const QVector<Step> &steps() const { return m_steps; }
    // The clip's span (Clip only); exact is set when a trip had to be re-encoded.
    const Span &span() const { return m_span; }
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
    // File name of a clip whose in mark lies `from` seconds into the recording: the recording's
    // name with its time moved on by the whole seconds of from when it carries one, else the
    // name with the seconds; "_clip" and ".mp4" after it.
    static QString clipName(const QString &recordingFileName, double from);
    // The converter's arguments that cut a clip of the span.
    static QStringList clipArguments(const Source &source,
                                     const Span &span,
                                     const QString &outputPath);

private:
    Source m_source;
    Mode m_mode = Original;
    Span m_span;
    Problem m_problem = NoSource;
    QVector<Step> m_steps;
};
