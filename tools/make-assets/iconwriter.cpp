#include "iconwriter.h"

#include "assetwriter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace {

// The scalable icon's design size (its view box).
constexpr int ScalableSide = 256;

QString pngPath(int side, const QString &name)
{
    return QStringLiteral("hicolor/%1x%1/apps/%2.png").arg(side).arg(name);
}

QString svgPath(const QString &name)
{
    return QStringLiteral("hicolor/scalable/apps/%1.svg").arg(name);
}

} // namespace

IconWriter::IconWriter(const QString &outputDir, const QString &iconName)
    : m_outputDir(outputDir)
    , m_iconName(iconName)
{ }

QVector<int> IconWriter::sizes()
{
    return {16, 22, 24, 32, 48, 64, 128, 256};
}

bool IconWriter::fail(const QString &message)
{
    m_error = message;
    return false;
}

bool IconWriter::write(const AssetTable::Painter &paint)
{
    if (!AssetWriter::isSafeRelativePath(m_iconName) || m_iconName.contains(QLatin1Char('/')))
        return fail(QStringLiteral("unsafe icon name: %1").arg(m_iconName));
    QDir root(m_outputDir);

    const auto save = [&](const QString &relative, const QByteArray &bytes) {
        const QString path = root.filePath(relative);
        if (!root.mkpath(QFileInfo(path).path()))
            return fail(QStringLiteral("cannot create the folder of %1").arg(path));
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            return fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return true;
    };

    for (int side : sizes()) {
        QImage canvas(side, side, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        {
            QPainter painter(&canvas);
            paint(painter, canvas.size(), QString());
        }
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!canvas.save(&buffer, "PNG"))
            return fail(QStringLiteral("cannot encode the %1-pixel icon").arg(side));
        if (!save(pngPath(side, m_iconName), png))
            return false;
    }

    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(ScalableSide, ScalableSide));
    generator.setViewBox(QRect(0, 0, ScalableSide, ScalableSide));
    generator.setTitle(m_iconName);
    {
        QPainter painter;
        if (!painter.begin(&generator))
            return fail(QStringLiteral("cannot draw the scalable icon"));
        paint(painter, QSize(ScalableSide, ScalableSide), QString());
        painter.end();
    }
    if (svg.isEmpty())
        return fail(QStringLiteral("cannot draw the scalable icon"));
    return save(svgPath(m_iconName), svg);
}
