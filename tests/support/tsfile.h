#pragma once

#include <QString>
#include <QVector>

// A Qt Linguist translation source (.ts) as the tests read it: its target language and every
// message with its context, source text, translation and state.
class TsFile
{
public:
    struct Message
    {
        QString context;
        QString source;
        QString translation;
        // The translation element's type: empty when finished, else "unfinished", "vanished"
        // or "obsolete".
        QString type;

        bool isFinished() const { return type.isEmpty() && !translation.isEmpty(); }
    };

    // False with the reason in *error when the file cannot be read or is no Linguist file.
    bool load(const QString &path, QString *error);

    QString language() const { return m_language; }
    const QVector<Message> &messages() const { return m_messages; }
    // The message of this context and source text; nullptr when the file has none.
    const Message *find(const QString &context, const QString &source) const;

private:
    QString m_language;
    QVector<Message> m_messages;
};
