#include "reportlayout.h"

#include "vistrelversion.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

// Left edges: header, footer and headings; items; channel captions and pictures; the report
// title; the date and the page number.
constexpr int HeaderX = 40;
constexpr int ItemX = 60;
constexpr int CaptionX = 75;
constexpr int TitleX = 310;
constexpr int RightX = 620;
constexpr int HeaderTop = 30;
constexpr int FooterFromBottom = 80;
constexpr int PictureHeight = 300;
// A picture that would pass the paper's right edge ends this far before it.
constexpr int RightMargin = 150;
constexpr int MapMaxHeight = 280;
constexpr int MapMaxLeft = 200;

// "Arial" is asked for by name: where it is missing the font configuration gives its
// metric-compatible stand-in (Liberation Sans on Debian), so the layout keeps its metrics.
QFont reportFont(int points)
{
    QFont font(QStringLiteral("Arial"), points, QFont::Bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

class Pen
{
public:
    Pen(QPainter &painter, const QRect &paper)
        : m_painter(painter)
        , m_paper(paper)
    { }

    // The line height of the font at this size on the device.
    int lineHeight(int points) const
    {
        return QFontMetrics(reportFont(points), m_painter.device()).height();
    }

    // Draws a text whose top (not its baseline) is at `top`.
    void text(int points, int x, int top, const QString &text)
    {
        m_painter.setFont(reportFont(points));
        m_painter.drawText(QPoint(x, top + m_painter.fontMetrics().ascent()), text);
    }

    // A picture's rectangle of the given height at (left, top), narrowed to end RightMargin
    // pixels before the paper's right edge when it would pass that edge (aspect kept).
    QRect fit(const QImage &image, int left, int top, int height) const
    {
        if (image.isNull() || image.height() <= 0 || image.width() <= 0)
            return QRect();
        QRect rect(left, top, image.width() * height / image.height(), height);
        if (rect.left() + rect.width() > m_paper.right() + 1) {
            rect.setRight(m_paper.right() - RightMargin);
            rect.setHeight(image.height() * rect.width() / image.width());
        }
        return rect;
    }

    void picture(const QRect &rect, const QImage &image)
    {
        if (!rect.isEmpty())
            m_painter.drawImage(rect, image);
    }

    void header(const QString &title, const QString &time)
    {
        text(10, HeaderX, HeaderTop, title);
        text(10, RightX, HeaderTop, time);
    }

    void footer(const QString &title, const QString &page)
    {
        const int top = m_paper.bottom() + 1 - FooterFromBottom;
        text(10, HeaderX, top, title);
        text(10, RightX, top, page);
    }

private:
    QPainter &m_painter;
    const QRect m_paper;
};

} // namespace

QString ReportLayout::title()
{
    return QStringLiteral("Vistrel Report");
}

QVector<ReportLayout::Placement> ReportLayout::draw(QPainter &painter,
                                                    QPagedPaintDevice &device,
                                                    const Content &content)
{
    QVector<Placement> placed;
    const QRect paper(0, 0, device.width(), device.height());
    Pen pen(painter, paper);
    painter.setPen(Qt::black);
    const int h10 = pen.lineHeight(10);
    const int h11 = pen.lineHeight(11);
    const int h13 = pen.lineHeight(13);
    const int h20 = pen.lineHeight(20);
    const QString time = content.printedAt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    const auto pictureAt = [&](int index) {
        return index < content.pictures.size() ? content.pictures.at(index) : QImage();
    };

    // --- page 1 ---
    pen.header(content.windowTitle, time);
    pen.text(20, TitleX, h10 + 58 + 30, title());
    int y = h10 + 58 + 30 + h20 + 12;
    pen.text(13, HeaderX, y, QStringLiteral("1. ") + tr("Recording Information"));
    y += h13 + 8;
    pen.text(11, ItemX, y, QStringLiteral("- ") + tr("Image"));
    y += h11 + 6;
    pen.text(11, CaptionX, y, QStringLiteral("- ") + tr("Channel 1"));
    y += h11 + 30;
    const QImage first = pictureAt(0);
    if (first.isNull()) {
        y += 350;
    } else {
        const QRect rect = pen.fit(first, CaptionX, y, PictureHeight);
        pen.picture(rect, first);
        placed.append({0, rect, 0});
        y += rect.height() + 50;
    }
    const QImage second = pictureAt(1);
    if (!second.isNull()) {
        pen.text(11, CaptionX, y, QStringLiteral("- ") + tr("Channel 2"));
        const QRect rect = pen.fit(second, CaptionX, y + h11 + 15, PictureHeight);
        pen.picture(rect, second);
        placed.append({0, rect, 1});
    }
    pen.footer(content.windowTitle, QStringLiteral("Page 1 of 2"));
    device.newPage();

    // --- page 2 ---
    pen.header(content.windowTitle, time);
    y = h10 + 90 + 30;
    const QImage third = pictureAt(2);
    if (!third.isNull()) {
        pen.text(11, CaptionX, y, QStringLiteral("- ") + tr("Channel 3"));
        y += h11 + 15;
        const QRect rect = pen.fit(third, CaptionX, y, PictureHeight);
        pen.picture(rect, third);
        placed.append({1, rect, 2});
        y += rect.height() + 30;
    }
    if (content.positionSection) {
        pen.text(13, HeaderX, y, QStringLiteral("2. ") + tr("Position Data"));
        y += h13 + 12;
        const auto coordinate = [&](double value) {
            return content.positionKnown ? QString::asprintf("%.6f", value) : QString();
        };
        pen.text(11,
                 ItemX,
                 y,
                 QStringLiteral("   ") + tr("Latitude") + QStringLiteral(" : ")
                         + coordinate(content.latitude));
        y += h11 + 9;
        pen.text(11,
                 ItemX,
                 y,
                 QStringLiteral("   ") + tr("Longitude") + QStringLiteral(" : ")
                         + coordinate(content.longitude));
        y += h11 + 14;
        // Without a map picture the section ends as it does for an unknown position.
        if (content.positionKnown && !content.map.isNull()) {
            pen.text(11, ItemX, y, QStringLiteral("   ") + tr("Map"));
            y += h11 + 18;
            const QImage &map = content.map;
            QRect rect = pen.fit(map, 0, y, std::min(map.height(), MapMaxHeight));
            rect.moveLeft(std::min((paper.width() - rect.width()) / 2, MapMaxLeft));
            pen.picture(rect, map);
            placed.append({1, rect, -1});
            y += rect.height() + 30;
        } else {
            y += 30;
        }
    }
    pen.text(13,
             HeaderX,
             y,
             QLatin1String(content.positionSection ? "3. " : "2. ") + tr("G-sensor Information"));
    const QString values = content.gsensorKnown
            ? QString::asprintf("X = %.5f, Y = %.5f, Z = %.5f", content.x, content.y, content.z)
            : QStringLiteral("X = , Y = , Z = ");
    pen.text(11,
             ItemX,
             y + h13 + 12,
             QStringLiteral("   ") + tr("G-Sensor Value") + QStringLiteral(" : ") + values);
    pen.footer(content.windowTitle, QStringLiteral("Page 2 of 2"));
    return placed;
}

QString ReportLayout::creator(const Content &content)
{
    return QStringLiteral("%1 (Vistrel %2)")
            .arg(content.windowTitle, QStringLiteral(VISTREL_VERSION));
}

bool ReportLayout::writePdf(const QString &path, const Content &content, QString *error)
{
    const bool existed = QFileInfo::exists(path);
    bool ok = false;
    {
        QPdfWriter writer(path);
        writer.setResolution(Resolution);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPageLayout layout = writer.pageLayout();
        layout.setMode(QPageLayout::FullPageMode);
        writer.setPageLayout(layout);
        writer.setTitle(title());
        writer.setCreator(creator(content));
        QPainter painter;
        if (painter.begin(&writer)) {
            draw(painter, writer, content);
            ok = painter.end();
        }
    }
    if (!ok || !QFileInfo(path).isFile() || QFileInfo(path).size() == 0) {
        if (!existed)
            QFile::remove(path);
        if (error)
            *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}
