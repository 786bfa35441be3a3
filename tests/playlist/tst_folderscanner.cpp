#include "playlist/fixedremovabledrivequery.h"
#include "playlist/folderscanner.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <dirent.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Creates an empty file (and its folders) below root; the scan never opens it.
bool touch(const QString &root, const QString &relativePath)
{
    const QString path = root + QLatin1Char('/') + relativePath;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

bool touchAll(const QString &root, const QStringList &relativePaths)
{
    for (const QString &relativePath : relativePaths) {
        if (!touch(root, relativePath))
            return false;
    }
    return true;
}

QStringList fileNames(const QVector<PlayListEntry> &rows)
{
    QStringList names;
    for (const PlayListEntry &row : rows)
        names.append(QFileInfo(row.path).fileName());
    return names;
}

// Paths relative to root, to compare entries without the temporary folder's name.
QStringList relativePaths(const QString &root, const QVector<PlayListEntry> &rows)
{
    QStringList paths;
    const QDir dir(root);
    for (const PlayListEntry &row : rows)
        paths.append(dir.relativeFilePath(row.path));
    return paths;
}

bool canOpenFolder(const QString &path)
{
    DIR *dir = ::opendir(QFile::encodeName(path).constData());
    if (!dir)
        return false;
    ::closedir(dir);
    return true;
}

// Makes a folder unreadable while it lives. Root ignores permission bits, so for root it also
// drops the capabilities that bypass them from this thread's effective set (the permitted set
// keeps them, and the destructor takes them back).
class UnreadableFolder
{
public:
    explicit UnreadableFolder(const QString &path)
        : m_path(QFile::encodeName(path))
    {
        m_changedMode = ::chmod(m_path.constData(), 0) == 0;
        if (::geteuid() != 0)
            return;
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
            lowered[capability / 32].effective &= ~(1u << (capability % 32));
        m_loweredCapabilities = ::syscall(SYS_capset, &m_header, lowered) == 0;
    }
    ~UnreadableFolder()
    {
        if (m_loweredCapabilities)
            ::syscall(SYS_capset, &m_header, m_saved);
        if (m_changedMode)
            ::chmod(m_path.constData(), 0755);
    }
    UnreadableFolder(const UnreadableFolder &) = delete;
    UnreadableFolder &operator=(const UnreadableFolder &) = delete;

private:
    QByteArray m_path;
    bool m_changedMode = false;
    bool m_loweredCapabilities = false;
    __user_cap_header_struct m_header {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2] = {};
};

// The files of the memory-card layout tests, by the folder they lie in. The names are the
// times of day; the letter is the kind the name says.
struct CardFiles
{
    QString driving; // folder names, varied by the tests
    QString event;
    QString parking;
    QStringList all() const
    {
        return {driving + QStringLiteral("/20190314_100000D.mp4"),
                driving + QStringLiteral("/20190314_100500E.mp4"),
                event + QStringLiteral("/20190314_101000D.mp4"),
                event + QStringLiteral("/20190314_101500E.mp4"),
                parking + QStringLiteral("/20190314_090000P.mp4"),
                parking + QStringLiteral("/20190314_102000D.mp4")};
    }
};

const QString d1000 = QStringLiteral("20190314_100000D.mp4");
const QString e1005 = QStringLiteral("20190314_100500E.mp4");
const QString d1010 = QStringLiteral("20190314_101000D.mp4");
const QString e1015 = QStringLiteral("20190314_101500E.mp4");
const QString p0900 = QStringLiteral("20190314_090000P.mp4");
const QString d1020 = QStringLiteral("20190314_102000D.mp4");

} // namespace

class TestFolderScanner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void cardLayout_picksTablesByFolderOnlyOnCardRoot_data();
    void cardLayout_picksTablesByFolderOnlyOnCardRoot();
    void cardRoot_logsWhatItFinds();
    void cardRoot_needsRealVisibleFolders();
    void dualAndDeeperFiles_neverAppear_data();
    void dualAndDeeperFiles_neverAppear();
    void hiddenEntries_areLeftOut();
    void scanOrder_isNameOrderIgnoringCase_filesAndFoldersMixed();
    void tables_areSortedByDateTime_equalKeepOrder_invalidLast();
    void rowDateTime_ignoresLocalDaylightSavingGaps();
    void paths_areScannedInGivenOrder();
    void relativePaths_becomeAbsolute();
    void unreadableFolder_contributesNothing();
    void rescan_startsFromEmpty_andOtherFiltersAreEmpty();

private:
    QTemporaryDir m_dir;
};

void TestFolderScanner::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // A zone with a daylight-saving gap at 02:00 on 2019-03-31, for the sort-key test.
    qputenv("TZ", "Europe/Berlin");
    ::tzset();
}

void TestFolderScanner::cardLayout_picksTablesByFolderOnlyOnCardRoot_data()
{
    QTest::addColumn<bool>("removable");
    QTest::addColumn<QString>("drivingFolder");
    QTest::addColumn<QString>("eventFolder");
    QTest::addColumn<QString>("parkingFolder");
    QTest::addColumn<QStringList>("driving");
    QTest::addColumn<QStringList>("event");
    QTest::addColumn<QStringList>("parking");

    // By name: what every layout that is no memory card gives.
    const QStringList byNameDriving {d1000, d1010, d1020};
    const QStringList byNameEvent {e1005, e1015};
    const QStringList byNameParking {p0900};

    // Event-named files outside EVENT also go to Event; driving-named in EVENT only to Event.
    QTest::newRow("card root") << true << "DRIVING"
                               << "EVENT"
                               << "PARKING" << QStringList {d1000, e1005}
                               << QStringList {e1005, d1010, e1015} << QStringList {p0900, d1020};
    // EVENT is not needed; a folder of another name has kind 0 and fills no filter table.
    QTest::newRow("card root without EVENT")
            << true << "DRIVING"
            << "OTHER"
            << "PARKING" << QStringList {d1000, e1005} << QStringList {e1005, e1015}
            << QStringList {p0900, d1020};
    QTest::newRow("not removable") << false << "DRIVING"
                                   << "EVENT"
                                   << "PARKING" << byNameDriving << byNameEvent << byNameParking;
    QTest::newRow("removable without PARKING")
            << true << "DRIVING"
            << "EVENT"
            << "PARK" << byNameDriving << byNameEvent << byNameParking;
    QTest::newRow("removable without DRIVING")
            << true << "DRIVE"
            << "EVENT"
            << "PARKING" << byNameDriving << byNameEvent << byNameParking;
    QTest::newRow("folder names are case-sensitive")
            << true << "DRIVING"
            << "EVENT"
            << "Parking" << byNameDriving << byNameEvent << byNameParking;
}

void TestFolderScanner::cardLayout_picksTablesByFolderOnlyOnCardRoot()
{
    QFETCH(bool, removable);
    QFETCH(QString, drivingFolder);
    QFETCH(QString, eventFolder);
    QFETCH(QString, parkingFolder);
    QFETCH(QStringList, driving);
    QFETCH(QStringList, event);
    QFETCH(QStringList, parking);

    const QString card = m_dir.filePath(QString::fromUtf8(QTest::currentDataTag()));
    const CardFiles files {drivingFolder, eventFolder, parkingFolder};
    QVERIFY(touchAll(card, files.all()));

    const FixedRemovableDriveQuery drives(removable ? QStringList {card} : QStringList());
    FolderScanner scanner(drives);
    QCOMPARE(scanner.scan({card}), 6);

    QCOMPARE(fileNames(scanner.table(FolderScanner::All)),
             (QStringList {p0900, d1000, e1005, d1010, e1015, d1020}));
    QCOMPARE(fileNames(scanner.table(FolderScanner::Driving)), driving);
    QCOMPARE(fileNames(scanner.table(FolderScanner::Event)), event);
    QCOMPARE(fileNames(scanner.table(FolderScanner::Parking)), parking);

    // The entries carry the kind of the name, whatever table the folder chose.
    for (const PlayListEntry &entry : scanner.entries()) {
        const QChar letter = QFileInfo(entry.path).fileName().at(15);
        const int kind = letter == QLatin1Char('D') ? RecordingKind::Driving
                : letter == QLatin1Char('E')        ? RecordingKind::Event
                                                    : RecordingKind::Parking;
        QCOMPARE(entry.kind, kind);
        QCOMPARE(entry.date, QStringLiteral("2019-03-14"));
        QVERIFY(QFileInfo(entry.path).isAbsolute());
        QVERIFY(QFileInfo::exists(entry.path));
    }
    // Every row is one of the entries, unchanged: the folder picks the table, not the texts.
    for (const PlayListEntry &row : scanner.table(FolderScanner::Event))
        QVERIFY(scanner.entries().contains(row));
}

void TestFolderScanner::cardRoot_logsWhatItFinds()
{
    const QString card = m_dir.filePath(QStringLiteral("logcard"));
    QVERIFY(touchAll(card,
                     {QStringLiteral("DRIVING/20190314_100000D.mp4"),
                      QStringLiteral("PARKING/20190314_110000P.mp4"),
                      QStringLiteral("misc/20190314_120000D.mp4")}));
    const FixedRemovableDriveQuery drives({card});
    FolderScanner scanner(drives);

    // The scanner's debug lines are off unless asked for.
    QLoggingCategory::setFilterRules(QStringLiteral("vistrel.*.debug=true"));
    const auto rulesOff = qScopeGuard([] { QLoggingCategory::setFilterRules(QString()); });
    QTest::ignoreMessage(QtDebugMsg, qPrintable(card + QStringLiteral(" is removable drive")));
    QTest::ignoreMessage(QtDebugMsg, qPrintable(card + QStringLiteral(" is sdcard")));
    QTest::ignoreMessage(QtDebugMsg, "dir: DRIVING => folder kind: 1");
    QTest::ignoreMessage(QtDebugMsg, "dir: misc => folder kind: 0");
    QTest::ignoreMessage(QtDebugMsg, "dir: PARKING => folder kind: 3");
    QCOMPARE(scanner.scan({card}), 3);
    QCOMPARE(fileNames(scanner.table(FolderScanner::Driving)),
             QStringList {QStringLiteral("20190314_100000D.mp4")});

    // A removable drive without the layout is logged as such, and is no card.
    const QString stick = m_dir.filePath(QStringLiteral("logstick"));
    QVERIFY(touch(stick, QStringLiteral("DRIVING/20190314_100000D.mp4")));
    const FixedRemovableDriveQuery stickDrives({stick});
    FolderScanner stickScanner(stickDrives);
    QTest::ignoreMessage(QtDebugMsg, qPrintable(stick + QStringLiteral(" is removable drive")));
    QTest::ignoreMessage(QtDebugMsg, "dir: DRIVING => folder kind: 0");
    QCOMPARE(stickScanner.scan({stick}), 1);
    QVERIFY(!stickScanner.isMemoryCardRoot(stick));
}

void TestFolderScanner::cardRoot_needsRealVisibleFolders()
{
    // PARKING as a file, or as a hidden folder's name, does not make a card.
    const QString asFile = m_dir.filePath(QStringLiteral("parkingfile"));
    QVERIFY(touchAll(asFile, {QStringLiteral("DRIVING/x.txt"), QStringLiteral("PARKING")}));
    const QString hidden = m_dir.filePath(QStringLiteral("parkinghidden"));
    QVERIFY(touchAll(hidden, {QStringLiteral("DRIVING/x.txt"), QStringLiteral(".PARKING/x.txt")}));
    const QString real = m_dir.filePath(QStringLiteral("parkingreal"));
    QVERIFY(touchAll(real, {QStringLiteral("DRIVING/x.txt"), QStringLiteral("PARKING/x.txt")}));

    const FixedRemovableDriveQuery drives({asFile, hidden, real});
    const FolderScanner scanner(drives);
    QVERIFY(!scanner.isMemoryCardRoot(asFile));
    QVERIFY(!scanner.isMemoryCardRoot(hidden));
    QVERIFY(scanner.isMemoryCardRoot(real));
    // Only the root itself counts, not a folder inside it.
    QVERIFY(!scanner.isMemoryCardRoot(real + QStringLiteral("/DRIVING")));
}

void TestFolderScanner::dualAndDeeperFiles_neverAppear_data()
{
    QTest::addColumn<bool>("removable");
    QTest::newRow("card root") << true;
    QTest::newRow("plain folder") << false;
}

void TestFolderScanner::dualAndDeeperFiles_neverAppear()
{
    QFETCH(bool, removable);
    const QString root = m_dir.filePath(QStringLiteral("dual-") + QTest::currentDataTag());
    QVERIFY(touchAll(root,
                     {QStringLiteral("DRIVING/20190314_100000D.mp4"),
                      QStringLiteral("PARKING/20190314_110000P.mp4"),
                      QStringLiteral("DUAL/20190314_120000D.mp4"),
                      QStringLiteral("DRIVING/DUAL/20190314_130000D.mp4"),
                      QStringLiteral("DRIVING/sub/20190314_140000D.mp4"),
                      QStringLiteral("misc/deeper/deepest/20190314_150000E.mp4"),
                      // Only the exact name "DUAL" is skipped.
                      QStringLiteral("dual/20190314_160000D.mp4")}));
    const FixedRemovableDriveQuery drives(removable ? QStringList {root} : QStringList());
    FolderScanner scanner(drives);
    scanner.scan({root});
    QCOMPARE(relativePaths(root, scanner.entries()),
             (QStringList {QStringLiteral("DRIVING/20190314_100000D.mp4"),
                           QStringLiteral("dual/20190314_160000D.mp4"),
                           QStringLiteral("PARKING/20190314_110000P.mp4")}));
    QCOMPARE(scanner.table(FolderScanner::All).size(), 3);

    // A DUAL folder opened by itself is an ordinary folder.
    scanner.scan({root + QStringLiteral("/DUAL")});
    QCOMPARE(fileNames(scanner.entries()), QStringList {QStringLiteral("20190314_120000D.mp4")});
}

void TestFolderScanner::hiddenEntries_areLeftOut()
{
    const QString root = m_dir.filePath(QStringLiteral("hidden"));
    QVERIFY(touchAll(root,
                     {QStringLiteral(".trash/20190314_100000D.mp4"),
                      QStringLiteral(".DRIVING/20190314_110000D.mp4"),
                      QStringLiteral("DRIVING/20190314_120000D.mp4")}));
    const FixedRemovableDriveQuery drives;
    FolderScanner scanner(drives);
    scanner.scan({root});
    QCOMPARE(relativePaths(root, scanner.entries()),
             QStringList {QStringLiteral("DRIVING/20190314_120000D.mp4")});

    // A hidden folder named on purpose is scanned like any other.
    scanner.scan({root + QStringLiteral("/.trash")});
    QCOMPARE(fileNames(scanner.entries()), QStringList {QStringLiteral("20190314_100000D.mp4")});
}

void TestFolderScanner::scanOrder_isNameOrderIgnoringCase_filesAndFoldersMixed()
{
    // Code point order would put "B", "D" and "Y" before "a" and "x"; the scan ignores case. Files
    // and folders of the opened folder take turns by name.
    const QString root = m_dir.filePath(QStringLiteral("order"));
    QVERIFY(touchAll(root,
                     {QStringLiteral("20190314_100000D_c.mp4"),
                      QStringLiteral("20190314_100000D_a.mp4"),
                      QStringLiteral("20190314_100000D_bb/20190314_100000D_z.mp4"),
                      QStringLiteral("20190314_100000D_bb/20190314_100000D_Y.mp4"),
                      QStringLiteral("20190314_100000D_bb/20190314_100000D_x.mp4"),
                      QStringLiteral("20190314_100000D_D.mp4"),
                      QStringLiteral("20190314_100000D_B.avi")}));
    const FixedRemovableDriveQuery drives;
    FolderScanner scanner(drives);
    scanner.scan({root});
    const QStringList order {QStringLiteral("20190314_100000D_a.mp4"),
                             QStringLiteral("20190314_100000D_B.avi"),
                             QStringLiteral("20190314_100000D_bb/20190314_100000D_x.mp4"),
                             QStringLiteral("20190314_100000D_bb/20190314_100000D_Y.mp4"),
                             QStringLiteral("20190314_100000D_bb/20190314_100000D_z.mp4"),
                             QStringLiteral("20190314_100000D_c.mp4"),
                             QStringLiteral("20190314_100000D_D.mp4")};
    QCOMPARE(relativePaths(root, scanner.entries()), order);
    // Equal date-times: the tables keep the order of the scan.
    QCOMPARE(relativePaths(root, scanner.table(FolderScanner::All)), order);
    QCOMPARE(relativePaths(root, scanner.table(FolderScanner::Driving)), order);
}

void TestFolderScanner::tables_areSortedByDateTime_equalKeepOrder_invalidLast()
{
    const QString root = m_dir.filePath(QStringLiteral("sorted"));
    const QStringList names {
            QStringLiteral("20190315_080000D.mp4"),
            QStringLiteral("20191340_000000D.mp4"), // month 13: no date
            QStringLiteral("20190314_235959E.mp4"),
            QStringLiteral("20190314_120000D_x.mp4"),
            QStringLiteral("20190314_250000D.mp4"), // hour 25: no time
            QStringLiteral("20190314_120000P_a.mp4"),
            QStringLiteral("20181231_000000D.mp4"),
            QStringLiteral("20190229_120000D.mp4"), // 2019 is no leap year
            QStringLiteral("20190314_120000D_m.mp4"),
    };
    QStringList paths;
    for (const QString &name : names) {
        QVERIFY(touch(root, name));
        paths.append(root + QLatin1Char('/') + name);
    }
    const FixedRemovableDriveQuery drives;
    FolderScanner scanner(drives);
    // Given as files, so the scan order is the order of the list, not of the names.
    QCOMPARE(scanner.scan(paths), names.size());
    QCOMPARE(fileNames(scanner.entries()), names);
    QCOMPARE(fileNames(scanner.table(FolderScanner::All)),
             (QStringList {QStringLiteral("20181231_000000D.mp4"),
                           QStringLiteral("20190314_120000D_x.mp4"),
                           QStringLiteral("20190314_120000P_a.mp4"),
                           QStringLiteral("20190314_120000D_m.mp4"),
                           QStringLiteral("20190314_235959E.mp4"),
                           QStringLiteral("20190315_080000D.mp4"),
                           QStringLiteral("20191340_000000D.mp4"),
                           QStringLiteral("20190314_250000D.mp4"),
                           QStringLiteral("20190229_120000D.mp4")}));
    QCOMPARE(fileNames(scanner.table(FolderScanner::Driving)),
             (QStringList {QStringLiteral("20181231_000000D.mp4"),
                           QStringLiteral("20190314_120000D_x.mp4"),
                           QStringLiteral("20190314_120000D_m.mp4"),
                           QStringLiteral("20190315_080000D.mp4"),
                           QStringLiteral("20191340_000000D.mp4"),
                           QStringLiteral("20190314_250000D.mp4"),
                           QStringLiteral("20190229_120000D.mp4")}));
}

void TestFolderScanner::rowDateTime_ignoresLocalDaylightSavingGaps()
{
    // 02:30 on 2019-03-31 does not exist in Berlin's local time; the camera wrote it anyway.
    PlayListEntry early {QStringLiteral("a"),
                         QStringLiteral("2019-03-31"),
                         QStringLiteral("02:00:00"),
                         QString(),
                         RecordingKind::Driving};
    PlayListEntry gap = early;
    gap.path = QStringLiteral("b");
    gap.time = QStringLiteral("02:30:00");
    PlayListEntry late = early;
    late.path = QStringLiteral("c");
    late.time = QStringLiteral("03:00:00");
    QVERIFY(FolderScanner::rowDateTime(gap).isValid());

    QVector<PlayListEntry> rows;
    QCOMPARE(FolderScanner::insertSorted(rows, late), 0);
    QCOMPARE(FolderScanner::insertSorted(rows, early), 0);
    QCOMPARE(FolderScanner::insertSorted(rows, gap), 1);
    QCOMPARE(rows, (QVector<PlayListEntry> {early, gap, late}));
}

void TestFolderScanner::paths_areScannedInGivenOrder()
{
    const QString root = m_dir.filePath(QStringLiteral("mixed"));
    QVERIFY(touchAll(root,
                     {QStringLiteral("A/20190314_100000D.mp4"),
                      QStringLiteral("A/20190314_090000E.mp4"),
                      QStringLiteral("z-file_1.mp4"),
                      QStringLiteral("20190314_110000P.mp4"),
                      QStringLiteral("20190314_080000D.avi")}));
    const FixedRemovableDriveQuery drives;
    FolderScanner scanner(drives);
    const QStringList paths {root + QStringLiteral("/20190314_110000P.mp4"),
                             root + QStringLiteral("/A"),
                             root + QStringLiteral("/no-such-file_20190314_080000D.mp4"),
                             root + QStringLiteral("/z-file_1.mp4"),
                             QString(),
                             root + QStringLiteral("/20190314_080000D.avi")};
    QCOMPARE(scanner.scan(paths), 4);
    QCOMPARE(fileNames(scanner.entries()),
             (QStringList {QStringLiteral("20190314_110000P.mp4"),
                           QStringLiteral("20190314_090000E.mp4"),
                           QStringLiteral("20190314_100000D.mp4"),
                           QStringLiteral("20190314_080000D.avi")}));
    QCOMPARE(fileNames(scanner.table(FolderScanner::All)),
             (QStringList {QStringLiteral("20190314_080000D.avi"),
                           QStringLiteral("20190314_090000E.mp4"),
                           QStringLiteral("20190314_100000D.mp4"),
                           QStringLiteral("20190314_110000P.mp4")}));
}

void TestFolderScanner::relativePaths_becomeAbsolute()
{
    const QString root = m_dir.filePath(QStringLiteral("relative"));
    QVERIFY(touchAll(root,
                     {QStringLiteral("DRIVING/20190314_100000D.mp4"),
                      QStringLiteral("PARKING/20190314_110000E.mp4")}));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
    // The card root given relative and with a trailing slash is still the card root.
    const FixedRemovableDriveQuery drives({QStringLiteral("relative/")});
    FolderScanner scanner(drives);
    scanner.scan({QStringLiteral("relative/"),
                  QStringLiteral("./relative/../relative/DRIVING/20190314_100000D.mp4")});
    QVERIFY(QDir::setCurrent(previous));

    QCOMPARE(scanner.entries().size(), 3);
    for (const PlayListEntry &entry : scanner.entries()) {
        QVERIFY2(entry.path.startsWith(root + QLatin1Char('/')), qPrintable(entry.path));
        QCOMPARE(entry.path, QDir::cleanPath(entry.path));
    }
    // PARKING on the card files the event-named file under Parking and Event.
    QCOMPARE(fileNames(scanner.table(FolderScanner::Parking)),
             QStringList {QStringLiteral("20190314_110000E.mp4")});
    QCOMPARE(fileNames(scanner.table(FolderScanner::Event)),
             QStringList {QStringLiteral("20190314_110000E.mp4")});
}

void TestFolderScanner::unreadableFolder_contributesNothing()
{
    const QString root = m_dir.filePath(QStringLiteral("unreadable"));
    QVERIFY(touchAll(root,
                     {QStringLiteral("locked/20190314_100000D.mp4"),
                      QStringLiteral("open/20190314_110000D.mp4"),
                      QStringLiteral("20190314_120000D.mp4")}));
    const QString locked = root + QStringLiteral("/locked");
    const FixedRemovableDriveQuery drives;
    FolderScanner scanner(drives);
    {
        const UnreadableFolder guard(locked);
        if (canOpenFolder(locked))
            QSKIP("cannot make a folder unreadable for this process");

        // As a sub-folder: its files are missing, its siblings are there.
        scanner.scan({root});
        QCOMPARE(relativePaths(root, scanner.entries()),
                 (QStringList {QStringLiteral("20190314_120000D.mp4"),
                               QStringLiteral("open/20190314_110000D.mp4")}));
        // Opened directly: nothing at all.
        QCOMPARE(scanner.scan({locked}), 0);
        QVERIFY(scanner.table(FolderScanner::All).isEmpty());
    }
    QVERIFY(canOpenFolder(locked));
    QCOMPARE(scanner.scan({locked}), 1);
}

void TestFolderScanner::rescan_startsFromEmpty_andOtherFiltersAreEmpty()
{
    const QString root = m_dir.filePath(QStringLiteral("rescan"));
    QVERIFY(touchAll(root,
                     {QStringLiteral("20190314_100000D.mp4"),
                      QStringLiteral("20190314_110000E.mp4"),
                      QStringLiteral("20190314_120000P.mp4")}));
    const FixedRemovableDriveQuery drives;
    FolderScanner scanner(drives);
    QCOMPARE(scanner.scan({root}), 3);
    QCOMPARE(scanner.scan({root + QStringLiteral("/20190314_110000E.mp4")}), 1);
    QCOMPARE(scanner.table(FolderScanner::All).size(), 1);
    QVERIFY(scanner.table(FolderScanner::Driving).isEmpty());
    QCOMPARE(scanner.table(FolderScanner::Event).size(), 1);
    QVERIFY(scanner.table(FolderScanner::Parking).isEmpty());
    QVERIFY(scanner.table(-1).isEmpty());
    QVERIFY(scanner.table(FolderScanner::FilterCount).isEmpty());
    QCOMPARE(scanner.scan({}), 0);
    for (int filter = 0; filter < FolderScanner::FilterCount; ++filter)
        QVERIFY(scanner.table(filter).isEmpty());
}

QTEST_GUILESS_MAIN(TestFolderScanner)
#include "tst_folderscanner.moc"
