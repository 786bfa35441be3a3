// screenprobe: reads what the acceptance run needs out of a screenshot (PNG).
//
//   screenprobe frames PNG X Y W H N
//       Splits the region into N side-by-side strips of equal width and prints, per strip, the
//       frame number and channel that the picture shown in it carries and the picture's size
//       ("FRAME:CHANNEL:WxH"), or "-" when no pattern is readable. The picture is found as the
//       bounding box of the strip's non-black pixels: the pattern's top-left marker cell is white
//       and the content below the band is never black, so the box is the picture, letterbox bars
//       excluded.
//   screenprobe colour PNG X Y W H RRGGBB TOLERANCE
//       Prints how many pixels of the region lie within TOLERANCE of the colour on each of
//       red, green and blue.
//
// Exit status 0 after printing, 2 on a wrong command line or an unreadable picture.

#include "tools/framecode/framecode.h"

#include <QCoreApplication>
#include <QImage>
#include <QRect>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int BlackLimit = 24; // luminance at or below which a screen pixel counts as black

int luminance(QRgb pixel)
{
    return (qRed(pixel) + 2 * qGreen(pixel) + qBlue(pixel)) / 4;
}

QRect pictureBox(const QImage &image, const QRect &strip)
{
    int left = strip.right() + 1, right = strip.left() - 1;
    int top = strip.bottom() + 1, bottom = strip.top() - 1;
    for (int y = strip.top(); y <= strip.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = strip.left(); x <= strip.right(); ++x) {
            if (luminance(line[x]) <= BlackLimit)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return left <= right ? QRect(QPoint(left, top), QPoint(right, bottom)) : QRect();
}

QString readStrip(const QImage &image, const QRect &strip)
{
    const QRect box = pictureBox(image, strip);
    if (box.width() < FrameCode::MinWidth || box.height() < FrameCode::MinHeight)
        return QStringLiteral("-");
    const QImage picture = image.copy(box).convertToFormat(QImage::Format_RGB888);
    int frame = -1;
    int channel = -1;
    if (!FrameCode::read(picture.constBits(),
                         picture.width(),
                         picture.height(),
                         picture.bytesPerLine(),
                         FrameCode::Layout::Rgb24,
                         &frame,
                         &channel))
        return QStringLiteral("-");
    return QStringLiteral("%1:%2:%3x%4").arg(frame).arg(channel).arg(box.width()).arg(box.height());
}

bool parseRegion(const QStringList &args, int first, const QImage &image, QRect *region)
{
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = args.value(first + i).toInt(&ok);
        if (!ok)
            return false;
    }
    *region = QRect(values[0], values[1], values[2], values[3]) & image.rect();
    return !region->isEmpty();
}

int usage()
{
    QTextStream(stderr) << "usage: screenprobe frames PNG X Y W H N\n"
                           "       screenprobe colour PNG X Y W H RRGGBB TOLERANCE\n";
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 7)
        return usage();
    const QString command = args.at(1);
    const QImage image = QImage(args.at(2)).convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) {
        QTextStream(stderr) << "screenprobe: cannot read " << args.at(2) << '\n';
        return 2;
    }
    QRect region;
    if (!parseRegion(args, 3, image, &region))
        return usage();
    QTextStream out(stdout);

    if (command == QLatin1String("frames") && args.size() == 8) {
        const int strips = args.at(7).toInt();
        if (strips < 1)
            return usage();
        QStringList results;
        for (int i = 0; i < strips; ++i) {
            const int x0 = region.left() + region.width() * i / strips;
            const int x1 = region.left() + region.width() * (i + 1) / strips;
            results << readStrip(image, QRect(x0, region.top(), x1 - x0, region.height()));
        }
        out << results.join(QLatin1Char(' ')) << '\n';
        return 0;
    }
    if (command == QLatin1String("colour") && args.size() == 9) {
        bool ok = false;
        const QRgb wanted = args.at(7).toUInt(&ok, 16);
        const int tolerance = args.at(8).toInt();
        if (!ok)
            return usage();
        int count = 0;
        for (int y = region.top(); y <= region.bottom(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = region.left(); x <= region.right(); ++x) {
                const QRgb p = line[x];
                if (std::abs(qRed(p) - qRed(wanted)) <= tolerance
                    && std::abs(qGreen(p) - qGreen(wanted)) <= tolerance
                    && std::abs(qBlue(p) - qBlue(wanted)) <= tolerance)
                    ++count;
            }
        }
        out << count << '\n';
        return 0;
    }
    return usage();
}
