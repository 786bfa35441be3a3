#include "logcapture.h"

#include <QLoggingCategory>
#include <QMutexLocker>

namespace {
LogCapture *g_active = nullptr;
}

LogCapture::LogCapture()
{
    g_active = this;
    m_previous = qInstallMessageHandler(&LogCapture::handler);
    // The program's debug lines are off by default; a test that reads them switches them on.
    QLoggingCategory::setFilterRules(QStringLiteral("vistrel.*.debug=true"));
}

LogCapture::~LogCapture()
{
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(m_previous);
    g_active = nullptr;
}

void LogCapture::handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    LogCapture *self = g_active;
    if (!self)
        return;
    {
        QMutexLocker lock(&self->m_mutex);
        self->m_lines << message;
    }
    if (self->m_previous && qEnvironmentVariableIsSet("VISTREL_TEST_VERBOSE"))
        self->m_previous(type, context, message);
}

QStringList LogCapture::lines() const
{
    QMutexLocker lock(&m_mutex);
    return m_lines;
}

bool LogCapture::contains(const QString &fragment) const
{
    return count(fragment) > 0;
}

int LogCapture::count(const QString &fragment) const
{
    QMutexLocker lock(&m_mutex);
    int n = 0;
    for (const QString &line : m_lines)
        n += line.contains(fragment) ? 1 : 0;
    return n;
}

void LogCapture::clear()
{
    QMutexLocker lock(&m_mutex);
    m_lines.clear();
}
