#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

// The words drawn into the images of the language folders. The sources name them with
// QT_TRANSLATE_NOOP("LanguageImages", ...), so lupdate extracts them into the viewer's
// translation files; each folder's images take their words from that language's compiled
// translation (Vistrel_<code>.qm, the one the viewer loads for the folder) and are drawn in a
// font that covers its script. "english", and any word a translation lacks, keep the source
// text. Main thread only (one process-wide set of translations).
class ImageWords
{
public:
    static constexpr const char *Context = "LanguageImages";

    // Loads the .qm file of every language folder of `languages` from `qmFolder`. False with
    // the reason in *error when one of them is missing or unreadable. Without a call every
    // folder shows the source texts.
    static bool load(const QString &qmFolder, const QStringList &languages, QString *error);

    // The .qm base name of a language folder ("korean" -> "Vistrel_ko"); empty for "english"
    // and for unknown folders.
    static QString qmName(const QString &language);
    // The font family that covers the language's script: Noto Sans CJK KR, JP, SC or TC for
    // the Korean, Japanese and Chinese folders, Noto Sans for the others.
    static QString fontFamily(const QString &language);
    // The word in the language (the source text where there is no translation for it).
    static QString text(const QString &language, const char *source);

    // Draws the word of `language` into `area` (aligned by `alignment`) in the language's font,
    // shrunk from `pixelSize` until it fits, on one line or else, when the picture is tall
    // enough, wrapped at blanks. A word that does not fit even at the smallest size,
    // or that has a character the font lacks, or a font that is not installed, is recorded in
    // problems().
    static void draw(QPainter &painter,
                     const QRectF &area,
                     const QString &language,
                     const char *source,
                     int pixelSize,
                     const QColor &color,
                     bool bold,
                     int alignment = 0x0084 /* Qt::AlignCenter */);

    // What went wrong while drawing, one line each; empty when every word was drawn whole.
    static QStringList problems();
};
