#include "framecommand.h"

#include "app/framegrabber.h"

#include "media/avptr.h"
#include "media/mediainfo.h"
#include "toolargs.h"
#include "tooloutput.h"

#include <QFileInfo>
#include <QJsonObject>

#include <cmath>

namespace {

int channelStream(const MediaInfo &info, const QString &channel, QString *error)
{
    if (channel.isEmpty() || channel == QLatin1String("front")) {
        if (info.front() >= 0)
            return info.front();
        *error = QStringLiteral("the recording has no front channel");
        return -1;
    }
    if (channel == QLatin1String("rear")) {
        if (info.rear() >= 0)
            return info.rear();
        *error = QStringLiteral("the recording has no rear channel");
        return -1;
    }
    if (channel == QLatin1String("inner")) {
        if (info.inner() >= 0)
            return info.inner();
        *error = QStringLiteral("the recording has no inner channel");
        return -1;
    }
    bool ok = false;
    const int index = channel.toInt(&ok);
    if (!ok || index < 0) {
        *error = QStringLiteral("unknown channel \"%1\" (front, rear, inner or a stream index)")
                         .arg(channel);
        return -1;
    }
    for (const StreamInfo &s : info.streamInfos()) {
        if (s.index == index && s.mediaType == AVMEDIA_TYPE_VIDEO)
            return index;
    }
    *error = QStringLiteral("stream %1 is not a video stream of the recording").arg(index);
    return -1;
}

} // namespace

int FrameCommand::run(const QStringList &arguments)
{
    const ToolArgs args(arguments,
                        {QStringLiteral("channel"),
                         QStringLiteral("number"),
                         QStringLiteral("time"),
                         QStringLiteral("width"),
                         QStringLiteral("out")});
    if (!args.ok())
        return ToolOutput::fail(args.error(), 2);
    if (args.positionals().size() != 1)
        return ToolOutput::fail(QStringLiteral("frame needs exactly one FILE"), 2);
    const bool byNumber = args.has(QStringLiteral("number"));
    const bool byTime = args.has(QStringLiteral("time"));
    if (byNumber == byTime)
        return ToolOutput::fail(QStringLiteral("frame needs either --number N or --time SECONDS"),
                                2);
    const QString out = args.value(QStringLiteral("out"));
    if (out.isEmpty())
        return ToolOutput::fail(QStringLiteral("frame needs --out PICTURE.png"), 2);
    bool ok = true;
    const qint64 number = byNumber ? args.value(QStringLiteral("number")).toLongLong(&ok) : 0;
    if (!ok || number < 0 || number > INT32_MAX)
        return ToolOutput::fail(QStringLiteral("--number needs a frame number of 0 or more"), 2);
    const double seconds = byTime ? args.value(QStringLiteral("time")).toDouble(&ok) : 0;
    if (!ok || !std::isfinite(seconds) || seconds < 0 || seconds > 1e9)
        return ToolOutput::fail(QStringLiteral("--time needs a number of seconds of 0 or more"), 2);

    const QString path = args.positionals().first();
    MediaInfo info;
    const int probe = info.init(path);
    if (probe != 0)
        return ToolOutput::fail(
                QStringLiteral("cannot open %1: %2").arg(path, av::errorText(probe)));
    QString error;
    const int stream = channelStream(info, args.value(QStringLiteral("channel")), &error);
    if (stream < 0)
        return ToolOutput::fail(error);
    int sourceWidth = 0;
    for (const StreamInfo &s : info.streamInfos()) {
        if (s.index == stream)
            sourceWidth = s.width;
    }
    int width = sourceWidth > 0 ? sourceWidth : 1280;
    if (args.has(QStringLiteral("width"))) {
        width = args.value(QStringLiteral("width")).toInt(&ok);
        if (!ok || width <= 0 || width > 16384)
            return ToolOutput::fail(QStringLiteral("--width needs a positive number of pixels"), 2);
    }

    FrameGrabber::Picture picture;
    qint64 frameNumber = 0;
    if (byNumber) {
        picture.image = FrameGrabber::numberedFrame(path, stream, number, &error, &picture.pts);
        if (picture.image.isNull())
            return ToolOutput::fail(error);
        picture.valid = true;
        frameNumber = number;
    } else {
        picture.image = FrameGrabber::timedFrame(
                path, stream, seconds, width, &error, &picture.pts, &frameNumber);
        if (picture.image.isNull())
            return ToolOutput::fail(error);
        picture.valid = true;
    }

    if (!picture.image.save(out))
        return ToolOutput::fail(QStringLiteral("cannot write %1").arg(out));
    QJsonObject result;
    result.insert(QStringLiteral("stream"), stream);
    result.insert(QStringLiteral("pts"), picture.pts);
    result.insert(QStringLiteral("number"), static_cast<double>(frameNumber));
    result.insert(QStringLiteral("width"), picture.image.width());
    result.insert(QStringLiteral("height"), picture.image.height());
    result.insert(QStringLiteral("path"), QFileInfo(out).absoluteFilePath());
    ToolOutput::printJson(QJsonDocument(result));
    return 0;
}
