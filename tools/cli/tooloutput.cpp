#include "tooloutput.h"

#include <cstdio>

void ToolOutput::printJson(const QJsonDocument &document)
{
    const QByteArray bytes = document.toJson(QJsonDocument::Indented);
    fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    fflush(stdout);
}

void ToolOutput::printText(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    fflush(stdout);
}

int ToolOutput::fail(const QString &message, int exitCode)
{
    fprintf(stderr, "vistrel-tool: %s\n", message.toUtf8().constData());
    fflush(stderr);
    return exitCode;
}
