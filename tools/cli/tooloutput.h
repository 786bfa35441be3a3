#pragma once

#include <QJsonDocument>
#include <QString>

// Output conventions of vistrel-tool: results on stdout (JSON unless a command says
// otherwise), diagnostics on stderr, a non-zero exit code with one clear line on failure.
class ToolOutput
{
public:
    static void printJson(const QJsonDocument &document);
    static void printText(const QString &text);
    // Prints "vistrel-tool: MESSAGE" on stderr and returns the exit code to use.
    static int fail(const QString &message, int exitCode = 1);
};
