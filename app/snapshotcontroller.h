#pragma once

#include <QObject>
#include <QString>

class GSensorMeterWidget;
class MapWidget;
class MediaEventLoop;
class MediaInfo;
class PlaybackSession;
class QWidget;
class VideoDisplayWidget;

// The title bar's capture and print commands: writes the pictures on screen (with the moment's
// position and G-sensor reading) into the capture folder and offers to open it, or pauses and
// prints a report of the moment. GUI thread only.
class SnapshotController : public QObject
{
    Q_OBJECT

public:
    struct Views
    {
        QWidget *window = nullptr; // parent of the questions, its title heads the report
        VideoDisplayWidget *display = nullptr;
        GSensorMeterWidget *gsensor = nullptr;
        MapWidget *map = nullptr; // null when the model has no map
    };

    SnapshotController(MediaInfo *info,
                       MediaEventLoop *loop,
                       PlaybackSession *session,
                       const Views &views,
                       QObject *parent = nullptr);

    QString captureFolder() const { return m_captureFolder; }
    void setCaptureFolder(const QString &folder) { m_captureFolder = folder; }
    // Non-empty: print writes its report into this PDF file instead of asking the user for a
    // printer (scripts and tests).
    void setReportFile(const QString &pdfFile) { m_reportFile = pdfFile; }

    // Writes one picture per channel shown, then asks whether to open the folder.
    void capture();
    // Pauses, lets the picture settle and prints the report of the moment.
    void print();

private:
    MediaInfo *m_info;
    MediaEventLoop *m_loop;
    PlaybackSession *m_session;
    Views m_views;
    QString m_captureFolder;
    QString m_reportFile;
};
