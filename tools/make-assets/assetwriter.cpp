#include "assetwriter.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace {

const QString ResourceRoot = QStringLiteral("resource/");

} // namespace

AssetWriter::AssetWriter(const QString &outputDir)
    : m_outputDir(outputDir)
{ }

QByteArray AssetWriter::formatFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("bmp"))
        return QByteArrayLiteral("BMP");
    if (suffix == QLatin1String("png"))
        return QByteArrayLiteral("PNG");
    return QByteArray();
}

bool AssetWriter::isSafeRelativePath(const QString &path)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || path.contains(QLatin1Char('\\')))
        return false;
    const QStringList segments = path.split(QLatin1Char('/'));
    for (const QString &segment : segments) {
        if (segment.isEmpty() || segment == QLatin1String(".") || segment == QLatin1String(".."))
            return false;
    }
    return true;
}

bool AssetWriter::fail(const QString &message)
{
    m_error = message;
    return false;
}

bool AssetWriter::writeImages(const QVector<AssetTable::Image> &images)
{
    QDir root(m_outputDir);
    for (const AssetTable::Image &image : images) {
        if (!isSafeRelativePath(image.path))
            return fail(QStringLiteral("unsafe image path: %1").arg(image.path));
        const QByteArray format = formatFor(image.path);
        if (format.isEmpty())
            return fail(QStringLiteral("no image format for %1").arg(image.path));
        if (image.size.width() <= 0 || image.size.height() <= 0 || image.size.width() > 4096
            || image.size.height() > 4096)
            return fail(QStringLiteral("bad size for %1").arg(image.path));

        // BMP has no alpha channel: those images paint their own opaque background.
        const bool opaque = format == "BMP";
        QImage canvas(image.size,
                      opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
        canvas.fill(opaque ? Qt::black : Qt::transparent);
        {
            QPainter painter(&canvas);
            image.paint(painter, image.size, image.language);
        }

        const QString filePath = root.filePath(ResourceRoot + image.resourcePath());
        if (!root.mkpath(QFileInfo(filePath).path()))
            return fail(QStringLiteral("cannot create the folder of %1").arg(filePath));
        QSaveFile file(filePath);
        if (!file.open(QIODevice::WriteOnly))
            return fail(QStringLiteral("cannot write %1: %2").arg(filePath, file.errorString()));
        if (!canvas.save(&file, format.constData()))
            return fail(QStringLiteral("cannot encode %1").arg(filePath));
        if (!file.commit())
            return fail(QStringLiteral("cannot write %1: %2").arg(filePath, file.errorString()));
    }
    return true;
}

bool AssetWriter::writeQrc(const QVector<AssetTable::Image> &images, const QString &qrcPath)
{
    if (!isSafeRelativePath(qrcPath))
        return fail(QStringLiteral("unsafe qrc path: %1").arg(qrcPath));
    QSaveFile file(QDir(m_outputDir).filePath(qrcPath));
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString()));

    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE RCC>"));
    xml.writeStartElement(QStringLiteral("RCC"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    xml.writeStartElement(QStringLiteral("qresource"));
    xml.writeAttribute(QStringLiteral("prefix"), QStringLiteral("/"));
    for (const AssetTable::Image &image : images) {
        if (!isSafeRelativePath(image.path))
            return fail(QStringLiteral("unsafe image path: %1").arg(image.path));
        xml.writeTextElement(QStringLiteral("file"), ResourceRoot + image.resourcePath());
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    if (xml.hasError() || !file.commit())
        return fail(QStringLiteral("cannot write %1").arg(file.fileName()));
    return true;
}
