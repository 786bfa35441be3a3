#include "reportcommand.h"

#include "app/momentreport.h"
#include "probecommand.h"
#include "toolargs.h"
#include "tooloutput.h"
#include "toolusage.h"

#include <QJsonObject>

#include <cmath>

int ReportCommand::run(const QStringList &arguments)
{
    QStringList rest = arguments;
    const bool noMap = rest.removeAll(QStringLiteral("--no-map")) > 0;
    const ToolArgs args(rest,
                        {QStringLiteral("time"), QStringLiteral("out"), QStringLiteral("model")});
    if (!args.ok())
        return ToolOutput::fail(args.error(), 2);
    if (args.positionals().size() != 1 || !args.has(QStringLiteral("time"))
        || args.value(QStringLiteral("out")).isEmpty()) {
        return ToolOutput::fail(ToolUsage::usage(QStringLiteral("report")), 2);
    }
    bool ok = false;
    const double seconds = args.value(QStringLiteral("time")).toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds < 0)
        return ToolOutput::fail(QStringLiteral("--time needs a number of seconds of 0 or more"), 2);
    ProbeCommand::applyModel(args.value(QStringLiteral("model")));

    const QString path = args.positionals().first();
    const QString out = args.value(QStringLiteral("out"));
    QJsonObject result;
    QString error;
    if (!MomentReport::write(path, seconds, out, noMap, &result, &error))
        return ToolOutput::fail(error);
    ToolOutput::printJson(QJsonDocument(result));
    return 0;
}
