#pragma once

#include <QString>
#include <QStringList>

// Where the tests find the programs under test, the source tree and the test data.
namespace TestPaths {

QString makeRecording(); // tools/make-recording
QString program(); // the viewer executable
QString tool(); // vistrel-tool
QString sourceDir();
QString buildDir();
// Qt's lupdate, and the folder of the compiled translations beside the viewer.
QString lupdate();
QString translationsDir();
// The real NMEA logs kept in the source tree (tests/data/nmea, with their SOURCES.md).
QString nmeaDir();
QString nmeaLog(const QString &fileName);

} // namespace TestPaths

// Result of a finished child process.
struct ProcessResult
{
    int exitCode = -1;
    bool crashed = false;
    bool finished = false;
    QByteArray out;
    QByteArray err;
};

// Runs a program to its end (or until timeoutMs) and collects its output.
ProcessResult runProcess(const QString &program,
                         const QStringList &arguments,
                         int timeoutMs = 120000,
                         const QString &workingDir = QString());
