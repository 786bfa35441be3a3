#include "playlist/fixedremovabledrivequery.h"
#include "playlist/folderscanner.h"
#include "playlist/systemremovabledrivequery.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool writeFile(const QString &path, const QByteArray &content)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Writes a block device folder the way sysfs lays it out and links <sys>/dev/block/<maj:min>
// to it. removable < 0 writes no attribute (partitions have none).
bool addBlockDevice(const QString &sys,
                    const QString &devicePath,
                    const QString &majorMinor,
                    int removable,
                    bool partition)
{
    const QString folder = sys + QStringLiteral("/devices/") + devicePath;
    if (!QDir().mkpath(folder))
        return false;
    if (removable >= 0
        && !writeFile(folder + QStringLiteral("/removable"), QByteArray::number(removable) + '\n'))
        return false;
    if (partition && !writeFile(folder + QStringLiteral("/partition"), "1\n"))
        return false;
    const QString link = sys + QStringLiteral("/dev/block/") + majorMinor;
    return QDir().mkpath(sys + QStringLiteral("/dev/block")) && QFile::link(folder, link);
}

QString mountLine(int id,
                  const char *majorMinor,
                  const char *root,
                  const QString &mountPoint,
                  const char *tail)
{
    QString escaped = mountPoint;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\134"));
    escaped.replace(QLatin1Char(' '), QStringLiteral("\\040"));
    return QStringLiteral("%1 1 %2 %3 %4 rw,relatime %5\n")
            .arg(id)
            .arg(QLatin1String(majorMinor), QLatin1String(root), escaped, QLatin1String(tail));
}

} // namespace

class TestRemovableDriveQuery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void system_rootAndTempFolder_areNotRemovableRoots();
    void system_readsThisMachinesMounts();
    void parseMountInfo_readsFieldsAndSkipsMalformedLines();
    void unescapeMountField_data();
    void unescapeMountField();
    void system_answersFromMountsAndDevices_data();
    void system_answersFromMountsAndDevices();
    void system_rejectsDeviceNumbersThatAreNoNumbers_data();
    void system_rejectsDeviceNumbersThatAreNoNumbers();
    void system_makesCardLayoutACardForTheScan();
    void fixed_matchesNormalisedFolders();

private:
    QTemporaryDir m_dir;
    QString m_sys;
    QString m_mountInfo;
    QString m_cardFolder; // a real folder "mounted" from the USB stick
};

void TestRemovableDriveQuery::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_sys = m_dir.filePath(QStringLiteral("sys"));
    m_mountInfo = m_dir.filePath(QStringLiteral("mountinfo"));
    m_cardFolder = m_dir.filePath(QStringLiteral("media/CARD 1"));

    // A USB card reader that reports removable 0, as many do.
    QVERIFY(addBlockDevice(m_sys,
                           QStringLiteral("pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/"
                                          "target6:0:0/6:0:0:0/block/sdb"),
                           QStringLiteral("8:16"),
                           0,
                           false));
    QVERIFY(addBlockDevice(m_sys,
                           QStringLiteral("pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/"
                                          "target6:0:0/6:0:0:0/block/sdb/sdb1"),
                           QStringLiteral("8:17"),
                           -1,
                           true));
    // An internal card reader on SATA: removable disk, partition without an attribute.
    QVERIFY(addBlockDevice(m_sys,
                           QStringLiteral("pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/"
                                          "1:0:0:0/block/sdc"),
                           QStringLiteral("8:32"),
                           1,
                           false));
    QVERIFY(addBlockDevice(m_sys,
                           QStringLiteral("pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/"
                                          "1:0:0:0/block/sdc/sdc1"),
                           QStringLiteral("8:33"),
                           -1,
                           true));
    // A removable disk used without partitions.
    QVERIFY(addBlockDevice(m_sys,
                           QStringLiteral("pci0000:00/0000:00:17.0/ata3/host2/target2:0:0/"
                                          "2:0:0:0/block/sdd"),
                           QStringLiteral("8:48"),
                           1,
                           false));
    // The fixed system disk.
    QVERIFY(addBlockDevice(m_sys,
                           QStringLiteral("pci0000:00/0000:00:1d.0/nvme/nvme0/nvme0n1"),
                           QStringLiteral("259:0"),
                           0,
                           false));
    QVERIFY(addBlockDevice(m_sys,
                           QStringLiteral("pci0000:00/0000:00:1d.0/nvme/nvme0/nvme0n1/nvme0n1p1"),
                           QStringLiteral("259:1"),
                           -1,
                           true));

    QString text;
    text += mountLine(21, "259:1", "/", QStringLiteral("/"), "shared:1 - ext4 /dev/nvme0n1p1 rw");
    text += mountLine(30,
                      "8:17",
                      "/",
                      QStringLiteral("/media/usb"),
                      "shared:5 master:2 - vfat /dev/sdb1 rw,fmask=0022");
    text += mountLine(31, "8:33", "/", QStringLiteral("/media/sata card"), "- exfat /dev/sdc1 rw");
    text += mountLine(32, "8:48", "/", QStringLiteral("/media/whole"), "- vfat /dev/sdd rw");
    text += mountLine(33, "259:1", "/", QStringLiteral("/home"), "- ext4 /dev/nvme0n1p1 rw");
    text += mountLine(34, "8:17", "/DCIM", QStringLiteral("/mnt/bound"), "- vfat /dev/sdb1 rw");
    text += mountLine(35, "0:45", "/", QStringLiteral("/run/user"), "- tmpfs tmpfs rw");
    text += mountLine(36, "8:17", "/", QStringLiteral("/mnt/hidden"), "- vfat /dev/sdb1 rw");
    text += mountLine(37, "0:46", "/", QStringLiteral("/mnt/hidden"), "- tmpfs tmpfs rw");
    text += mountLine(38, "0:47", "/", QStringLiteral("/mnt/ontop"), "- tmpfs tmpfs rw");
    text += mountLine(39, "8:33", "/", QStringLiteral("/mnt/ontop"), "- exfat /dev/sdc1 rw");
    text += mountLine(40, "8:17", "/", m_cardFolder, "- vfat /dev/sdb1 rw");
    text += mountLine(41, "8:99", "/", QStringLiteral("/media/gone"), "- vfat /dev/sdz1 rw");
    text += QStringLiteral("garbage line without fields\n");
    QVERIFY(writeFile(m_mountInfo, text.toUtf8()));
}

void TestRemovableDriveQuery::system_rootAndTempFolder_areNotRemovableRoots()
{
    const SystemRemovableDriveQuery drives;
    QVERIFY(!drives.isRemovableRoot(QStringLiteral("/")));
    QVERIFY(!drives.isRemovableRoot(m_dir.path()));
    QVERIFY(!drives.isRemovableRoot(QDir::tempPath()));
    QVERIFY(!drives.isRemovableRoot(QStringLiteral("/no/such/folder")));
    QVERIFY(!drives.isRemovableRoot(QString()));
}

void TestRemovableDriveQuery::system_readsThisMachinesMounts()
{
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    if (!file.open(QIODevice::ReadOnly))
        QSKIP("no /proc/self/mountinfo here");
    const QVector<SystemRemovableDriveQuery::Mount> mounts
            = SystemRemovableDriveQuery::parseMountInfo(file.readAll());
    QVERIFY(!mounts.isEmpty());
    bool rootSeen = false;
    for (const SystemRemovableDriveQuery::Mount &mount : mounts) {
        QVERIFY2(mount.mountPoint.startsWith(QLatin1Char('/')), qPrintable(mount.mountPoint));
        QVERIFY2(mount.majorMinor.contains(QLatin1Char(':')), qPrintable(mount.majorMinor));
        QVERIFY(!mount.fsType.isEmpty());
        rootSeen = rootSeen || mount.mountPoint == QLatin1String("/");
    }
    QVERIFY(rootSeen);
}

void TestRemovableDriveQuery::parseMountInfo_readsFieldsAndSkipsMalformedLines()
{
    const QByteArray text = "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw\n"
                            "\n"
                            "37 35 8:1 / /media/my\\040card rw - vfat /dev/sda\\0401 rw\n"
                            "38 35 8:2 / /a rw shared:3 master:4 propagate_from:5 - xfs /dev/x\n"
                            "39 35 8:3 / /no-separator rw ext4 /dev/y rw x\n"
                            "40 35 8:4 / /separator-at-end rw a b c -\n"
                            "41 35 8:5 / /only-type rw a b - ext4\n"
                            "42 35 8:6 / /too-short - ext4\n"
                            "43 35 8:7 / /no-super-options rw - ext4 /dev/z";
    const QVector<SystemRemovableDriveQuery::Mount> mounts
            = SystemRemovableDriveQuery::parseMountInfo(text);
    QCOMPARE(mounts.size(), 4);

    QCOMPARE(mounts.at(0).majorMinor, QStringLiteral("98:0"));
    QCOMPARE(mounts.at(0).root, QStringLiteral("/mnt1"));
    QCOMPARE(mounts.at(0).mountPoint, QStringLiteral("/mnt2"));
    QCOMPARE(mounts.at(0).fsType, QStringLiteral("ext3"));
    QCOMPARE(mounts.at(0).source, QStringLiteral("/dev/root"));

    QCOMPARE(mounts.at(1).mountPoint, QStringLiteral("/media/my card"));
    QCOMPARE(mounts.at(1).source, QStringLiteral("/dev/sda 1"));

    QCOMPARE(mounts.at(2).mountPoint, QStringLiteral("/a"));
    QCOMPARE(mounts.at(2).fsType, QStringLiteral("xfs"));
    QCOMPARE(mounts.at(2).source, QStringLiteral("/dev/x"));

    QCOMPARE(mounts.at(3).mountPoint, QStringLiteral("/no-super-options"));
    QCOMPARE(mounts.at(3).source, QStringLiteral("/dev/z"));

    QVERIFY(SystemRemovableDriveQuery::parseMountInfo(QByteArray()).isEmpty());
}

void TestRemovableDriveQuery::unescapeMountField_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QByteArray("/media/card") << QStringLiteral("/media/card");
    QTest::newRow("blank") << QByteArray("/a\\040b") << QStringLiteral("/a b");
    QTest::newRow("tab and newline") << QByteArray("\\011x\\012") << QStringLiteral("\tx\n");
    QTest::newRow("backslash") << QByteArray("a\\134040") << QStringLiteral("a\\040");
    QTest::newRow("escape at the very end") << QByteArray("a\\040") << QStringLiteral("a ");
    QTest::newRow("cut escape") << QByteArray("a\\04") << QStringLiteral("a\\04");
    QTest::newRow("lone backslash") << QByteArray("a\\") << QStringLiteral("a\\");
    QTest::newRow("not octal") << QByteArray("a\\089") << QStringLiteral("a\\089");
    QTest::newRow("beyond a byte") << QByteArray("a\\400") << QStringLiteral("a\\400");
    QTest::newRow("escaped UTF-8")
            << QByteArray("caf\\303\\251") << QString::fromUtf8("caf\xc3\xa9");
    QTest::newRow("raw UTF-8") << QByteArray("caf\xc3\xa9") << QString::fromUtf8("caf\xc3\xa9");
}

void TestRemovableDriveQuery::unescapeMountField()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, text);
    QCOMPARE(SystemRemovableDriveQuery::unescapeMountField(field), text);
}

void TestRemovableDriveQuery::system_answersFromMountsAndDevices_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("removable");
    QTest::newRow("USB partition, removable 0") << QStringLiteral("/media/usb") << true;
    QTest::newRow("trailing slash") << QStringLiteral("/media/usb/") << true;
    QTest::newRow("folder on the drive") << QStringLiteral("/media/usb/DRIVING") << false;
    QTest::newRow("folder above the mount") << QStringLiteral("/media") << false;
    QTest::newRow("case differs") << QStringLiteral("/media/USB") << false;
    QTest::newRow("partition of a removable disk") << QStringLiteral("/media/sata card") << true;
    QTest::newRow("escaped blank must match a blank")
            << QStringLiteral("/media/sata\\040card") << false;
    QTest::newRow("removable disk without partitions") << QStringLiteral("/media/whole") << true;
    QTest::newRow("fixed disk root") << QStringLiteral("/") << false;
    QTest::newRow("fixed disk partition") << QStringLiteral("/home") << false;
    QTest::newRow("bind mount of a sub-folder") << QStringLiteral("/mnt/bound") << false;
    QTest::newRow("no block device") << QStringLiteral("/run/user") << false;
    QTest::newRow("hidden by a later mount") << QStringLiteral("/mnt/hidden") << false;
    QTest::newRow("mounted over a tmpfs") << QStringLiteral("/mnt/ontop") << true;
    QTest::newRow("device gone from sysfs") << QStringLiteral("/media/gone") << false;
    QTest::newRow("not mounted") << QStringLiteral("/media/nothing") << false;
}

void TestRemovableDriveQuery::system_answersFromMountsAndDevices()
{
    QFETCH(QString, path);
    QFETCH(bool, removable);
    const SystemRemovableDriveQuery drives(m_mountInfo, m_sys);
    QCOMPARE(drives.isRemovableRoot(path), removable);
}

void TestRemovableDriveQuery::system_rejectsDeviceNumbersThatAreNoNumbers_data()
{
    QTest::addColumn<QString>("majorMinor");
    QTest::addColumn<bool>("removable");
    QTest::newRow("valid") << QStringLiteral("8:17") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("no minor") << QStringLiteral("8:") << false;
    QTest::newRow("no major") << QStringLiteral(":17") << false;
    QTest::newRow("no colon") << QStringLiteral("817") << false;
    QTest::newRow("path steps") << QStringLiteral("../block/8:17") << false;
    QTest::newRow("trailing steps") << QStringLiteral("8:17/..") << false;
    QTest::newRow("two colons") << QStringLiteral("8:1:7") << false;
}

void TestRemovableDriveQuery::system_rejectsDeviceNumbersThatAreNoNumbers()
{
    QFETCH(QString, majorMinor);
    QFETCH(bool, removable);
    const SystemRemovableDriveQuery drives(m_mountInfo, m_sys);
    QCOMPARE(drives.isRemovableDevice(majorMinor), removable);
}

void TestRemovableDriveQuery::system_makesCardLayoutACardForTheScan()
{
    for (const char *name : {"DRIVING/20190314_100500E.mp4", "PARKING/20190314_090000D.mp4"}) {
        QVERIFY(writeFile(m_cardFolder + QLatin1Char('/') + QLatin1String(name), QByteArray()));
    }
    const SystemRemovableDriveQuery drives(m_mountInfo, m_sys);
    FolderScanner scanner(drives);
    QCOMPARE(scanner.scan({m_cardFolder + QLatin1Char('/')}), 2);
    QVERIFY(scanner.isMemoryCardRoot(m_cardFolder));
    QCOMPARE(scanner.table(FolderScanner::Driving).size(), 1);
    QCOMPARE(scanner.table(FolderScanner::Event).size(), 1);
    QCOMPARE(scanner.table(FolderScanner::Parking).size(), 1);
    QCOMPARE(scanner.table(FolderScanner::Parking).at(0).kind, int(RecordingKind::Driving));

    // The same folder with the real system's answer is no card.
    const SystemRemovableDriveQuery realDrives;
    FolderScanner realScanner(realDrives);
    QCOMPARE(realScanner.scan({m_cardFolder}), 2);
    QCOMPARE(realScanner.table(FolderScanner::Parking).size(), 0);
    QCOMPARE(realScanner.table(FolderScanner::Driving).size(), 1);
    QVERIFY(realScanner.table(FolderScanner::Driving)
                    .at(0)
                    .path.contains(QLatin1String("PARKING")));
}

void TestRemovableDriveQuery::fixed_matchesNormalisedFolders()
{
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
    const FixedRemovableDriveQuery drives(
            {QStringLiteral("card/"), QStringLiteral("/media/x/../stick"), QString()});
    QVERIFY(QDir::setCurrent(previous));

    const QString card = m_dir.filePath(QStringLiteral("card"));
    QStringList expected {card, QStringLiteral("/media/stick")};
    expected.sort();
    QCOMPARE(drives.roots(), expected);
    QVERIFY(drives.isRemovableRoot(card));
    QVERIFY(drives.isRemovableRoot(card + QLatin1Char('/')));
    QVERIFY(drives.isRemovableRoot(QStringLiteral("/media/stick")));
    QVERIFY(!drives.isRemovableRoot(card + QStringLiteral("/DRIVING")));
    QVERIFY(!drives.isRemovableRoot(QStringLiteral("/media")));
    QVERIFY(!drives.isRemovableRoot(QString()));
    QVERIFY(!FixedRemovableDriveQuery().isRemovableRoot(QStringLiteral("/")));
}

QTEST_GUILESS_MAIN(TestRemovableDriveQuery)
#include "tst_removabledrivequery.moc"
