#pragma once

#include <QString>

// The one-line configuration files beside the program (`locale`, `model`).
class ConfigFile
{
public:
    // The last line of the file without its terminator; false when the file is missing or
    // cannot be opened. An empty file gives true and an empty line.
    static bool readLastLine(const QString &path, QString *line);
};
