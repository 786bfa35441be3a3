#include "systemremovabledrivequery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

namespace {

// mountinfo of a system with thousands of mounts stays far below this.
constexpr qint64 maxMountInfoBytes = 16 * 1024 * 1024;
// A sysfs attribute such as "removable" holds one short line.
constexpr qint64 maxAttributeBytes = 64;

QByteArray readFile(const QString &path, qint64 maxBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    // procfs and sysfs report a size of 0: read until the end, not by size.
    return file.read(maxBytes);
}

bool isDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

bool isOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

} // namespace

SystemRemovableDriveQuery::SystemRemovableDriveQuery(const QString &mountInfoPath,
                                                     const QString &sysRoot)
    : m_mountInfoPath(mountInfoPath)
    , m_sysRoot(sysRoot)
{ }

bool SystemRemovableDriveQuery::isRemovableRoot(const QString &path) const
{
    QString key = path;
    while (key.size() > 1 && key.endsWith(QLatin1Char('/')))
        key.chop(1);
    if (key.isEmpty())
        return false;

    const QVector<Mount> mounts = parseMountInfo(readFile(m_mountInfoPath, maxMountInfoBytes));
    // Later mounts hide earlier ones on the same mount point.
    for (int i = mounts.size() - 1; i >= 0; --i) {
        const Mount &mount = mounts.at(i);
        if (mount.mountPoint != key)
            continue;
        return mount.root == QLatin1String("/") && isRemovableDevice(mount.majorMinor);
    }
    return false;
}

bool SystemRemovableDriveQuery::isRemovableDevice(const QString &majorMinor) const
{
    // The text comes from a file: allow digits and one colon only, so it cannot name
    // another place under sysfs.
    const int colon = majorMinor.indexOf(QLatin1Char(':'));
    if (colon < 0 || !isDigits(majorMinor.left(colon)) || !isDigits(majorMinor.mid(colon + 1)))
        return false;

    const QString sysRoot = QFileInfo(m_sysRoot).canonicalFilePath();
    const QString device
            = QFileInfo(m_sysRoot + QStringLiteral("/dev/block/") + majorMinor).canonicalFilePath();
    if (sysRoot.isEmpty() || device.isEmpty() || !device.startsWith(sysRoot + QLatin1Char('/')))
        return false;

    // Card readers and sticks on USB often report removable 0; their place in the device
    // tree gives them away.
    if (device.mid(sysRoot.size()).contains(QLatin1String("/usb")))
        return true;

    const auto attributeIsOne = [](const QString &folder) {
        return readFile(folder + QStringLiteral("/removable"), maxAttributeBytes).trimmed() == "1";
    };
    if (attributeIsOne(device))
        return true;
    // A partition has no attribute of its own; its disk is the folder above it.
    if (QFileInfo::exists(device + QStringLiteral("/partition"))) {
        const QString disk = QFileInfo(device).absolutePath();
        if (disk.startsWith(sysRoot + QLatin1Char('/')) && attributeIsOne(disk))
            return true;
    }
    return false;
}

QVector<SystemRemovableDriveQuery::Mount> SystemRemovableDriveQuery::parseMountInfo(
        const QByteArray &text)
{
    // Line format (proc(5)): id parent major:minor root mount-point options [optional...] -
    // fs-type source super-options. Fields are separated by single blanks; blanks inside
    // paths are escaped.
    QVector<Mount> mounts;
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 9)
            continue;
        int separator = -1;
        for (int i = 6; i < fields.size(); ++i) {
            if (fields.at(i) == "-") {
                separator = i;
                break;
            }
        }
        if (separator < 0 || separator + 2 >= fields.size())
            continue;
        if (fields.at(2).isEmpty() || fields.at(3).isEmpty() || fields.at(4).isEmpty())
            continue;
        Mount mount;
        mount.majorMinor = QString::fromLatin1(fields.at(2));
        mount.root = unescapeMountField(fields.at(3));
        mount.mountPoint = unescapeMountField(fields.at(4));
        mount.fsType = unescapeMountField(fields.at(separator + 1));
        mount.source = unescapeMountField(fields.at(separator + 2));
        mounts.append(mount);
    }
    return mounts;
}

QString SystemRemovableDriveQuery::unescapeMountField(const QByteArray &field)
{
    QByteArray bytes;
    bytes.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c == '\\' && i + 3 < field.size() && isOctalDigit(field.at(i + 1))
            && isOctalDigit(field.at(i + 2)) && isOctalDigit(field.at(i + 3))) {
            const int value = (field.at(i + 1) - '0') * 64 + (field.at(i + 2) - '0') * 8
                    + (field.at(i + 3) - '0');
            if (value <= 0xff) {
                bytes.append(static_cast<char>(value));
                i += 3;
                continue;
            }
        }
        bytes.append(c);
    }
    // Paths are bytes on Linux; decode them the way Qt decodes file names.
    return QFile::decodeName(bytes);
}
