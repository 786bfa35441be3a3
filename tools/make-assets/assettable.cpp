#include "assettable.h"

#include "assetpalette.h"
#include "glyphs.h"
#include "imagewords.h"
#include "translations/languagetable.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

using Glyphs::Glyph;
namespace Palette = AssetPalette;

namespace {

enum class State { Normal, Over, Clicked, Disabled };

using Painter = AssetTable::Painter;

QRectF fullRect(const QSize &size)
{
    return QRectF(0, 0, size.width(), size.height());
}

QColor glyphColour(State state)
{
    return state == State::Disabled ? Palette::disabled() : Palette::glyph();
}

// An icon button: an optional opaque backdrop (the panel the button sits on; invalid for a
// transparent PNG), a rounded highlight for hover (lighter) and pressed (accent), the glyph.
Painter iconButton(Glyph glyph, State state, QColor backdrop, qreal glyphSide, qreal penPx)
{
    return [=](QPainter &p, const QSize &size, const QString &) {
        const QRectF area = fullRect(size);
        if (backdrop.isValid())
            p.fillRect(area, backdrop);
        p.setRenderHint(QPainter::Antialiasing, true);
        if (state == State::Over || state == State::Clicked) {
            p.setPen(Qt::NoPen);
            p.setBrush(state == State::Over ? Palette::raised() : Palette::accent());
            p.drawRoundedRect(area.adjusted(1, 1, -1, -1), 4, 4);
        }
        Glyphs::draw(p, glyph, Glyphs::centredBox(area, glyphSide), glyphColour(state), penPx);
    };
}

// The title bar's window buttons: flat cells in the bar colour, lighter on hover, accent pressed.
Painter windowButton(Glyph glyph, State state)
{
    return [=](QPainter &p, const QSize &size, const QString &) {
        const QRectF area = fullRect(size);
        QColor fill = Palette::bar();
        if (state == State::Over)
            fill = Palette::raised();
        else if (state == State::Clicked)
            fill = Palette::accent();
        p.fillRect(area, fill);
        Glyphs::draw(p, glyph, Glyphs::centredBox(area, 17), glyphColour(state), 1.2);
    };
}

// The frame-search toggle: "on" is drawn active (accent), "off" dimmed.
Painter toggleButton(Glyph glyph, bool on, State state)
{
    return [=](QPainter &p, const QSize &size, const QString &) {
        const QRectF area = fullRect(size);
        p.fillRect(area, Palette::panel());
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        if (on) {
            p.setBrush(state == State::Over ? Palette::accentLight() : Palette::accent());
            p.drawRoundedRect(area.adjusted(1, 1, -1, -1), 4, 4);
        } else if (state == State::Over) {
            p.setBrush(Palette::raised());
            p.drawRoundedRect(area.adjusted(1, 1, -1, -1), 4, 4);
        }
        const QColor colour = on ? Palette::glyph() : Palette::glyphDim();
        Glyphs::draw(p, glyph, Glyphs::centredBox(area, 16), colour, 1.4);
    };
}

// A word chip filling the whole image (channel, view-mode and filter buttons): it needs no
// backdrop, so it looks the same on any panel.
Painter chip(const char *word, State state)
{
    return [=](QPainter &p, const QSize &size, const QString &language) {
        const QRectF area = fullRect(size);
        QColor fill = Palette::bar();
        QColor edge = Palette::outline();
        QColor ink = Palette::glyph();
        if (state == State::Clicked) {
            fill = Palette::accent();
            edge = Palette::accentLight();
        } else if (state == State::Disabled) {
            fill = Palette::disabledFill();
            edge = QColor(0x33, 0x33, 0x33);
            ink = Palette::disabled();
        }
        p.fillRect(area, fill);
        p.setPen(QPen(edge, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
        const int pixelSize = qMin(12, size.height() - 7);
        ImageWords::draw(p,
                         area.adjusted(3, 0, -3, 0),
                         language,
                         word,
                         pixelSize,
                         ink,
                         state == State::Clicked);
    };
}

// Seven-segment digit on white: the speed display masks pure white out, so the glyph is
// drawn without antialiasing (no half-white fringe) in a light grey.
void drawSegments(QPainter &p, const QSize &size, unsigned mask)
{
    p.fillRect(fullRect(size), Qt::white);
    p.setRenderHint(QPainter::Antialiasing, false);
    const int w = size.width();
    const int h = size.height();
    const int t = 2; // segment thickness
    const int mid = h / 2 - 1;
    const QRect segments[7] = {
            QRect(t, 0, w - 2 * t, t), // a: top
            QRect(w - t, t, t, mid - t), // b: upper right
            QRect(w - t, mid + t, t, h - mid - 2 * t), // c: lower right
            QRect(t, h - t, w - 2 * t, t), // d: bottom
            QRect(0, mid + t, t, h - mid - 2 * t), // e: lower left
            QRect(0, t, t, mid - t), // f: upper left
            QRect(t, mid, w - 2 * t, t), // g: middle
    };
    for (int i = 0; i < 7; ++i) {
        if (mask & (1u << i))
            p.fillRect(segments[i], Palette::digit());
    }
}

Painter digit(int value)
{
    // Segments a..g as bits 0..6.
    static const unsigned masks[10] = {0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07, 0x7f, 0x6f};
    const unsigned mask = (value >= 0 && value < 10) ? masks[value] : 0x40;
    return [=](QPainter &p, const QSize &size, const QString &) {
        drawSegments(p, size, mask);
    };
}

Painter dash()
{
    return [](QPainter &p, const QSize &size, const QString &) {
        drawSegments(p, size, 0x40);
    };
}

Painter decimalPoint()
{
    return [](QPainter &p, const QSize &size, const QString &) {
        p.fillRect(fullRect(size), Qt::white);
        p.fillRect(QRect(size.width() / 2 - 1, size.height() - 2, 2, 2), Palette::digit());
    };
}

// Background of the speed readout; the digits go at x 20..69, y 11..29 (see the display).
Painter speedBackground(const QString &unit)
{
    return [=](QPainter &p, const QSize &size, const QString &) {
        const QRectF area = fullRect(size);
        p.fillRect(area, Palette::panel());
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(Palette::outline(), 1));
        p.setBrush(Palette::mapPanel());
        p.drawRoundedRect(area.adjusted(1.5, 3.5, -1.5, -3.5), 4, 4);
        Glyphs::drawText(
                p, QRectF(4, 6, 15, 10), QStringLiteral("GPS"), 7, Palette::glyphDim(), false);
        Glyphs::drawText(p,
                         QRectF(74, 9, 46, 20),
                         unit,
                         12,
                         Palette::glyphDim(),
                         false,
                         Qt::AlignLeft | Qt::AlignVCenter);
    };
}

// Volume: ten bars of 7 pixels (one per level), rising left to right.
Painter volumeBars(bool full)
{
    return [=](QPainter &p, const QSize &size, const QString &) {
        p.fillRect(fullRect(size), Palette::panel());
        const int levels = 10;
        const int step = size.width() / levels;
        const int bottom = size.height() - 4;
        for (int i = 0; i < levels; ++i) {
            const int height = 4 + (bottom - 6) * (i + 1) / levels;
            const QRect bar(i * step + 1, bottom - height, step - 2, height);
            p.fillRect(bar, full ? Palette::accent() : Palette::outline());
        }
    };
}

Painter solidTrack(QColor colour)
{
    return [=](QPainter &p, const QSize &size, const QString &) {
        p.fillRect(fullRect(size), colour);
        p.fillRect(QRect(0, 0, size.width(), 1), colour.lighter(125));
    };
}

Painter sliderHandle()
{
    return [](QPainter &p, const QSize &size, const QString &) {
        const QRectF area = fullRect(size);
        p.fillRect(area, Palette::glyph());
        p.setPen(QPen(Palette::accent(), 1));
        p.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
    };
}

void drawWordmark(QPainter &p, const QRectF &area, int pixelSize)
{
    const qreal lens = area.height() * 0.72;
    const QRectF lensBox(area.left(), area.center().y() - lens / 2, lens, lens);
    Glyphs::draw(p, Glyph::Lens, lensBox, Palette::accent(), 1.6);
    Glyphs::drawText(p,
                     area.adjusted(lens + 6, 0, 0, 0),
                     QStringLiteral("VISTREL"),
                     pixelSize,
                     Palette::glyph(),
                     true,
                     Qt::AlignLeft | Qt::AlignVCenter);
}

Painter topBar()
{
    return [](QPainter &p, const QSize &size, const QString &) {
        p.fillRect(fullRect(size), Palette::bar());
        p.fillRect(QRect(0, size.height() - 1, size.width(), 1), Palette::central());
    };
}

Painter logo()
{
    return [](QPainter &p, const QSize &size, const QString &) {
        p.fillRect(fullRect(size), Palette::bar());
        drawWordmark(p, fullRect(size).adjusted(4, 3, -2, -3), 15);
    };
}

Painter displayBackground()
{
    return [](QPainter &p, const QSize &size, const QString &) {
        const QRectF area = fullRect(size);
        QLinearGradient shade(0, 0, 0, size.height());
        shade.setColorAt(0, QColor(0x12, 0x12, 0x12));
        shade.setColorAt(1, Palette::central());
        p.fillRect(area, shade);
        const qreal side = size.height() * 0.28;
        const QRectF box(area.center().x() - side / 2, area.center().y() - side * 0.75, side, side);
        Glyphs::draw(p, Glyph::Camera, box, QColor(0x34, 0x34, 0x34), 3);
        Glyphs::drawText(p,
                         QRectF(0, box.bottom() + 8, size.width(), 30),
                         QStringLiteral("VISTREL"),
                         22,
                         QColor(0x3a, 0x3a, 0x3a),
                         true);
    };
}

// The program icon, drawn in proportion to its size: from the 16-pixel menu icon to the
// scalable one of the desktop.
Painter appIcon()
{
    return [](QPainter &p, const QSize &size, const QString &) {
        const QRectF area = fullRect(size);
        const qreal side = std::min(area.width(), area.height());
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(Palette::accent());
        const qreal margin = side * 8 / 256;
        p.drawRoundedRect(
                area.adjusted(margin, margin, -margin, -margin), side * 0.18, side * 0.18);
        const qreal inset = side * 40 / 256;
        Glyphs::draw(p,
                     Glyph::Camera,
                     area.adjusted(inset, inset, -inset, -inset),
                     Palette::glyph(),
                     side / 18.0);
    };
}

Painter aboutPicture()
{
    return [](QPainter &p, const QSize &size, const QString &language) {
        const QRectF area = fullRect(size);
        p.fillRect(area, Palette::black());
        p.fillRect(QRectF(0, size.height() - 2, size.width(), 2), Palette::accent());
        drawWordmark(p, QRectF(10, 3, 140, size.height() - 7), 13);
        ImageWords::draw(p,
                         QRectF(150, 0, size.width() - 160, size.height() - 2),
                         language,
                         QT_TRANSLATE_NOOP("LanguageImages", "About"),
                         13,
                         Palette::glyphDim(),
                         false,
                         Qt::AlignRight | Qt::AlignVCenter);
    };
}

Painter textButton(const char *word, QColor backdrop, State state)
{
    return [=](QPainter &p, const QSize &size, const QString &language) {
        const QRectF area = fullRect(size);
        p.fillRect(area, backdrop);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(state == State::Clicked ? Palette::accentLight() : Palette::outline(), 1));
        p.setBrush(state == State::Clicked ? Palette::accent() : Palette::bar());
        p.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        ImageWords::draw(p, area.adjusted(2, 0, -2, 0), language, word, 12, Palette::glyph(), true);
    };
}

// Pictures shown in the map panel instead of the map; transparent so they sit on any panel.
Painter mapNotice(Glyph glyph, const char *title, const char *detail)
{
    return [=](QPainter &p, const QSize &size, const QString &language) {
        const QRectF area = fullRect(size);
        const qreal side = 64;
        Glyphs::draw(p,
                     glyph,
                     QRectF(area.center().x() - side / 2, 30, side, side),
                     Palette::glyphDim(),
                     3);
        ImageWords::draw(p,
                         QRectF(10, 110, size.width() - 20, 24),
                         language,
                         title,
                         16,
                         Palette::glyph(),
                         true);
        ImageWords::draw(p,
                         QRectF(10, 138, size.width() - 20, 20),
                         language,
                         detail,
                         12,
                         Palette::glyphDim(),
                         false);
    };
}

// The car marker of the map page: a badge in the accent colour with a white rim and a car seen
// from behind, readable on any map; transparent around the badge.
Painter carMarker()
{
    return [](QPainter &p, const QSize &size, const QString &) {
        const QRectF area = fullRect(size);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(Palette::accent());
        p.drawEllipse(area.adjusted(2, 2, -2, -2));
        Glyphs::draw(p, Glyph::Car, area.adjusted(7, 7, -7, -7), Qt::white, 1.5);
    };
}

Painter vrHint()
{
    return [](QPainter &p, const QSize &size, const QString &) {
        const QRectF area = fullRect(size);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 160));
        p.drawEllipse(area.adjusted(2, 2, -2, -2));
        Glyphs::draw(p, Glyph::DragHint, area.adjusted(18, 14, -18, -22), Palette::glyph(), 3);
        Glyphs::drawText(p,
                         QRectF(0, size.height() - 26, size.width(), 14),
                         QStringLiteral("VR"),
                         12,
                         Palette::glyph(),
                         true);
    };
}

// The words of the language folders' images, translated for each folder (see ImageWords).
const char *const WordOk = QT_TRANSLATE_NOOP("LanguageImages", "OK");
const char *const WordNoGpsData = QT_TRANSLATE_NOOP("LanguageImages", "No GPS data");
const char *const WordNoGpsDetail
        = QT_TRANSLATE_NOOP("LanguageImages", "This recording has no position track");
const char *const WordMapNotConnected = QT_TRANSLATE_NOOP("LanguageImages", "Map not connected");
const char *const WordNotConnectedDetail
        = QT_TRANSLATE_NOOP("LanguageImages", "The map service cannot be reached");
const char *const WordAll = QT_TRANSLATE_NOOP("LanguageImages", "All");
const char *const WordDrive = QT_TRANSLATE_NOOP("LanguageImages", "Drive");
const char *const WordEvent = QT_TRANSLATE_NOOP("LanguageImages", "Event");
const char *const WordPark = QT_TRANSLATE_NOOP("LanguageImages", "Park");
const char *const WordFront = QT_TRANSLATE_NOOP("LanguageImages", "Front");
const char *const WordRear = QT_TRANSLATE_NOOP("LanguageImages", "Rear");
const char *const WordSurround = QT_TRANSLATE_NOOP("LanguageImages", "Surround");
const char *const WordOriginal = QT_TRANSLATE_NOOP("LanguageImages", "Original");
const char *const WordVr = QT_TRANSLATE_NOOP("LanguageImages", "VR");
const char *const WordPanorama = QT_TRANSLATE_NOOP("LanguageImages", "Panorama");
const char *const WordStereo = QT_TRANSLATE_NOOP("LanguageImages", "Stereo");

// Shorthands for the table below.
const QSize TopButton(32, 31);
const QSize WindowButton(32, 22);
const QSize FullSizeReturn(32, 32);
const QSize Transport(34, 34);
const QSize Small(22, 22);
const QSize Digit(10, 18);
const QSize Filter(47, 25);
const QSize Channel(45, 20);
const QSize Surround(100, 20);

Painter top(Glyph g, State s)
{
    return iconButton(g, s, QColor(), 20, 1.6);
}
Painter transport(Glyph g, State s)
{
    return iconButton(g, s, QColor(), 18, 1.6);
}
Painter bottom(Glyph g, State s)
{
    return iconButton(g, s, Palette::panel(), 16, 1.4);
}
Painter mapButton(Glyph g, State s, qreal side)
{
    return iconButton(g, s, Palette::mapPanel(), side, 1.3);
}

} // namespace

QStringList AssetTable::languages()
{
    QStringList folders;
    for (const LanguageRow &row : kLanguageRows)
        folders << QLatin1String(row.folder);
    return folders;
}

QStringList AssetTable::surroundLanguages()
{
    return {QStringLiteral("english"),
            QStringLiteral("korean"),
            QStringLiteral("japanese"),
            QStringLiteral("chinese_simple"),
            QStringLiteral("chinese_traditional")};
}

AssetTable::Painter AssetTable::appIconPainter()
{
    return appIcon();
}

QVector<AssetTable::Entry> AssetTable::entries()
{
    using S = State;
    const auto all = AllLanguages;
    const auto surround = SurroundLanguages;
    // clang-format off
    return {
        // --- title bar (menu_top): file, export, capture, print, full size, about ---
        {"menu_top/file_open.png", TopButton, top(Glyph::FileOpen, S::Normal)},
        {"menu_top/file_open_over.png", TopButton, top(Glyph::FileOpen, S::Over)},
        {"menu_top/file_open_clicked.png", TopButton, top(Glyph::FileOpen, S::Clicked)},
        {"menu_top/open.png", TopButton, top(Glyph::FolderOpen, S::Normal)},
        {"menu_top/open_over.png", TopButton, top(Glyph::FolderOpen, S::Over)},
        {"menu_top/open_clicked.png", TopButton, top(Glyph::FolderOpen, S::Clicked)},
        {"menu_top/record.png", TopButton, top(Glyph::Record, S::Normal)},
        {"menu_top/record_over.png", TopButton, top(Glyph::Record, S::Over)},
        {"menu_top/record_clicked.png", TopButton, top(Glyph::Record, S::Clicked)},
        {"menu_top/record_disabled.png", TopButton, top(Glyph::Record, S::Disabled)},
        {"menu_top/screenshot.png", TopButton, top(Glyph::Camera, S::Normal)},
        {"menu_top/screenshot_over.png", TopButton, top(Glyph::Camera, S::Over)},
        {"menu_top/screenshot_clicked.png", TopButton, top(Glyph::Camera, S::Clicked)},
        {"menu_top/screenshot_disabled.png", TopButton, top(Glyph::Camera, S::Disabled)},
        {"menu_top/print.png", TopButton, top(Glyph::Printer, S::Normal)},
        {"menu_top/print_over.png", TopButton, top(Glyph::Printer, S::Over)},
        {"menu_top/print_clicked.png", TopButton, top(Glyph::Printer, S::Clicked)},
        {"menu_top/print_disabled.png", TopButton, top(Glyph::Printer, S::Disabled)},
        {"menu_top/fullsize.png", TopButton, top(Glyph::Expand, S::Normal)},
        {"menu_top/fullsize_over.png", TopButton, top(Glyph::Expand, S::Over)},
        {"menu_top/fullsize_clicked.png", TopButton, top(Glyph::Expand, S::Clicked)},
        {"menu_top/about.png", TopButton, top(Glyph::Info, S::Normal)},
        {"menu_top/about_over.png", TopButton, top(Glyph::Info, S::Over)},
        {"menu_top/about_clicked.png", TopButton, top(Glyph::Info, S::Clicked)},
        // --- title bar window buttons (opaque, in the bar colour) ---
        {"menu_top/Minimize.BMP", WindowButton, windowButton(Glyph::Minimize, S::Normal)},
        {"menu_top/Minimize_over.BMP", WindowButton, windowButton(Glyph::Minimize, S::Over)},
        {"menu_top/Minimize_click.BMP", WindowButton, windowButton(Glyph::Minimize, S::Clicked)},
        {"menu_top/full.BMP", WindowButton, windowButton(Glyph::Maximize, S::Normal)},
        {"menu_top/full_over.BMP", WindowButton, windowButton(Glyph::Maximize, S::Over)},
        {"menu_top/full_click.BMP", WindowButton, windowButton(Glyph::Maximize, S::Clicked)},
        {"menu_top/end.bmp", WindowButton, windowButton(Glyph::Close, S::Normal)},
        {"menu_top/end_over.BMP", WindowButton, windowButton(Glyph::Close, S::Over)},
        {"menu_top/end_click.BMP", WindowButton, windowButton(Glyph::Close, S::Clicked)},
        // --- control panel: leave full size ---
        {"menu_top/fullsize_ret.png", FullSizeReturn, top(Glyph::Collapse, S::Normal)},
        {"menu_top/fullsize_ret_over.png", FullSizeReturn, top(Glyph::Collapse, S::Over)},
        {"menu_top/fullsize_ret_clicked.png", FullSizeReturn, top(Glyph::Collapse, S::Clicked)},
        {"menu_top/fullsize_ret_disabled.png", FullSizeReturn, top(Glyph::Collapse, S::Disabled)},

        // --- control panel transport (player2) ---
        {"player2/prev.png", Transport, transport(Glyph::Previous, S::Normal)},
        {"player2/prev_over.png", Transport, transport(Glyph::Previous, S::Over)},
        {"player2/prev_clicked.png", Transport, transport(Glyph::Previous, S::Clicked)},
        {"player2/prev_disabled.png", Transport, transport(Glyph::Previous, S::Disabled)},
        {"player2/rew.png", Transport, transport(Glyph::Rewind, S::Normal)},
        {"player2/rew_over.png", Transport, transport(Glyph::Rewind, S::Over)},
        {"player2/rew_clicked.png", Transport, transport(Glyph::Rewind, S::Clicked)},
        {"player2/rew_disabled.png", Transport, transport(Glyph::Rewind, S::Disabled)},
        {"player2/rew_frame.png", Transport, transport(Glyph::RewindFrame, S::Normal)},
        {"player2/rew_frame_over.png", Transport, transport(Glyph::RewindFrame, S::Over)},
        {"player2/rew_frame_clicked.png", Transport, transport(Glyph::RewindFrame, S::Clicked)},
        {"player2/rew_frame_disabled.png", Transport, transport(Glyph::RewindFrame, S::Disabled)},
        {"player2/play.png", Transport, transport(Glyph::Play, S::Normal)},
        {"player2/play_over.png", Transport, transport(Glyph::Play, S::Over)},
        {"player2/play_clicked.png", Transport, transport(Glyph::Play, S::Clicked)},
        {"player2/play_disabled.png", Transport, transport(Glyph::Play, S::Disabled)},
        {"player2/pause.png", Transport, transport(Glyph::Pause, S::Normal)},
        {"player2/pause_over.png", Transport, transport(Glyph::Pause, S::Over)},
        {"player2/pause_clicked.png", Transport, transport(Glyph::Pause, S::Clicked)},
        {"player2/pause_disabled.png", Transport, transport(Glyph::Pause, S::Disabled)},
        {"player2/fwd.png", Transport, transport(Glyph::Forward, S::Normal)},
        {"player2/fwd_over.png", Transport, transport(Glyph::Forward, S::Over)},
        {"player2/fwd_clicked.png", Transport, transport(Glyph::Forward, S::Clicked)},
        {"player2/fwd_disabled.png", Transport, transport(Glyph::Forward, S::Disabled)},
        {"player2/fwd_frame.png", Transport, transport(Glyph::ForwardFrame, S::Normal)},
        {"player2/fwd_frame_over.png", Transport, transport(Glyph::ForwardFrame, S::Over)},
        {"player2/fwd_frame_clicked.png", Transport, transport(Glyph::ForwardFrame, S::Clicked)},
        {"player2/fwd_frame_disabled.png", Transport, transport(Glyph::ForwardFrame, S::Disabled)},
        {"player2/next.png", Transport, transport(Glyph::Next, S::Normal)},
        {"player2/next_over.png", Transport, transport(Glyph::Next, S::Over)},
        {"player2/next_clicked.png", Transport, transport(Glyph::Next, S::Clicked)},
        {"player2/next_disabled.png", Transport, transport(Glyph::Next, S::Disabled)},

        // --- control panel small buttons (menu_bottom, on the panel colour) ---
        {"menu_bottom/framesearch_skin.BMP", Small, toggleButton(Glyph::FrameSearch, true, S::Normal)},
        {"menu_bottom/framesearch_skin_over.BMP", Small, toggleButton(Glyph::FrameSearch, true, S::Over)},
        {"menu_bottom/framesearch_skin_clicked.BMP", Small, toggleButton(Glyph::FrameSearch, true, S::Clicked)},
        {"menu_bottom/framesearch_skin_disabled.bmp", Small, toggleButton(Glyph::FrameSearch, false, S::Normal)},
        {"menu_bottom/videospeed_skin.BMP", Small, bottom(Glyph::Speed, S::Normal)},
        {"menu_bottom/videospeed_skin_over.BMP", Small, bottom(Glyph::Speed, S::Over)},
        {"menu_bottom/videospeed_skin_clicked.BMP", Small, bottom(Glyph::Speed, S::Clicked)},
        {"menu_bottom/videospeed_skin_disabled.BMP", Small, bottom(Glyph::Speed, S::Disabled)},
        {"menu_bottom/brightness_skin.BMP", Small, bottom(Glyph::Brightness, S::Normal)},
        {"menu_bottom/brightness_skin_over.BMP", Small, bottom(Glyph::Brightness, S::Over)},
        {"menu_bottom/brightness_skin_clicked.BMP", Small, bottom(Glyph::Brightness, S::Clicked)},
        {"menu_bottom/brightness_skin_disabled.BMP", Small, bottom(Glyph::Brightness, S::Disabled)},
        {"menu_bottom/volume_skin.BMP", Small, bottom(Glyph::Volume, S::Normal)},
        {"menu_bottom/volume_skin_over.BMP", Small, bottom(Glyph::Volume, S::Over)},
        {"menu_bottom/volume_skin_clicked.BMP", Small, bottom(Glyph::Volume, S::Clicked)},
        {"menu_bottom/volume_skin_disabled.BMP", Small, bottom(Glyph::Volume, S::Disabled)},
        {"menu_bottom/mute_skin.BMP", Small, bottom(Glyph::Mute, S::Normal)},
        {"menu_bottom/mute_skin_over.BMP", Small, bottom(Glyph::Mute, S::Over)},
        {"menu_bottom/mute_skin_clicked.BMP", Small, bottom(Glyph::Mute, S::Clicked)},
        {"menu_bottom/mute_skin_disabled.BMP", Small, bottom(Glyph::Mute, S::Disabled)},

        // --- sliders and the VR hint (player) ---
        {"player/slider_bg.bmp", QSize(60, 6), solidTrack(Palette::outline())},
        {"player/speedbar_sel_F.BMP", QSize(8, 16), sliderHandle()},
        {"player/seekbar_bg.BMP", QSize(64, 6), solidTrack(Palette::outline())},
        {"player/playbar_center.bmp", QSize(64, 6), solidTrack(Palette::accent())},
        {"player/seekbar_sel_F.BMP", QSize(10, 18), sliderHandle()},
        {"player/vr_hint.png", QSize(96, 96), vrHint()},

        // --- volume slider (7 pixels per level) ---
        {"volume/vol_back.BMP", QSize(70, 25), volumeBars(false)},
        {"volume/vol_10.BMP", QSize(70, 25), volumeBars(true)},

        // --- speed display ---
        {"speed/speed_Num_0.bmp", Digit, digit(0)},
        {"speed/speed_Num_1.bmp", Digit, digit(1)},
        {"speed/speed_Num_2.bmp", Digit, digit(2)},
        {"speed/speed_Num_3.bmp", Digit, digit(3)},
        {"speed/speed_Num_4.bmp", Digit, digit(4)},
        {"speed/speed_Num_5.bmp", Digit, digit(5)},
        {"speed/speed_Num_6.bmp", Digit, digit(6)},
        {"speed/speed_Num_7.bmp", Digit, digit(7)},
        {"speed/speed_Num_8.bmp", Digit, digit(8)},
        {"speed/speed_Num_9.bmp", Digit, digit(9)},
        {"speed/speed_-.bmp", Digit, dash()},
        {"speed/speed_Num_comma.bmp", QSize(6, 18), decimalPoint()},
        {"speed/speed_bg.BMP", QSize(124, 38), speedBackground(QStringLiteral("km/h"))},
        {"speed/speed_bg_mile.bmp", QSize(124, 38), speedBackground(QStringLiteral("mph"))},

        // --- map panel title bar (on the map panel colour) ---
        {"map/map.BMP", QSize(21, 21), mapButton(Glyph::PopOut, S::Normal, 15)},
        {"map/map_clicked.BMP", QSize(21, 21), mapButton(Glyph::PopOut, S::Clicked, 15)},
        {"map/map_disabled.BMP", QSize(21, 21), mapButton(Glyph::PopOut, S::Disabled, 15)},
        {"map/map_minus.bmp", QSize(28, 28), mapButton(Glyph::Restore, S::Normal, 18)},
        {"map/map_minus_clicked.bmp", QSize(28, 28), mapButton(Glyph::Restore, S::Clicked, 18)},
        {"map/map_minus_disable.bmp", QSize(28, 28), mapButton(Glyph::Restore, S::Disabled, 18)},
        // --- the map page's car marker (beside the page, resource/map/google/) ---
        {"car.png", QSize(32, 32), carMarker(), NoLanguage, MapPage},

        // --- logo, title bar background, idle video background, program icon ---
        {"logo/image_topBar.bmp", QSize(16, 40), topBar()},
        {"logo/image_logo.bmp", QSize(112, 28), logo()},
        {"logo/image_bg.bmp", QSize(640, 360), displayBackground()},
        {"icon/vistrel.png", QSize(256, 256), appIcon()},

        // --- language folders: about dialog ---
        {"lang_dependent/%1/about/about.bmp", QSize(291, 28), aboutPicture(), all},
        {"lang_dependent/%1/about/about_ok.BMP", QSize(66, 26), textButton(WordOk, Palette::black(), S::Normal), all},
        {"lang_dependent/%1/about/about_ok_clicked.BMP", QSize(66, 26), textButton(WordOk, Palette::black(), S::Clicked), all},
        // --- language folders: map panel pictures ---
        {"lang_dependent/%1/map/no_data.png", QSize(300, 200), mapNotice(Glyph::NoGps, WordNoGpsData, WordNoGpsDetail), all},
        {"lang_dependent/%1/map/not_connected.png", QSize(300, 200), mapNotice(Glyph::NotConnected, WordMapNotConnected, WordNotConnectedDetail), all},
        // --- language folders: play list filters ---
        {"lang_dependent/%1/playlist/list_all.BMP", Filter, chip(WordAll, S::Normal), all},
        {"lang_dependent/%1/playlist/list_all_clicked.BMP", Filter, chip(WordAll, S::Clicked), all},
        {"lang_dependent/%1/playlist/list_all_disable.BMP", Filter, chip(WordAll, S::Disabled), all},
        {"lang_dependent/%1/playlist/list_always.BMP", Filter, chip(WordDrive, S::Normal), all},
        {"lang_dependent/%1/playlist/list_always_clicked.BMP", Filter, chip(WordDrive, S::Clicked), all},
        {"lang_dependent/%1/playlist/list_always_disable.BMP", Filter, chip(WordDrive, S::Disabled), all},
        {"lang_dependent/%1/playlist/list_event.BMP", Filter, chip(WordEvent, S::Normal), all},
        {"lang_dependent/%1/playlist/list_event_clicked.BMP", Filter, chip(WordEvent, S::Clicked), all},
        {"lang_dependent/%1/playlist/list_event_disable.BMP", Filter, chip(WordEvent, S::Disabled), all},
        {"lang_dependent/%1/playlist/list_parking.BMP", Filter, chip(WordPark, S::Normal), all},
        {"lang_dependent/%1/playlist/list_parking_clicked.BMP", Filter, chip(WordPark, S::Clicked), all},
        {"lang_dependent/%1/playlist/list_parking_disable.BMP", Filter, chip(WordPark, S::Disabled), all},
        // --- language folders: channel buttons (unchecked, checked) ---
        {"lang_dependent/%1/player/ch1_zelk.bmp", Channel, chip(WordFront, S::Normal), all},
        {"lang_dependent/%1/player/ch1_clicked_zelk.bmp", Channel, chip(WordFront, S::Clicked), all},
        {"lang_dependent/%1/player/ch2_zelk.bmp", Channel, chip(WordRear, S::Normal), all},
        {"lang_dependent/%1/player/ch2_clicked_zelk.bmp", Channel, chip(WordRear, S::Clicked), all},
        {"lang_dependent/%1/player/inner_zelk.bmp", QSize(102, 20), chip(WordSurround, S::Normal), all},
        {"lang_dependent/%1/player/inner_clicked_zelk.bmp", QSize(102, 20), chip(WordSurround, S::Clicked), all},
        {"lang_dependent/%1/player/all_zelk.bmp", Channel, chip(WordAll, S::Normal), all},
        {"lang_dependent/%1/player/all_clicked_zelk.bmp", Channel, chip(WordAll, S::Clicked), all},
        // --- surround view-mode buttons: the player panel shows the *_clicked_zel file while
        // a button is unchecked and the other one while it is checked, so they are drawn so ---
        {"lang_dependent/%1/player/original_clicked_zel.bmp", Surround, chip(WordOriginal, S::Normal), surround},
        {"lang_dependent/%1/player/original_zelk.bmp", Surround, chip(WordOriginal, S::Clicked), surround},
        {"lang_dependent/%1/player/vr_clicked_zel.bmp", Surround, chip(WordVr, S::Normal), surround},
        {"lang_dependent/%1/player/vr_zelk.bmp", Surround, chip(WordVr, S::Clicked), surround},
        {"lang_dependent/%1/player/panorama_clicked_zel.bmp", Surround, chip(WordPanorama, S::Normal), surround},
        {"lang_dependent/%1/player/panorama_zel.bmp", Surround, chip(WordPanorama, S::Clicked), surround},
        {"lang_dependent/%1/player/stereo_clicked_zel.bmp", Surround, chip(WordStereo, S::Normal), surround},
        {"lang_dependent/%1/player/stereo_zelk.bmp", Surround, chip(WordStereo, S::Clicked), surround},
    };
    // clang-format on
}

QString AssetTable::folderPath(Folder folder)
{
    return folder == MapPage ? QStringLiteral("map/google/") : QStringLiteral("img/");
}

QVector<AssetTable::Image> AssetTable::images()
{
    QVector<Image> result;
    for (const Entry &entry : entries()) {
        QStringList folders;
        if (entry.languages == AllLanguages)
            folders = languages();
        else if (entry.languages == SurroundLanguages)
            folders = surroundLanguages();
        if (folders.isEmpty()) {
            result.append({entry.path, entry.size, entry.paint, QString(), entry.folder});
            continue;
        }
        for (const QString &language : folders) {
            result.append(
                    {entry.path.arg(language), entry.size, entry.paint, language, entry.folder});
        }
    }
    return result;
}
