#include "testpaths.h"

#include <QDir>
#include <QProcess>

namespace TestPaths {

QString makeRecording()
{
    return QStringLiteral(VISTREL_MAKE_RECORDING);
}
QString program()
{
    return QStringLiteral(VISTREL_PROGRAM);
}
QString tool()
{
    return QStringLiteral(VISTREL_TOOL);
}
QString sourceDir()
{
    return QStringLiteral(VISTREL_SOURCE_DIR);
}
QString buildDir()
{
    return QStringLiteral(VISTREL_BUILD_DIR);
}

QString lupdate()
{
    return QStringLiteral(VISTREL_LUPDATE);
}
QString translationsDir()
{
    return QStringLiteral(VISTREL_TRANSLATIONS_DIR);
}

QString nmeaDir()
{
    return sourceDir() + QStringLiteral("/tests/data/nmea");
}

QString nmeaLog(const QString &fileName)
{
    return QDir(nmeaDir()).filePath(fileName);
}

} // namespace TestPaths

ProcessResult runProcess(const QString &program,
                         const QStringList &arguments,
                         int timeoutMs,
                         const QString &workingDir)
{
    ProcessResult result;
    QProcess process;
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return result;
    result.finished = process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}
