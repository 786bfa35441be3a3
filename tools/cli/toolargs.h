#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

// Arguments of one vistrel-tool command: positionals, "--name VALUE" options and "--name"
// flags.
class ToolArgs
{
public:
    // valueOptions: the options the command accepts, each taking one value; flagOptions: those
    // that take none.
    ToolArgs(const QStringList &arguments,
             const QSet<QString> &valueOptions,
             const QSet<QString> &flagOptions = {});

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    const QStringList &positionals() const { return m_positionals; }
    bool has(const QString &option) const { return m_values.contains(option); }
    QString value(const QString &option) const { return m_values.value(option).value(0); }
    QStringList values(const QString &option) const { return m_values.value(option); }

private:
    QStringList m_positionals;
    QMap<QString, QStringList> m_values;
    QString m_error;
};
