#include "guibench.h"

#include "app/mainwindow.h"
#include "app/transportcontroller.h"
#include "childrun.h"
#include "localtileserver.h"
#include "map/googlemapview.h"
#include "map/mapwidget.h"
#include "media/avinput.h"
#include "media/avptr.h"
#include "media/framesink.h"
#include "media/mediacontext.h"
#include "media/mediaeventloop.h"
#include "media/mediaframe.h"
#include "media/mediainfo.h"
#include "telemetry/gsensormeterwidget.h"
#include "tooloutput.h"
#include "video/videodisplaywidget.h"

#include <QApplication>
#include <QAudioDeviceInfo>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/syscall.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cmath>
#include <functional>

namespace {

constexpr int MaxStreams = 16;
constexpr int StartTimeoutMs = 60000;
constexpr int CloseTimeoutMs = 30000;
// Fields of /proc/<pid>/task/<tid>/stat after the command name: state is field 3 of the
// whole line, utime field 14, stime field 15.
constexpr int StatUtimeAfterName = 14 - 3;
constexpr int StatStimeAfterName = 15 - 3;

// CPU seconds (user + system) of one thread of this process; NaN when unreadable.
double threadCpuSeconds(long tid)
{
    QFile stat(QStringLiteral("/proc/self/task/%1/stat").arg(tid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nan("");
    const QByteArray line = stat.readAll();
    // The command name may hold spaces and parentheses; the fields start after the last ")".
    const int close = line.lastIndexOf(')');
    if (close < 0)
        return std::nan("");
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    if (fields.size() <= StatStimeAfterName)
        return std::nan("");
    const double ticks
            = fields.at(StatUtimeAfterName).toDouble() + fields.at(StatStimeAfterName).toDouble();
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Pictures handed to the display per stream (runner threads write, the GUI thread reads), and
// the pictures each paint of the display presented (GUI thread only). As the window's frame
// sink it passes every picture on to the display and counts it once the display has it.
class PresentationCounter : public QObject, public FrameSink
{
public:
    // Before the window opens a recording.
    void setDisplay(FrameSink *display) { m_display = display; }
    void presentFrame(int streamIndex, std::unique_ptr<MediaFrame> frame) override
    {
        m_display->presentFrame(streamIndex, std::move(frame));
        countArrival(streamIndex);
    }
    void presentSearchFrame(int streamIndex, av::FramePtr frame, bool stillSearching) override
    {
        m_display->presentSearchFrame(streamIndex, std::move(frame), stillSearching);
    }
    void countArrival(int stream)
    {
        if (stream >= 0 && stream < MaxStreams)
            m_arrived[static_cast<size_t>(stream)].fetch_add(1, std::memory_order_relaxed);
    }
    int arrived(int stream) const
    {
        return m_arrived[static_cast<size_t>(stream)].load(std::memory_order_relaxed);
    }
    // Counting starts (true) or stops; what was presented so far is forgotten at a start.
    void setCounting(bool on)
    {
        m_counting = on;
        if (on)
            m_presented.fill(0);
    }
    int presented(int stream) const { return m_presented[static_cast<size_t>(stream)]; }
    // Channels that presented a picture since counting started.
    int channelsPresented() const
    {
        int n = 0;
        for (int v : m_firstPaint)
            n += v > 0 ? 1 : 0;
        return n;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            for (size_t s = 0; s < MaxStreams; ++s) {
                const int now = m_arrived[s].load(std::memory_order_relaxed);
                if (now == m_seen[s])
                    continue;
                m_seen[s] = now;
                m_firstPaint[s] = 1;
                if (m_counting)
                    ++m_presented[s];
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    FrameSink *m_display = nullptr; // set before any picture arrives
    std::array<std::atomic<int>, MaxStreams> m_arrived {};
    std::array<int, MaxStreams> m_seen {};
    std::array<int, MaxStreams> m_firstPaint {};
    std::array<int, MaxStreams> m_presented {};
    bool m_counting = false;
};

bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

QString glRenderer(VideoDisplayWidget *display)
{
    display->makeCurrent();
    QOpenGLContext *context = QOpenGLContext::currentContext();
    QString renderer;
    if (context) {
        const auto *text = context->functions()->glGetString(GL_RENDERER);
        const auto *version = context->functions()->glGetString(GL_VERSION);
        if (text)
            renderer = QString::fromLatin1(reinterpret_cast<const char *>(text));
        if (version)
            renderer += QStringLiteral(" / ")
                    + QString::fromLatin1(reinterpret_cast<const char *>(version));
    }
    display->doneCurrent();
    return renderer;
}

} // namespace

int GuiBench::runChild(const QString &path, int seconds, bool viewer)
{
    // The video streams and their frame rates, from the file itself.
    QVector<int> streams;
    QVector<double> rates;
    {
        av::FormatContextPtr format = av::openInput(path);
        if (!format)
            return ToolOutput::fail(QStringLiteral("%1: cannot open").arg(path));
        for (unsigned i = 0; i < format->nb_streams && i < MaxStreams; ++i) {
            const AVStream *s = format->streams[i];
            if (s->codecpar->codec_type != AVMEDIA_TYPE_VIDEO)
                continue;
            streams << static_cast<int>(i);
            rates << av_q2d(s->avg_frame_rate);
        }
    }
    LocalTileServer tiles;
    if (!tiles.startServing())
        return ToolOutput::fail(QStringLiteral("no port for the tile server"));
    qputenv("VISTREL_MAP_TILES", tiles.urlTemplate().toUtf8());
    qputenv("VISTREL_PING_HOST", "127.0.0.1");
    QTemporaryDir exports;
    // Qt's audio backend lives on the thread that first asks for a device (as in the viewer).
    QAudioDeviceInfo::defaultOutputDevice();

    const long guiThread = syscall(SYS_gettid);
    PresentationCounter counter; // outlives the window, whose engine hands it pictures
    MainWindow window;
    window.setExportFolder(exports.path());
    VideoDisplayWidget *display = window.videoDisplay();
    if (!viewer) {
        // Every picture the engine hands to the display is counted on the runner thread that
        // delivers it, after the display has taken it.
        counter.setDisplay(display);
        window.setFrameSink(&counter);
        display->installEventFilter(&counter);
    }
    const auto channelsShown = [&] {
        if (!viewer)
            return counter.channelsPresented();
        int shown = 0;
        for (int stream : streams)
            shown += display->presentedPictures(stream) > 0 ? 1 : 0;
        return shown;
    };
    window.resize(1060, 745);
    FramelessWindow::showFrameless(&window);
    MapWidget *map = window.mapWidget();
    if (map)
        waitUntil([map] { return map->mapView()->isLoaded(); }, StartTimeoutMs);

    // The window opens a recording with the front channel alone; all channels side by side is
    // what the user picks next (the All button).
    window.session()->open(path);
    bool started = waitUntil([&] { return window.mediaInfo().state() == MediaInfo::Playing; },
                             StartTimeoutMs);
    if (started) {
        window.transport()->showChannel(MediaInfo::AllChannels, true);
        started = waitUntil([&] { return channelsShown() >= streams.size(); }, StartTimeoutMs);
    }
    if (!started) {
        QStringList arrived;
        for (int stream : streams)
            arrived << QString::number(counter.arrived(stream));
        return ToolOutput::fail(QStringLiteral("the window did not show every channel (state %1, "
                                               "pictures received %2, channels shown %3)")
                                        .arg(window.mediaInfo().state())
                                        .arg(arrived.join(QLatin1Char('/')))
                                        .arg(channelsShown()));
    }

    // The measured window: the event loop runs as in the viewer, one timer ends it.
    counter.setCounting(true);
    QVector<uint64_t> shownBefore;
    for (int stream : streams)
        shownBefore << display->presentedPictures(stream);
    QElapsedTimer wall;
    const double cpuBefore = threadCpuSeconds(guiThread);
    const double processBefore = ChildRun::ownCpuSeconds();
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    const double elapsed = wall.nsecsElapsed() / 1e9;
    const double cpuAfter = threadCpuSeconds(guiThread);
    const double processAfter = ChildRun::ownCpuSeconds();
    counter.setCounting(false);

    QJsonObject o;
    o.insert(QStringLiteral("seconds"), elapsed);
    o.insert(QStringLiteral("gui_cpu_share"), (cpuAfter - cpuBefore) / elapsed);
    QJsonArray perSecond;
    QJsonArray fps;
    QJsonArray arrived;
    for (int i = 0; i < streams.size(); ++i) {
        const double presented = viewer
                ? double(display->presentedPictures(streams[i]) - shownBefore[i])
                : double(counter.presented(streams[i]));
        perSecond.append(presented / elapsed);
        fps.append(rates[i]);
        arrived.append(counter.arrived(streams[i]));
    }
    o.insert(QStringLiteral("presented_per_second"), perSecond);
    o.insert(QStringLiteral("fps"), fps);
    o.insert(QStringLiteral("arrived_total"), arrived);
    o.insert(QStringLiteral("still_playing"), window.mediaInfo().state() == MediaInfo::Playing);
    o.insert(QStringLiteral("gsensor_samples"), window.telemetry().gsensorCount());
    o.insert(QStringLiteral("gps_samples"), window.telemetry().gpsCount());
    if (GSensorMeterWidget *meter = window.gsensorMeter()) {
        o.insert(QStringLiteral("meter_visible"), meter->isVisible());
        o.insert(QStringLiteral("meter_size"), QJsonArray {meter->width(), meter->height()});
    }
    o.insert(QStringLiteral("map_shown"),
             map && map->isVisible() && map->mapState() == MapWidget::MapShown);
    o.insert(QStringLiteral("tiles_served"), tiles.tilesServed());
    o.insert(QStringLiteral("gl_renderer"), glRenderer(display));
    if (viewer) {
        o.insert(QStringLiteral("process_cpu_per_second"),
                 (processAfter - processBefore) / elapsed);
        o.insert(QStringLiteral("peak_rss_mb"), ChildRun::ownMaxRssMb());
        // The channels side by side: equal thirds of the display's width, 16:9 within them.
        const QRect area(display->mapToGlobal(QPoint(0, 0)), display->size());
        const int count = std::max(1, int(streams.size()));
        const int tileWidth = area.width() / count;
        const int tileHeight = std::min(area.height(), tileWidth * 9 / 16);
        o.insert(QStringLiteral("display_rect"),
                 QJsonArray {area.x(), area.y(), area.width(), area.height()});
        QJsonArray tiles;
        for (int i = 0; i < count; ++i)
            tiles.append(QJsonArray {area.x() + i * tileWidth,
                                     area.y() + (area.height() - tileHeight) / 2,
                                     tileWidth,
                                     tileHeight});
        o.insert(QStringLiteral("tiles"), tiles);
    }
    ToolOutput::printJson(QJsonDocument(o));

    window.close();
    waitUntil([&window] { return !window.isVisible(); }, CloseTimeoutMs);
    return 0;
}
