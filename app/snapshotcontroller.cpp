#include "snapshotcontroller.h"

#include "map/mapwidget.h"
#include "media/globalsettings.h"
#include "media/mediaeventloop.h"
#include "media/mediainfo.h"
#include "playbacksession.h"
#include "playlist/recordingname.h"
#include "reportprinter.h"
#include "telemetry/gsensormeterwidget.h"
#include "video/capturewriter.h"
#include "video/videodisplaywidget.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

#include <cmath>

SnapshotController::SnapshotController(MediaInfo *info,
                                       MediaEventLoop *loop,
                                       PlaybackSession *session,
                                       const Views &views,
                                       QObject *parent)
    : QObject(parent)
    , m_info(info)
    , m_loop(loop)
    , m_session(session)
    , m_views(views)
{ }

void SnapshotController::capture()
{
    const int state = m_info->state();
    if (state != MediaInfo::Playing && state != MediaInfo::Paused)
        return;
    QString date;
    QString time;
    // In a trip the moment belongs to the recording playing now, whose name dates it.
    const double playing = m_session->playingTime();
    double fileSeconds = playing;
    RecordingName::parse(
            QFileInfo(m_session->recordingAt(playing, &fileSeconds)), &date, &time, nullptr);
    QDateTime start = QDateTime::fromString(date + QLatin1Char(' ') + time,
                                            QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (start.isValid())
        start = start.addMSecs(qint64(std::llround((fileSeconds - playing) * 1000)));
    QStringList files;
    const CaptureWriter::Moment moment
            = CaptureWriter::momentOf(m_session->telemetry(), playing, start);
    if (m_views.display->captureFrames(m_captureFolder, files, moment) != 0)
        return;
    QMessageBox box(QMessageBox::Question,
                    m_views.window->windowTitle(),
                    files.join(QLatin1Char('\n')) + QStringLiteral("\n\n")
                            + tr("Captured! Do you want to open the folder?"),
                    QMessageBox::Yes | QMessageBox::No,
                    m_views.window);
    box.setDefaultButton(QMessageBox::Yes);
    if (box.exec() == QMessageBox::Yes)
        QDesktopServices::openUrl(QUrl::fromLocalFile(m_captureFolder));
}

void SnapshotController::print()
{
    if (m_info->state() == MediaInfo::Playing) {
        m_loop->postPlayControl(PlayCommand::Pause, 0);
        m_info->changeState(MediaInfo::Paused, m_session->playingContext(), true);
    } else if (m_info->state() != MediaInfo::Paused) {
        return;
    }
    // Lets the pause settle and the screen be drawn.
    QEventLoop settle;
    QTimer::singleShot(200, &settle, &QEventLoop::quit);
    settle.exec();

    QMap<int, QImage> frames;
    if (m_session->isClosing() || m_views.display->grabFrames(frames) != 0)
        return;
    ReportLayout::Content content;
    content.windowTitle = m_views.window->windowTitle();
    content.pictures = frames.values().toVector(); // ascending stream index
    content.positionSection = !GlobalSettings::mapDisabled();
    if (content.positionSection && m_views.map) {
        content.positionKnown
                = m_views.map->grabMapImage(&content.latitude, &content.longitude, &content.map)
                == 0;
    }
    content.gsensorKnown = m_views.gsensor->getCurrentValues(content.x, content.y, content.z) == 0;
    content.printedAt = QDateTime::currentDateTime();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ReportPrinter::print(m_views.window, content, m_reportFile);
    QApplication::restoreOverrideCursor();
}
