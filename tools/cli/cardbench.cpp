#include "cardbench.h"

#include "playlist/fixedremovabledrivequery.h"
#include "playlist/playlistwidget.h"
#include "tooloutput.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace {

// Resident set of this process in KiB (from /proc, 0 when unreadable).
qint64 residentKb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return 0;
    return fields.at(1).toLongLong() * 4;
}

} // namespace

bool CardBench::makeCard(const QString &folder, int count)
{
    struct Kind
    {
        const char *folder;
        char letter;
        int share; // of every 20 recordings
    };
    const Kind kinds[] = {{"DRIVING", 'D', 14}, {"EVENT", 'E', 2}, {"PARKING", 'P', 4}};
    QDir root;
    for (const Kind &k : kinds) {
        if (!root.mkpath(folder + QLatin1Char('/') + QLatin1String(k.folder)))
            return false;
    }
    // One recording a minute from a morning on, as a camera writes them; the kinds interleave.
    const QDateTime start(QDate(2024, 3, 1), QTime(6, 0, 0), Qt::UTC);
    for (int i = 0; i < count; ++i) {
        const int slot = i % 20;
        const Kind &k = slot < kinds[0].share            ? kinds[0]
                : slot < kinds[0].share + kinds[1].share ? kinds[1]
                                                         : kinds[2];
        const QString name = start.addSecs(60LL * i).toString(QStringLiteral("yyyyMMdd_HHmmss"))
                + QLatin1Char(k.letter) + QStringLiteral(".mp4");
        QFile file(folder + QLatin1Char('/') + QLatin1String(k.folder) + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return false;
    }
    return true;
}

int CardBench::runChild(const QString &folder)
{
    const QString root = QDir::cleanPath(QDir(folder).absolutePath());
    auto drives = std::make_unique<FixedRemovableDriveQuery>(QStringList {root});
    PlayListWidget list(nullptr, std::move(drives));
    list.resize(300, 600);
    const qint64 before = residentKb();
    QElapsedTimer timer;
    timer.start();
    const int rows = list.loadPlayList({root}, false);
    const double ms = timer.nsecsElapsed() / 1e6;
    const qint64 after = residentKb();
    QJsonObject o;
    o.insert(QStringLiteral("ms"), ms);
    o.insert(QStringLiteral("rows"), rows);
    o.insert(QStringLiteral("rss_before_kb"), before);
    o.insert(QStringLiteral("rss_after_kb"), after);
    ToolOutput::printJson(QJsonDocument(o));
    return 0;
}

QJsonObject CardBench::measure(const QString &program, int count)
{
    QJsonObject result;
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        result.insert(QStringLiteral("error"), QStringLiteral("no scratch folder"));
        return result;
    }
    QJsonArray sizes;
    QJsonArray perRow;
    for (const int n : {count / 4, count / 2, count}) {
        const QString card = scratch.filePath(QStringLiteral("card%1").arg(n));
        if (!makeCard(card, n)) {
            result.insert(QStringLiteral("error"), QStringLiteral("cannot write the card"));
            return result;
        }
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        child.start(
                program,
                {QStringLiteral("bench"), QStringLiteral("--child"), QStringLiteral("card"), card});
        if (!child.waitForFinished(120000) || child.exitCode() != 0) {
            result.insert(QStringLiteral("error"), QStringLiteral("card child failed"));
            return result;
        }
        const QJsonObject o = QJsonDocument::fromJson(child.readAllStandardOutput()).object();
        const double rows = o.value(QStringLiteral("rows")).toDouble();
        const double grown = o.value(QStringLiteral("rss_after_kb")).toDouble()
                - o.value(QStringLiteral("rss_before_kb")).toDouble();
        sizes.append(n);
        perRow.append(rows > 0 ? grown / rows : 0.0);
        if (n == count) {
            result.insert(QStringLiteral("ms"), o.value(QStringLiteral("ms")).toDouble());
            result.insert(QStringLiteral("rows"), rows);
        }
    }
    result.insert(QStringLiteral("sizes"), sizes);
    result.insert(QStringLiteral("per_row_kb"), perRow);
    return result;
}
