#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QPainter;

// The list of every image the viewer loads from its resource tree, with the size it is drawn at
// and the function that draws it: the interface images below ":/resource/img/" and the map
// page's own images beside the page (":/resource/map/google/"). To add an image, add one row to
// the table in assettable.cpp; the writer, the generated .qrc and the resource test pick it up
// from there.
class AssetTable
{
public:
    // Which language folders a lang_dependent row is written into.
    enum Languages { NoLanguage, AllLanguages, SurroundLanguages };
    // Which resource folder an image lies in.
    enum Folder { InterfaceImages, MapPage };

    // Draws one image of `size` (the painter starts on a cleared, transparent image).
    using Painter
            = std::function<void(QPainter &painter, const QSize &size, const QString &language)>;

    struct Entry
    {
        QString path; // below the folder; "%1" stands for the language folder
        QSize size;
        Painter paint;
        Languages languages = NoLanguage;
        Folder folder = InterfaceImages;
    };

    // One concrete file: an entry with its language folder filled in.
    struct Image
    {
        QString path; // below the folder
        QSize size;
        Painter paint;
        QString language; // empty for language-independent images
        Folder folder = InterfaceImages;

        // The file's path in the resource tree, below "resource/" ("img/...", "map/google/...").
        QString resourcePath() const { return folderPath(folder) + path; }
    };

    // "img/" or "map/google/".
    static QString folderPath(Folder folder);

    // The fourteen language folders, and the five that carry the surround view-mode buttons.
    static QStringList languages();
    static QStringList surroundLanguages();

    static QVector<Entry> entries();
    // The program icon (icon/vistrel.png, and the desktop's icons at every size).
    static Painter appIconPainter();
    static QVector<Image> images();
};
