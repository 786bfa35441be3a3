#include "toolargs.h"

ToolArgs::ToolArgs(const QStringList &arguments,
                   const QSet<QString> &valueOptions,
                   const QSet<QString> &flagOptions)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (!arg.startsWith(QLatin1String("--")) || arg == QLatin1String("--")) {
            m_positionals << arg;
            continue;
        }
        QString name = arg.mid(2);
        QString value;
        const int equals = name.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
            if (flagOptions.contains(name)) {
                m_error = QStringLiteral("option --%1 takes no value").arg(name);
                return;
            }
        } else if (flagOptions.contains(name)) {
            m_values[name] << QString();
            continue;
        } else if (valueOptions.contains(name)) {
            if (i + 1 >= arguments.size()) {
                m_error = QStringLiteral("option --%1 needs a value").arg(name);
                return;
            }
            value = arguments.at(++i);
        }
        if (!valueOptions.contains(name)) {
            m_error = QStringLiteral("unknown option --%1").arg(name);
            return;
        }
        m_values[name] << value;
    }
}
