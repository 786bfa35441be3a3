#include "tsfile.h"

#include <QFile>
#include <QXmlStreamReader>

bool TsFile::load(const QString &path, QString *error)
{
    m_language.clear();
    m_messages.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    bool isTs = false;
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("TS")) {
            isTs = true;
            m_language = xml.attributes().value(QLatin1String("language")).toString();
        } else if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = Message();
            message.context = context;
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            // Plural forms (<numerusform> children) come joined into one text.
            message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            m_messages.append(message);
        }
    }
    if (xml.hasError() || !isTs) {
        *error = path + QStringLiteral(": ")
                + (xml.hasError() ? xml.errorString() : QStringLiteral("no <TS> element"));
        return false;
    }
    return true;
}

const TsFile::Message *TsFile::find(const QString &context, const QString &source) const
{
    for (const Message &message : m_messages) {
        if (message.context == context && message.source == source)
            return &message;
    }
    return nullptr;
}
