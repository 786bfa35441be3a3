#include "imagewords.h"

#include "glyphs.h"
#include "translations/languagetable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QRawFont>
#include <QTranslator>

#include <memory>

namespace {

const LanguageRow *rowOf(const QString &language)
{
    for (const LanguageRow &row : kLanguageRows) {
        if (language == QLatin1String(row.folder))
            return &row;
    }
    return nullptr;
}

QHash<QString, std::shared_ptr<QTranslator>> &translators()
{
    static QHash<QString, std::shared_ptr<QTranslator>> loaded;
    return loaded;
}

QStringList &problemList()
{
    static QStringList problems;
    return problems;
}

void addProblem(const QString &problem)
{
    if (!problemList().contains(problem))
        problemList().append(problem);
}

} // namespace

bool ImageWords::load(const QString &qmFolder, const QStringList &languages, QString *error)
{
    for (const QString &language : languages) {
        const LanguageRow *row = rowOf(language);
        if (!row) {
            *error = QStringLiteral("no translation is known for the language folder %1")
                             .arg(language);
            return false;
        }
        if (*row->qm == '\0')
            continue;
        const QString path
                = QDir(qmFolder).filePath(QLatin1String(row->qm) + QStringLiteral(".qm"));
        auto translator = std::make_shared<QTranslator>();
        if (!QFileInfo(path).isFile() || !translator->load(path)) {
            *error = QStringLiteral("cannot load the translation %1").arg(path);
            return false;
        }
        translators().insert(language, translator);
    }
    return true;
}

QString ImageWords::qmName(const QString &language)
{
    const LanguageRow *row = rowOf(language);
    return row ? QLatin1String(row->qm) : QString();
}

QString ImageWords::fontFamily(const QString &language)
{
    const LanguageRow *row = rowOf(language);
    return QLatin1String(row ? row->family : "Noto Sans");
}

QString ImageWords::text(const QString &language, const char *source)
{
    const auto found = translators().constFind(language);
    if (found != translators().constEnd()) {
        const QString translated = found.value()->translate(Context, source);
        if (!translated.isEmpty())
            return translated;
    }
    return QString::fromUtf8(source);
}

void ImageWords::draw(QPainter &painter,
                      const QRectF &area,
                      const QString &language,
                      const char *source,
                      int pixelSize,
                      const QColor &color,
                      bool bold,
                      int alignment)
{
    const QString word = text(language, source);
    const QString family = fontFamily(language);
    bool fits = false;
    QFont font = Glyphs::fittedFont(family, word, area.size(), pixelSize, bold, true, &fits);
    int flags = alignment;
    // Words that do not fit on one line even at the smallest size may take two or more lines
    // where the picture is tall enough.
    if (!fits && word.contains(QLatin1Char(' '))) {
        for (int size = pixelSize; size >= Glyphs::MinimumPixelSize && !fits; --size) {
            QFont wrapped = font;
            wrapped.setPixelSize(size);
            const QRectF needed
                    = QFontMetricsF(wrapped).boundingRect(area, alignment | Qt::TextWordWrap, word);
            if (needed.width() <= area.width() && needed.height() <= area.height()) {
                fits = true;
                font = wrapped;
                flags |= Qt::TextWordWrap;
            }
        }
    }
    const QString where
            = QStringLiteral("%1 \"%2\" (%3)").arg(language, word, QString::fromUtf8(source));

    // A missing font would be replaced silently by one that may lack the script.
    if (QFontInfo(font).family() != family) {
        addProblem(QStringLiteral("the font %1 is not installed (fonts-noto-core, fonts-noto-cjk)")
                           .arg(family));
    } else {
        const QRawFont raw = QRawFont::fromFont(font);
        const QVector<uint> characters = word.toUcs4();
        for (uint character : characters) {
            if (QChar::isSpace(character) || raw.supportsCharacter(character))
                continue;
            addProblem(QStringLiteral("%1: %2 has no glyph for U+%3")
                               .arg(where,
                                    family,
                                    QString::number(character, 16)
                                            .toUpper()
                                            .rightJustified(4, QLatin1Char('0'))));
        }
    }
    if (!fits) {
        addProblem(QStringLiteral("%1 does not fit %2x%3 pixels even at %4 px: a shorter "
                                  "translation is needed")
                           .arg(where)
                           .arg(area.width())
                           .arg(area.height())
                           .arg(Glyphs::MinimumPixelSize));
    }

    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(area, flags, word);
    painter.restore();
}

QStringList ImageWords::problems()
{
    return problemList();
}
