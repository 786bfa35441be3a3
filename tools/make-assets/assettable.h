#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QPainter;

// The list of every interface image the viewer loads from ":/resource/img/", with the size it
// is drawn at and the function that draws it. To add an image, add one row to the table in
// assettable.cpp; the writer, the generated .qrc and the resource test pick it up from there.
class AssetTable
{
public:
    // Which language folders a lang_dependent row is written into.
    enum Languages { NoLanguage, AllLanguages, SurroundLanguages };

    // Draws one image of `size` (the painter starts on a cleared, transparent image).
    using Painter
            = std::function<void(QPainter &painter, const QSize &size, const QString &language)>;

    struct Entry
    {
        QString path; // below resource/img/; "%1" stands for the language folder
        QSize size;
        Painter paint;
        Languages languages = NoLanguage;
    };

    // One concrete file: an entry with its language folder filled in.
    struct Image
    {
        QString path; // below resource/img/
        QSize size;
        Painter paint;
        QString language; // empty for language-independent images
    };

    // The fourteen language folders, and the five that carry the surround view-mode buttons.
    static QStringList languages();
    static QStringList surroundLanguages();

    static QVector<Entry> entries();
    static QVector<Image> images();
};
