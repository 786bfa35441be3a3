#include "listcommand.h"

#include "playlist/fixedremovabledrivequery.h"
#include "playlist/folderscanner.h"
#include "playlist/systemremovabledrivequery.h"
#include "toolargs.h"
#include "tooloutput.h"
#include "toolusage.h"

#include <QJsonArray>
#include <QJsonObject>

#include <memory>

int ListCommand::run(const QStringList &arguments)
{
    const ToolArgs args(arguments, {QStringLiteral("removable-root")});
    if (!args.ok())
        return ToolOutput::fail(args.error(), 2);
    if (args.positionals().isEmpty())
        return ToolOutput::fail(ToolUsage::usage(QStringLiteral("list")), 2);

    const std::unique_ptr<RemovableDriveQuery> drives = drivesFor(args);

    FolderScanner scanner(*drives);
    scanner.scan(args.positionals());

    static const char *const names[FolderScanner::FilterCount]
            = {"all", "driving", "event", "parking"};
    QJsonObject result;
    for (int filter = 0; filter < FolderScanner::FilterCount; ++filter) {
        QJsonArray rows;
        for (const PlayListEntry &entry : scanner.table(filter)) {
            QJsonObject row;
            row.insert(QStringLiteral("path"), entry.path);
            row.insert(QStringLiteral("date"), entry.date);
            row.insert(QStringLiteral("time"), entry.time);
            row.insert(QStringLiteral("type"), entry.type);
            row.insert(QStringLiteral("kind"), entry.kind);
            rows.append(row);
        }
        result.insert(QLatin1String(names[filter]), rows);
    }
    ToolOutput::printJson(QJsonDocument(result));
    return 0;
}

std::unique_ptr<RemovableDriveQuery> ListCommand::drivesFor(const ToolArgs &args)
{
    if (args.has(QStringLiteral("removable-root")))
        return std::make_unique<FixedRemovableDriveQuery>(
                args.values(QStringLiteral("removable-root")));
    return std::make_unique<SystemRemovableDriveQuery>();
}
