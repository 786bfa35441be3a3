#pragma once

#include "assettable.h"

#include <QString>
#include <QVector>

// Draws the images of the table into a folder (as resource/<folder>/<path>) and writes the .qrc
// file that embeds them under ":/resource/". Main thread only.
class AssetWriter
{
public:
    explicit AssetWriter(const QString &outputDir);

    // Draws and saves every image; false (with the reason in error()) at the first failure.
    bool writeImages(const QVector<AssetTable::Image> &images);
    // Writes the .qrc listing every image; `qrcPath` is relative to the output folder.
    bool writeQrc(const QVector<AssetTable::Image> &images, const QString &qrcPath);

    QString error() const { return m_error; }

    // Image format written for a path: "BMP" or "PNG" by the suffix in any case; empty when
    // the suffix is neither.
    static QByteArray formatFor(const QString &path);
    // A table path must stay below its folder: relative, no "..", no empty segments.
    static bool isSafeRelativePath(const QString &path);

private:
    bool fail(const QString &message);

    QString m_outputDir;
    QString m_error;
};
