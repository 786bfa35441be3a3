#include "exportcommand.h"

#include "interruptwatcher.h"
#include "media/exportjob.h"
#include "media/exportplan.h"
#include "toolargs.h"
#include "tooloutput.h"
#include "toolusage.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

int ExportCommand::run(const QStringList &arguments)
{
    const QString usage = ToolUsage::usage(QStringLiteral("export"));
    const ToolArgs args(
            arguments,
            {QStringLiteral("out")},
            {QStringLiteral("original"), QStringLiteral("separate"), QStringLiteral("replace")});
    if (!args.ok())
        return ToolOutput::fail(args.error(), 2);
    const bool original = args.has(QStringLiteral("original"));
    if (args.positionals().size() != 1 || original == args.has(QStringLiteral("separate"))
        || !args.has(QStringLiteral("out")) || args.value(QStringLiteral("out")).isEmpty())
        return ToolOutput::fail(usage, 2);

    const QString input = QFileInfo(args.positionals().first()).absoluteFilePath();
    if (!QFileInfo(input).isFile())
        return ToolOutput::fail(QStringLiteral("%1: no such file").arg(input));
    const QString folder = QFileInfo(args.value(QStringLiteral("out"))).absoluteFilePath();
    if (!QDir().mkpath(folder))
        return ToolOutput::fail(QStringLiteral("%1: cannot create the folder").arg(folder));

    ExportPlan::Source source;
    QString error;
    if (!ExportPlan::probe(input, &source, &error))
        return ToolOutput::fail(error);
    const ExportPlan plan(source, original ? ExportPlan::Original : ExportPlan::Separate, folder);
    if (!plan.isValid())
        return ToolOutput::fail(QStringLiteral("%1: %2").arg(input, plan.problemText()));
    const QStringList existing = plan.existingOutputs();
    if (!existing.isEmpty() && !args.has(QStringLiteral("replace"))) {
        return ToolOutput::fail(QStringLiteral("%1 exists already (--replace replaces it)")
                                        .arg(existing.join(QStringLiteral(", "))));
    }

    ExportJob job;
    // Ctrl-C cancels: the job removes what it wrote, and the command ends as interrupted.
    InterruptWatcher interrupt;
    QObject::connect(&interrupt, &InterruptWatcher::interrupted, &job, &ExportJob::cancel);
    const ExportJob::Result result = job.run(plan);
    if (interrupt.received() != 0)
        return ToolOutput::fail(QStringLiteral("export cancelled, nothing written"),
                                interrupt.exitCode());
    if (!result.ok) {
        QString message = QStringLiteral("export failed: %1").arg(result.errorText);
        if (!result.failedOutput.isEmpty())
            message = QStringLiteral("export failed: %1: %2")
                              .arg(result.failedOutput, result.errorText);
        if (!result.converterOutput.isEmpty())
            message += QLatin1Char('\n') + result.converterOutput;
        return ToolOutput::fail(message);
    }

    QJsonObject json;
    json.insert(QStringLiteral("input"), input);
    json.insert(QStringLiteral("mode"),
                original ? QStringLiteral("original") : QStringLiteral("separate"));
    json.insert(QStringLiteral("files"), QJsonArray::fromStringList(result.outputs));
    ToolOutput::printJson(QJsonDocument(json));
    return 0;
}
