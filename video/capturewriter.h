#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVector>

class TelemetryTrack;

// Writes the pictures of one screen capture as JPEG files (quality 100) into a folder, named
// "ScreenCapture-<ddMMyyyy-hhmmss>_ch<stream + 1>.jpg" per channel, or
// "ScreenCapture-<ddMMyyyy-hhmmss>.jpg" for one channel shown alone. A set whose names are
// taken (two captures within one second) gets "-2", "-3", ... before ".jpg"; no file is ever
// overwritten. A set that cannot be written completely is removed again.
//
// Each JPEG carries the moment it shows in EXIF tags: the recording's time of that moment
// (DateTimeOriginal, local time, and the GPS date and time stamps in UTC), and, when the GPS
// sample of that moment has a valid fix, its latitude, longitude and speed.
//
// Stateless; callable from any thread (it touches only the files it names).
class CaptureWriter
{
public:
    // What the pictures show: the GPS fix and the time of that moment of the recording.
    struct Moment
    {
        bool hasFix = false;
        double latitude = 0; // degrees, positive north
        double longitude = 0; // degrees, positive east
        double speedKmh = 0;
        QDateTime time; // local time of the moment; invalid when unknown
    };

    struct Picture
    {
        int streamIndex = -1;
        QImage image;
    };

    // The moment at `seconds` into a recording that started at `recordingStart` (local time,
    // invalid when unknown): the GPS sample of that time when it has a valid fix.
    static Moment momentOf(const TelemetryTrack &track,
                           double seconds,
                           const QDateTime &recordingStart);

    // "ddMMyyyy-hhmmss".
    static QString timeStamp(const QDateTime &when);
    // The file names of one capture; attempt 1 has no suffix, attempt n > 1 has "-n".
    static QStringList fileNames(const QString &folder,
                                 const QString &stamp,
                                 const QVector<int> &streams,
                                 bool single,
                                 int attempt = 1);

    // Writes one capture taken at `now`. 0 with the names written in order in `written`; -1
    // when a picture could not be encoded or saved, with every file of the set removed again
    // and `written` empty.
    static int write(const QString &folder,
                     const QDateTime &now,
                     const QVector<Picture> &pictures,
                     bool single,
                     const Moment &moment,
                     QStringList *written);

    // The JPEG file contents of one picture with the moment's EXIF block; empty on failure.
    static QByteArray encodeJpeg(const QImage &image, const Moment &moment);
    // The EXIF block ("Exif\0\0" and the TIFF structure) of a picture of this size showing
    // the moment; empty when the moment holds nothing to tag.
    static QByteArray exifBlock(const Moment &moment, const QSize &size);
};
