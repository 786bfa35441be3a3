#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QImage>
#include <QRect>
#include <QString>
#include <QVector>

class QPagedPaintDevice;
class QPainter;

// The two pages of the printed report of one moment of a recording: the window title and the
// time of printing, the pictures of the channels, the GPS position with a map picture, and the
// G-sensor values, at a fixed layout in device pixels of a 100 dpi page in full-page mode. The
// one drawing code behind the printer, the PDF of the print dialog and `vistrel-tool report`.
//
// Threads: any thread that may paint (a QGuiApplication must exist for the fonts).
class ReportLayout
{
    Q_DECLARE_TR_FUNCTIONS(ReportLayout)

public:
    static constexpr int Resolution = 100; // dots per inch the layout is made for

    // Everything the report shows, gathered before printing.
    struct Content
    {
        QString windowTitle;
        QDateTime printedAt;
        QVector<QImage> pictures; // the channels in ascending stream index
        bool positionSection = true; // false: the model has no map
        bool positionKnown = false;
        double latitude = 0;
        double longitude = 0;
        QImage map; // null: no map picture (position unknown or no map to be had)
        bool gsensorKnown = false;
        double x = 0;
        double y = 0;
        double z = 0;
    };

    // Where a picture went: page 0 or 1, its rectangle in device pixels, and what it shows
    // (the index into Content::pictures, or -1 for the map).
    struct Placement
    {
        int page = 0;
        QRect rect;
        int picture = -1;
    };

    // Draws both pages on a painter that is active on `device` (a 100 dpi page in full-page
    // mode), starting a new page between them. Returns where the pictures went.
    static QVector<Placement> draw(QPainter &painter,
                                   QPagedPaintDevice &device,
                                   const Content &content);

    // Writes the two pages as a PDF (A4). False with a reason in *error when the file cannot
    // be written; no file is left behind then.
    static bool writePdf(const QString &path, const Content &content, QString *error = nullptr);

    // The report's title (not translated).
    static QString title();
    // The PDF's creator: the window title and the program version.
    static QString creator(const Content &content);
};
