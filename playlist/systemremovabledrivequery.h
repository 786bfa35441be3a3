#pragma once

#include "removabledrivequery.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// The Linux answer to "is this folder the root of a removable drive": the folder must be,
// as a string, the mount point of the root of a mounted volume whose block device is
// removable or sits on USB. Both sources are read afresh on every call, so a card put in
// after start-up is seen. Holds only its two paths: any thread may call it.
//
// - Mounts come from mountinfo (/proc/self/mountinfo): the last mount on a mount point is
//   the one that is visible there. A bind mount of a sub-folder (root field other than "/")
//   shows no drive root and does not count.
// - The device is found from the mount's major:minor through <sys>/dev/block/<maj:min>, the
//   same device folder that /sys/class/block/<name> links to. It is removable when its
//   "removable" attribute is 1 or, for a partition, its parent disk's is; or when the
//   resolved device folder lies below a USB controller (its path contains "/usb").
// - Volumes without a block device (tmpfs, overlay, network, btrfs subvolumes with an
//   anonymous 0:N device) are never removable.
class SystemRemovableDriveQuery : public RemovableDriveQuery
{
public:
    // One line of mountinfo, with the escapes (\040 for a blank ...) of its paths undone.
    struct Mount
    {
        QString majorMinor; // "8:17"
        QString root; // the volume's folder that is mounted, "/" for the whole volume
        QString mountPoint; // where it is mounted
        QString fsType;
        QString source;
    };

    // The paths are for tests; the defaults are the system's.
    explicit SystemRemovableDriveQuery(const QString &mountInfoPath
                                       = QStringLiteral("/proc/self/mountinfo"),
                                       const QString &sysRoot = QStringLiteral("/sys"));

    // A trailing '/' on path is ignored ("/media/card/" is "/media/card"); nothing else of
    // the path is changed or resolved.
    bool isRemovableRoot(const QString &path) const override;

    // Whether the block device major:minor is removable or on USB (see above).
    bool isRemovableDevice(const QString &majorMinor) const;

    // Parses mountinfo text; malformed lines are skipped.
    static QVector<Mount> parseMountInfo(const QByteArray &text);
    // Undoes the kernel's octal escapes (\040 blank, \011 tab, \012 newline, \134 backslash).
    static QString unescapeMountField(const QByteArray &field);

private:
    QString m_mountInfoPath;
    QString m_sysRoot;
};
