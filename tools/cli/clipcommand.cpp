#include "clipcommand.h"

#include "app/evidencepackage.h"
#include "interruptwatcher.h"
#include "probecommand.h"
#include "toolargs.h"
#include "tooloutput.h"
#include "toolusage.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>

namespace {

bool parseSeconds(const QString &text, double *seconds)
{
    bool ok = false;
    *seconds = text.toDouble(&ok);
    return ok && std::isfinite(*seconds) && *seconds >= 0;
}

bool parseChannels(const QString &text, QVector<ExportPlan::Channel> *channels)
{
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QString name = part.trimmed().toLower();
        ExportPlan::Channel channel = ExportPlan::Whole;
        if (name == QLatin1String("f"))
            channel = ExportPlan::Front;
        else if (name == QLatin1String("r"))
            channel = ExportPlan::Rear;
        else if (name == QLatin1String("i"))
            channel = ExportPlan::Interior;
        else
            return false;
        if (!channels->contains(channel))
            *channels << channel;
    }
    return !channels->isEmpty();
}

} // namespace

int ClipCommand::run(const QStringList &arguments)
{
    const QString usage = ToolUsage::usage(QStringLiteral("clip"));
    const ToolArgs args(arguments,
                        {QStringLiteral("from"),
                         QStringLiteral("to"),
                         QStringLiteral("out"),
                         QStringLiteral("channels"),
                         QStringLiteral("model")},
                        {QStringLiteral("exact"),
                         QStringLiteral("replace"),
                         QStringLiteral("evidence"),
                         QStringLiteral("no-map")});
    if (!args.ok())
        return ToolOutput::fail(args.error(), 2);
    ExportPlan::Span span;
    if (args.positionals().isEmpty() || args.value(QStringLiteral("out")).isEmpty()
        || !parseSeconds(args.value(QStringLiteral("from")), &span.from)
        || !parseSeconds(args.value(QStringLiteral("to")), &span.to))
        return ToolOutput::fail(usage, 2);
    if (args.has(QStringLiteral("channels"))
        && !parseChannels(args.value(QStringLiteral("channels")), &span.channels))
        return ToolOutput::fail(QStringLiteral("--channels takes f, r and i, comma-separated"), 2);
    span.exact = args.has(QStringLiteral("exact"));
    const bool evidence = args.has(QStringLiteral("evidence"));
    ProbeCommand::applyModel(args.value(QStringLiteral("model")));

    EvidencePackage package;
    EvidencePackage::Request request;
    request.inputs = args.positionals();
    request.span = span;
    request.folder = args.value(QStringLiteral("out"));
    request.evidence = evidence;
    request.noMap = args.has(QStringLiteral("no-map"));
    request.program = QStringLiteral("vistrel-tool");
    QString error;
    if (!package.prepare(request, &error))
        return ToolOutput::fail(error);
    const QStringList existing = package.existingOutputs();
    if (!existing.isEmpty() && !args.has(QStringLiteral("replace"))) {
        return ToolOutput::fail(QStringLiteral("%1 exists already (--replace replaces it)")
                                        .arg(existing.join(QStringLiteral(", "))));
    }
    // Ctrl-C cancels: the package removes what it wrote, and the command ends as interrupted.
    InterruptWatcher interrupt;
    QObject::connect(
            &interrupt, &InterruptWatcher::interrupted, &package, &EvidencePackage::cancel);
    const EvidencePackage::Result result = package.run();
    if (interrupt.received() != 0)
        return ToolOutput::fail(QStringLiteral("clip cancelled, nothing written"),
                                interrupt.exitCode());
    if (!result.ok) {
        QString message = QStringLiteral("clip failed: %1").arg(result.errorText);
        if (!result.converterOutput.isEmpty())
            message += QLatin1Char('\n') + result.converterOutput;
        return ToolOutput::fail(message);
    }
    QJsonObject json;
    json.insert(QStringLiteral("mode"),
                span.exact ? QStringLiteral("exact") : QStringLiteral("lossless"));
    json.insert(QStringLiteral("from"), span.from);
    json.insert(QStringLiteral("to"), span.to);
    if (evidence)
        json.insert(QStringLiteral("folder"), result.folder);
    json.insert(QStringLiteral("files"), QJsonArray::fromStringList(result.files));
    ToolOutput::printJson(QJsonDocument(json));
    return 0;
}
