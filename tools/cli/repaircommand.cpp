#include "repaircommand.h"

#include "media/mediainfo.h"
#include "media/userfolders.h"
#include "toolargs.h"
#include "tooloutput.h"
#include "toolusage.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>

int RepairCommand::run(const QStringList &arguments)
{
    const ToolArgs args(arguments, {QStringLiteral("out")});
    if (!args.ok())
        return ToolOutput::fail(args.error(), 2);
    if (args.positionals().size() != 1)
        return ToolOutput::fail(ToolUsage::usage(QStringLiteral("repair")), 2);
    const QString input = QFileInfo(args.positionals().first()).absoluteFilePath();
    if (!QFileInfo(input).isFile())
        return ToolOutput::fail(QStringLiteral("%1: no such file").arg(input));

    const QString outFolder = args.has(QStringLiteral("out"))
            ? QFileInfo(args.value(QStringLiteral("out"))).absoluteFilePath()
            : UserFolders::savedVideos();
    if (!QDir().mkpath(outFolder))
        return ToolOutput::fail(QStringLiteral("%1: cannot create the folder").arg(outFolder));

    MediaInfo info;
    // A file that does not even open can still be handed to the converter: it may rebuild
    // what the demuxer refuses.
    const int probed = info.init(input);
    const QString copy = info.repairRecording(input, outFolder);
    if (copy.isEmpty())
        return ToolOutput::fail(QStringLiteral("%1: no playable copy could be made").arg(input));

    QJsonObject result;
    result.insert(QStringLiteral("input"), input);
    result.insert(QStringLiteral("path"), copy);
    result.insert(QStringLiteral("damaged"), probed == 0 && info.isDamaged());
    ToolOutput::printJson(QJsonDocument(result));
    return 0;
}
