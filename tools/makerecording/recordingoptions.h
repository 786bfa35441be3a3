#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// Everything that describes one synthetic recording. Filled from the command line by
// fromArguments() or in code by the memory-card writer. Main thread only.
class RecordingOptions
{
public:
    enum class Container { Mp4, Avi };
    enum class Telemetry { Subtitle, Data, UserData, Gpmf, TextTrack, NmeaBox, FreeGps };
    // A telemetry file beside the recording (same base name).
    enum class Sidecar { None, Nmea, Gpx };
    enum class Damage { None, AviNoIndex, AviTornChunk, Mp4NoMoov, Mp4HiddenFragments, Truncate };

    // G-sensor rate of --dense-telemetry: one minute holds 10,740 readings.
    static constexpr double DenseGSensorRate = 179;

    struct Video
    {
        int width = 320;
        int height = 180;
        double fps = 30; // frames are stamped every 1 / fps seconds
        double codecFps = 0; // frame rate the H.264 stream announces; 0: the same as fps
        int gop = 30; // key frame every gop frames
        int bitrateKbps = 0; // 0: constant quality
        int bframes = 0;

        double announcedFps() const { return codecFps > 0 ? codecFps : fps; }
    };

    QString output;
    Container container = Container::Mp4;
    QVector<Video> videos;
    double duration = 3;
    bool audio = false;
    int audioRate = 48000;
    int audioChannels = 2;
    QVector<double> clicks; // seconds
    QVector<Telemetry> telemetry;
    QString nmeaFile;
    Sidecar sidecar = Sidecar::None;
    // Seconds by which the sidecar's clock runs ahead of the recording's start.
    double sidecarShift = 0;
    double gpsRate = 1;
    double gsensorRate = 10;
    // Dense telemetry (--dense-telemetry): GPS at 1 Hz, the G-sensor at gsensorRate with the
    // driving motion (SyntheticTelemetry::Motion::Drive) instead of the slow swing.
    bool denseTelemetry = false;
    Damage damage = Damage::None;
    double truncateFraction = 0;
    int seed = 0;
    // The number the first picture carries: files of a generated trip number on from the
    // one before, so a picture names its place in the whole trip.
    int firstFrame = 0;
    bool faststart = false; // moov in front of mdat (MP4)
    // Start of the generated GPS route's clock (UTC).
    QDateTime startTime = QDateTime(QDate(2024, 3, 14), QTime(15, 30, 12), Qt::UTC);

    int frameCount(int videoIndex) const;
    // Number of GPS fixes / G-sensor records: duration x rate, rounded.
    int gpsCount() const;
    int gsensorCount() const;

    // Parses "WxH[,fps=F][,codecfps=C][,gop=G][,bitrate=KBPS][,bframes=N]".
    static bool parseVideo(const QString &text, Video *video, QString *error);
    static bool parseTelemetry(const QString &text, Telemetry *kind, QString *error);
    static bool parseSidecar(const QString &text, Sidecar *kind, QString *error);
    // Whether any telemetry is written, in the file or beside it.
    bool hasTelemetry() const { return !telemetry.isEmpty() || sidecar != Sidecar::None; }
    // The sidecar's path for the output ("" without one).
    QString sidecarPath() const;
    static bool parseDamage(const QString &text, Damage *kind, double *fraction, QString *error);
    static bool parseClicks(const QString &text, QVector<double> *clicks, QString *error);

    // Checks the combination; sets the container from the output's suffix.
    bool finalize(QString *error);
};
