#include "verifycommand.h"

#include "media/evidencemanifest.h"
#include "tooloutput.h"
#include "toolusage.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

int VerifyCommand::run(const QStringList &arguments)
{
    if (arguments.size() != 1 || arguments.first().startsWith(QLatin1String("--")))
        return ToolOutput::fail(ToolUsage::usage(QStringLiteral("verify")), 2);
    const QString folder = QFileInfo(arguments.first()).absoluteFilePath();
    QVector<EvidenceManifest::Check> checks;
    QString error;
    if (!EvidenceManifest::verify(folder, &checks, &error))
        return ToolOutput::fail(error);
    bool allOk = true;
    QJsonArray files;
    for (const EvidenceManifest::Check &check : qAsConst(checks)) {
        QJsonObject file;
        file.insert(QStringLiteral("name"), check.name);
        file.insert(QStringLiteral("state"), EvidenceManifest::stateText(check.state));
        files << file;
        allOk = allOk && check.state == EvidenceManifest::State::Ok;
    }
    QJsonObject json;
    json.insert(QStringLiteral("folder"), folder);
    json.insert(QStringLiteral("ok"), allOk);
    json.insert(QStringLiteral("files"), files);
    ToolOutput::printJson(QJsonDocument(json));
    return allOk ? 0 : 1;
}
