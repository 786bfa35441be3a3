#pragma once

#include "removabledrivequery.h"

#include <QSet>
#include <QStringList>

// A removable-drive query with a fixed answer: exactly the folders it was given are removable
// roots. Used by the tests and by the command line's "--removable-root DIR". Immutable after
// construction, so any thread may call it.
class FixedRemovableDriveQuery : public RemovableDriveQuery
{
public:
    // Relative folders are taken relative to the current directory now; trailing slashes and
    // "." / ".." steps are cleaned away. Symbolic links are not resolved.
    explicit FixedRemovableDriveQuery(const QStringList &roots = QStringList());

    bool isRemovableRoot(const QString &path) const override;

    QStringList roots() const;

private:
    QSet<QString> m_roots;
};
