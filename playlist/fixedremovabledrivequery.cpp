#include "fixedremovabledrivequery.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString normalized(const QString &path)
{
    if (path.isEmpty())
        return QString();
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

FixedRemovableDriveQuery::FixedRemovableDriveQuery(const QStringList &roots)
{
    for (const QString &root : roots) {
        const QString path = normalized(root);
        if (!path.isEmpty())
            m_roots.insert(path);
    }
}

bool FixedRemovableDriveQuery::isRemovableRoot(const QString &path) const
{
    const QString key = normalized(path);
    return !key.isEmpty() && m_roots.contains(key);
}

QStringList FixedRemovableDriveQuery::roots() const
{
    QStringList list(m_roots.cbegin(), m_roots.cend());
    std::sort(list.begin(), list.end());
    return list;
}
