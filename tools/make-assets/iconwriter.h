#pragma once

#include "assettable.h"

#include <QString>
#include <QVector>

// Writes the program icon as a freedesktop icon theme tree below a folder:
// hicolor/<n>x<n>/apps/<name>.png for every size of sizes(), and
// hicolor/scalable/apps/<name>.svg drawn by the same painter as vector paths.
// Main thread only (a QGuiApplication must exist).
class IconWriter
{
public:
    IconWriter(const QString &outputDir, const QString &iconName);

    static QVector<int> sizes();

    // False (with the reason in error()) at the first failure.
    bool write(const AssetTable::Painter &paint);

    QString error() const { return m_error; }

private:
    bool fail(const QString &message);

    QString m_outputDir;
    QString m_iconName;
    QString m_error;
};
