#include "configfile.h"

#include <QFile>
#include <QTextStream>

bool ConfigFile::readLastLine(const QString &path, QString *line)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    QString last;
    while (!in.atEnd())
        last = in.readLine();
    *line = last;
    return true;
}
