// ctest-labels: gui
#include "logcapture.h"
#include "media/globalsettings.h"
#include "media/mediainfo.h"
#include "playlist/fixedremovabledrivequery.h"
#include "playlist/playlisttableheaderview.h"
#include "playlist/playlisttablewidget.h"
#include "playlist/playlistwidget.h"
#include "playlist/trip.h"
#include "playlist/triplistwidget.h"
#include "testpaths.h"
#include "testrecordings.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <numeric>

namespace {

// Creates empty files (and their folders) below root; the scan never opens them.
bool touchAll(const QString &root, const QStringList &relativePaths)
{
    for (const QString &relativePath : relativePaths) {
        const QString path = root + QLatin1Char('/') + relativePath;
        QFile file(path);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

QStringList fileNames(const PlayListTableWidget *table)
{
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row)
        names.append(QFileInfo(table->filePath(row)).fileName());
    return names;
}

QVector<int> columnWidths(const PlayListTableWidget *table)
{
    QVector<int> widths;
    for (int column = 0; column < PlayListTableWidget::ColumnCount; ++column)
        widths.append(table->columnWidth(column));
    return widths;
}

int sum(const QVector<int> &values)
{
    return std::accumulate(values.begin(), values.end(), 0);
}

// The card of the "test" layout: 8 recordings, by folder 4 driving, 2 event, 2 parking; the
// event-named file in DRIVING is also an event.
const QStringList cardAll = {"20240314_153012D_F.mp4",
                             "20240314_153112D_FR.mp4",
                             "20240314_153212E.mp4",
                             "20240314_153312D.avi",
                             "20240314_153412E_FRI.mp4",
                             "20240314_153512D.mp4",
                             "20240314_160000P.mp4",
                             "20240314_161000M_FR.mp4"};
const QStringList cardEvent
        = {"20240314_153212E.mp4", "20240314_153412E_FRI.mp4", "20240314_153512D.mp4"};

} // namespace

class TestPlayListWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void construction_matchesTheLook();
    void scanFindingNothing_reportsNoRow_buttonsDisabled_data();
    void scanFindingNothing_reportsNoRow_buttonsDisabled();
    void load_sortsAndNumbersRows_cellsCarryPathKindTooltip_data();
    void load_sortsAndNumbersRows_cellsCarryPathKindTooltip();
    void card_fillsTablesByFolder_enablesButtons();
    void filterButtons_showOneTable_selectPlayingRow();
    void playNextFile_walksEventTable_thenEndsTheList();
    void playNextFile_pathInNoRow_endsTheList_data();
    void playNextFile_pathInNoRow_endsTheList();
    void playPrevAndSelected_stepBackAndReplay();
    void mouse_doubleClickStarts_singleClickOnlySelects();
    void repairedCopy_continuesAfterItsOriginal();
    void keepTotalWidth_data();
    void keepTotalWidth();
    void shareWidth_data();
    void shareWidth();
    void headerDrag_keepsColumnsFillingTheWidth_data();
    void headerDrag_keepsColumnsFillingTheWidth();
    void tableWidthChange_keepsFirstColumn_sharesTheRest();
    void rowMenu_exportsTheTrackAsTheToolDoes_data();
    void rowMenu_exportsTheTrackAsTheToolDoes();
    void tripsView_findsTripsOnAWorker_andWalksThem();

private:
    void makeWidget(const QStringList &removableRoots = QStringList());
    // Loads the card of the "test" layout as a memory-card root.
    void loadCard(bool autoSelect = true);

    QString m_card;
    std::unique_ptr<MediaInfo> m_mediaInfo;
    std::unique_ptr<PlayListWidget> m_widget;
};

void TestPlayListWidget::initTestCase()
{
    m_card = TestRecordings::makeCard(QStringLiteral("test"));
    QVERIFY(!m_card.isEmpty());
}

void TestPlayListWidget::init()
{
    m_mediaInfo = std::make_unique<MediaInfo>();
    makeWidget();
}

void TestPlayListWidget::cleanup()
{
    m_widget.reset();
    m_mediaInfo.reset();
}

void TestPlayListWidget::makeWidget(const QStringList &removableRoots)
{
    m_widget.reset();
    m_widget = std::make_unique<PlayListWidget>(
            m_mediaInfo.get(), std::make_unique<FixedRemovableDriveQuery>(removableRoots));
    m_widget->resize(320, 400);
}

void TestPlayListWidget::loadCard(bool autoSelect)
{
    makeWidget({m_card});
    m_widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_widget.get()));
    QCOMPARE(m_widget->loadPlayList({m_card}, autoSelect), cardAll.size());
}

void TestPlayListWidget::construction_matchesTheLook()
{
    PlayListWidget &w = *m_widget;
    QCOMPARE(w.objectName(), QStringLiteral("playListWidget"));
    QCOMPARE(w.styleSheet(),
             QStringLiteral("#playListWidget { border: 1px solid gray; background: black; }"));
    const QLabel *title = w.findChild<QLabel *>();
    QVERIFY(title);
    QCOMPARE(title->text(), QStringLiteral("Play List"));

    const QStringList tips = {"All", "Driving", "Event", "Parking"};
    const QStringList bases = {"list_all", "list_always", "list_event", "list_parking"};
    const QStringList names
            = {"playListAll", "playListDriving", "playListEvent", "playListParking"};
    const QString folder
            = ":/resource/img/lang_dependent/" + GlobalSettings::resourceLanguage() + "/playlist/";
    for (int filter = 0; filter < 4; ++filter) {
        QRadioButton *button = w.filterButton(filter);
        QCOMPARE(button, w.findChild<QRadioButton *>(names[filter]));
        QCOMPARE(button->size(), QSize(47, 25));
        QCOMPARE(button->toolTip(), tips[filter]);
        QVERIFY(button->text().isEmpty());
        QVERIFY(!button->isEnabled());
        for (const QString suffix : {".BMP", "_disable.BMP", "_clicked.BMP"})
            QVERIFY2(button->styleSheet().contains("url(" + folder + bases[filter] + suffix + ")"),
                     qPrintable(button->styleSheet()));
    }
    QVERIFY(w.filterButton(0)->isChecked());

    const QStringList tableNames = {"playlistTableAll",
                                    "playlistTableDriving",
                                    "playlistTableEvent",
                                    "playlistTableParking"};
    for (int filter = 0; filter < 4; ++filter) {
        PlayListTableWidget *table = w.table(filter);
        QCOMPARE(table->objectName(), tableNames[filter]);
        QCOMPARE(table->columnCount(), 4);
        QCOMPARE(table->columnWidth(0), 32);
        QCOMPARE(table->horizontalHeader()->minimumSectionSize(), 32);
        QCOMPARE(table->horizontalHeaderItem(3)->text(), QStringLiteral("Type"));
        QVERIFY(table->styleSheet().startsWith(
                "PlayListTableWidget { border: 1px solid gray; margin: 2 2 2 2; padding-top: "
                "10px;  background-color: black;}QHeaderView::section"));
        QVERIFY(table->styleSheet().contains("QTableView::item:selected { background-color: "
                                             + table->palette().color(QPalette::Highlight).name()
                                             + " }QTableView::item:"));
        // Only the All table is in the layout.
        QCOMPARE(w.layout()->indexOf(table) >= 0, filter == 0);
    }
    QCOMPARE(w.currentTable(), w.table(0));
}

void TestPlayListWidget::scanFindingNothing_reportsNoRow_buttonsDisabled_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("scanMissingPath");
    QTest::newRow("empty folder") << QStringList() << false;
    QTest::newRow("no recording names")
            << QStringList {"clip.mp4", "20190314.mp4", "x/20190314_153012.mp4"} << false;
    QTest::newRow("missing path") << QStringList() << true;
}

void TestPlayListWidget::scanFindingNothing_reportsNoRow_buttonsDisabled()
{
    QFETCH(QStringList, files);
    QFETCH(bool, scanMissingPath);
    QTemporaryDir dir;
    QVERIFY(touchAll(dir.path(), files));

    // A full list first, so the empty scan also has to clear it.
    QVERIFY(m_widget->loadPlayList({m_card}, false) > 0);
    QVERIFY(m_widget->filterButton(0)->isEnabled());
    QSignalSpy selection(m_widget.get(), &PlayListWidget::playlistSelectionChanged);
    QSignalSpy play(m_widget.get(), &PlayListWidget::playFileSelected);
    const QString path = scanMissingPath ? dir.path() + "/missing" : dir.path();
    QCOMPARE(m_widget->loadPlayList({path}, true), 0);
    QVERIFY(!selection.isEmpty());
    QCOMPARE(selection.last(), (QVariantList {-1, 0}));
    QCOMPARE(play.count(), 0);
    QVERIFY(m_widget->entries().isEmpty());
    for (int filter = 0; filter < 4; ++filter) {
        QVERIFY(!m_widget->filterButton(filter)->isEnabled());
        QCOMPARE(m_widget->table(filter)->rowCount(), 0);
    }
    QCOMPARE(m_widget->playNextFile(), -1);
    QCOMPARE(m_widget->playSelectedFile(), -1);
}

void TestPlayListWidget::load_sortsAndNumbersRows_cellsCarryPathKindTooltip_data()
{
    QTest::addColumn<bool>("autoSelect");
    QTest::newRow("autoSelect") << true;
    QTest::newRow("no autoSelect") << false;
}

void TestPlayListWidget::load_sortsAndNumbersRows_cellsCarryPathKindTooltip()
{
    QFETCH(bool, autoSelect);
    QTemporaryDir dir;
    // Found in name order, listed in date-time order.
    QVERIFY(touchAll(dir.path(),
                     {"a/20240101_120000P.mp4", "b/20230101_080000E.avi", "20231231_235959X.mp4"}));
    QSignalSpy selection(m_widget.get(), &PlayListWidget::playlistSelectionChanged);
    QSignalSpy play(m_widget.get(), &PlayListWidget::playFileSelected);
    QCOMPARE(m_widget->loadPlayList({dir.path()}, autoSelect), 3);

    const PlayListTableWidget *table = m_widget->currentTable();
    QCOMPARE(
            fileNames(table),
            (QStringList {"20230101_080000E.avi", "20231231_235959X.mp4", "20240101_120000P.mp4"}));
    const QString first = dir.path() + "/b/20230101_080000E.avi";
    QCOMPARE(play.count(), autoSelect ? 1 : 0);
    if (autoSelect) {
        QCOMPARE(play.first().first().toString(), first);
        QCOMPARE(selection.last(), (QVariantList {0, 3}));
    }
    QCOMPARE(table->selectedRow(), 0);

    const QStringList texts = {"1", "2023-01-01", "08:00:00", "Event"};
    for (int column = 0; column < 4; ++column) {
        const QTableWidgetItem *cell = table->item(0, column);
        QCOMPARE(cell->text(), texts[column]);
        QCOMPARE(cell->toolTip(), first);
        QVERIFY(!(cell->flags() & Qt::ItemIsEditable));
        QCOMPARE(cell->textAlignment(),
                 column == 0 ? int(Qt::AlignCenter) : int(Qt::AlignLeft | Qt::AlignVCenter));
    }
    QCOMPARE(table->item(0, 1)->data(Qt::UserRole).toString(), first);
    QCOMPARE(table->item(0, 3)->data(Qt::UserRole).toInt(), 2);
    QCOMPARE(table->item(1, 3)->text(), QStringLiteral("Unknown-X"));
    QCOMPARE(table->item(2, 0)->text(), QStringLiteral("3"));
    // Outside a memory card the names pick the filters.
    QCOMPARE(m_widget->table(1)->rowCount(), 0);
    QVERIFY(!m_widget->filterButton(1)->isEnabled());
    QVERIFY(m_widget->filterButton(2)->isEnabled() && m_widget->filterButton(3)->isEnabled());
}

void TestPlayListWidget::card_fillsTablesByFolder_enablesButtons()
{
    loadCard();
    QCOMPARE(fileNames(m_widget->table(0)), cardAll);
    QCOMPARE(fileNames(m_widget->table(2)), cardEvent);
    QCOMPARE(m_widget->table(1)->rowCount(), 4);
    QCOMPARE(m_widget->table(3)->rowCount(), 2);
    for (int filter = 0; filter < 4; ++filter) {
        PlayListTableWidget *table = m_widget->table(filter);
        QVERIFY(m_widget->filterButton(filter)->isEnabled());
        QCOMPARE(table->selectedRow(), 0);
        QCOMPARE(table->item(table->rowCount() - 1, 0)->text(), QString::number(table->rowCount()));
    }
}

void TestPlayListWidget::filterButtons_showOneTable_selectPlayingRow()
{
    loadCard();
    const QString playing = m_widget->table(2)->filePath(2); // 20240314_153512D in EVENT
    m_mediaInfo->setCurrentPath(playing);
    m_mediaInfo->changeState(MediaInfo::Playing, nullptr, false);
    QSignalSpy selection(m_widget.get(), &PlayListWidget::playlistSelectionChanged);

    QTest::mouseClick(m_widget->filterButton(2), Qt::LeftButton);
    QCOMPARE(m_widget->currentTable(), m_widget->table(2));
    for (int filter = 0; filter < 4; ++filter) {
        QCOMPARE(m_widget->table(filter)->isVisible(), filter == 2);
        QCOMPARE(m_widget->layout()->indexOf(m_widget->table(filter)) >= 0, filter == 2);
    }
    QCOMPARE(selection.count(), 1);
    QCOMPARE(selection.last(), (QVariantList {2, 3}));

    // Not in the Parking table: its own selection is reported.
    QTest::mouseClick(m_widget->filterButton(3), Qt::LeftButton);
    QCOMPARE(m_widget->currentTable(), m_widget->table(3));
    QCOMPARE(selection.last(), (QVariantList {0, 2}));

    // Back to All: the playing file's row there.
    QTest::mouseClick(m_widget->filterButton(0), Qt::LeftButton);
    QCOMPARE(selection.last(), (QVariantList {5, 8}));
    // The same filter again changes nothing.
    const int signalsSoFar = selection.count();
    m_widget->onShowAll(true);
    QCOMPARE(selection.count(), signalsSoFar);

    // Stopped: nothing is looked up; the table's selection stands.
    m_mediaInfo->changeState(MediaInfo::Stopped, nullptr, false);
    m_widget->onShowDriving(false);
    QCOMPARE(selection.last(), (QVariantList {0, 4}));
    QVERIFY(m_widget->filterButton(1)->isChecked() && !m_widget->filterButton(0)->isChecked());

    // A new load goes back to All and its button.
    m_widget->loadPlayList({m_card}, false);
    QCOMPARE(m_widget->currentTable(), m_widget->table(0));
    QVERIFY(m_widget->filterButton(0)->isChecked());
}

void TestPlayListWidget::playNextFile_walksEventTable_thenEndsTheList()
{
    loadCard();
    m_widget->onShowEvent(true);
    QSignalSpy play(m_widget.get(), &PlayListWidget::playFileSelected);
    QSignalSpy selection(m_widget.get(), &PlayListWidget::playlistSelectionChanged);
    QSignalSpy end(m_widget.get(), &PlayListWidget::endOfPlayingListReached);
    LogCapture log;

    PlayListTableWidget *events = m_widget->table(2);
    QString current = events->filePath(0);
    for (int next = 1; next < cardEvent.size(); ++next) {
        QCOMPARE(m_widget->playNextFile(current), 0);
        QCOMPARE(play.count(), next);
        current = play.last().first().toString();
        QCOMPARE(QFileInfo(current).fileName(), cardEvent[next]);
        QCOMPARE(selection.last(), (QVariantList {next, 3}));
        QCOMPARE(events->selectedRow(), next);
    }
    QVERIFY(log.contains("select next file  2"));

    QCOMPARE(m_widget->playNextFile(current), -1);
    QCOMPARE(end.count(), 1);
    QCOMPARE(play.count(), 2);
    QCOMPARE(events->selectedRow(), 0);
    QVERIFY(log.contains("endOfPlayingListReached  : row  2 , total# 3"));

    // Without a path the selected row is the current one.
    QCOMPARE(m_widget->playNextFile(), 0);
    QCOMPARE(QFileInfo(play.last().first().toString()).fileName(), cardEvent[1]);
}

void TestPlayListWidget::playNextFile_pathInNoRow_endsTheList_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::newRow("missing file") << "EVENT/20240314_999999E.mp4";
    QTest::newRow("listed, but not under Event") << "PARKING/20240314_160000P.mp4";
    QTest::newRow("named like a repaired copy") << "EVENT/20240314_153412E_FRItmp.mp4";
}

void TestPlayListWidget::playNextFile_pathInNoRow_endsTheList()
{
    QFETCH(QString, relativePath);
    loadCard();
    m_widget->onShowEvent(true);
    QSignalSpy play(m_widget.get(), &PlayListWidget::playFileSelected);
    QSignalSpy end(m_widget.get(), &PlayListWidget::endOfPlayingListReached);
    m_widget->table(2)->selectRow(1);
    QCOMPARE(m_widget->playNextFile(m_card + '/' + relativePath), -1);
    QCOMPARE(end.count(), 1);
    QCOMPARE(play.count(), 0);
    QCOMPARE(m_widget->table(2)->selectedRow(), 0);
}

void TestPlayListWidget::playPrevAndSelected_stepBackAndReplay()
{
    loadCard();
    QSignalSpy play(m_widget.get(), &PlayListWidget::playFileSelected);
    QSignalSpy selection(m_widget.get(), &PlayListWidget::playlistSelectionChanged);
    QCOMPARE(m_widget->playPrevFile(), -1);
    QCOMPARE(play.count(), 0);
    QCOMPARE(selection.count(), 0);

    PlayListTableWidget *all = m_widget->table(0);
    all->selectRow(3);
    QCOMPARE(m_widget->playPrevFile(), 0);
    QCOMPARE(play.last().first().toString(), all->filePath(2));
    QCOMPARE(selection.last(), (QVariantList {2, 8}));
    QCOMPARE(m_widget->playSelectedFile(), 0);
    QCOMPARE(play.count(), 2);
    QCOMPARE(play.last().first().toString(), all->filePath(2));
}

void TestPlayListWidget::mouse_doubleClickStarts_singleClickOnlySelects()
{
    loadCard(false);
    PlayListTableWidget *all = m_widget->currentTable();
    QSignalSpy play(m_widget.get(), &PlayListWidget::playFileSelected);
    QSignalSpy selection(m_widget.get(), &PlayListWidget::playlistSelectionChanged);

    const QPoint row4 = all->visualRect(all->model()->index(4, 2)).center();
    QTest::mouseClick(all->viewport(), Qt::LeftButton, {}, row4);
    QCOMPARE(play.count(), 0);
    QCOMPARE(selection.last(), (QVariantList {4, 8}));
    QCOMPARE(all->selectedRow(), 4);

    const QPoint row6 = all->visualRect(all->model()->index(6, 1)).center();
    // A real double-click arrives as a click followed by a double-click event.
    QTest::mouseClick(all->viewport(), Qt::LeftButton, {}, row6);
    QTest::mouseDClick(all->viewport(), Qt::LeftButton, {}, row6);
    QTest::mouseRelease(all->viewport(), Qt::LeftButton, {}, row6);
    QCOMPARE(play.count(), 1);
    QCOMPARE(play.first().first().toString(), all->filePath(6));
}

void TestPlayListWidget::repairedCopy_continuesAfterItsOriginal()
{
    // A card below a folder named with "tmp", and the copy in an export folder elsewhere.
    QTemporaryDir dir;
    const QString card = dir.path() + "/tmpcards/card";
    QVERIFY(touchAll(card,
                     cardAll.mid(0, 4).replaceInStrings(QRegularExpression("^"), "DRIVING/")));
    QVERIFY(touchAll(card, {"PARKING/20240314_160000P.mp4"}));
    const QString original = card + "/DRIVING/20240314_153112D_FR.mp4";
    const QString copy = dir.path() + "/SavedVideos/20240314_153112D_FRtmp.avi";
    QVERIFY(touchAll(dir.path(), {"SavedVideos/20240314_153112D_FRtmp.avi"}));

    makeWidget({card});
    QCOMPARE(m_widget->loadPlayList({card}, true), 5);
    QSignalSpy play(m_widget.get(), &PlayListWidget::playFileSelected);
    QSignalSpy end(m_widget.get(), &PlayListWidget::endOfPlayingListReached);

    // A listed path with "tmp" in a folder name is found as it is.
    QCOMPARE(m_widget->playNextFile(card + "/DRIVING/20240314_153012D_F.mp4"), 0);
    QCOMPARE(play.last().first().toString(), original);

    // The copy stands for the recording it was made from.
    m_mediaInfo->setTempFile(copy, original);
    m_mediaInfo->setCurrentPath(copy);
    m_mediaInfo->changeState(MediaInfo::Playing, nullptr, false);
    QCOMPARE(m_widget->playNextFile(copy), 0);
    QCOMPARE(play.last().first().toString(), card + "/DRIVING/20240314_153212E.mp4");
    m_widget->onShowDriving(true);
    QCOMPARE(m_widget->currentTable()->selectedRow(), 1);
    QCOMPARE(end.count(), 0);

    // Without the media info knowing it, the copy is in no row.
    m_mediaInfo->setTempFile(QString(), QString());
    QCOMPARE(m_widget->playNextFile(copy), -1);
    QCOMPARE(end.count(), 1);
}

void TestPlayListWidget::keepTotalWidth_data()
{
    QTest::addColumn<QVector<int>>("sizes");
    QTest::addColumn<int>("dragged");
    QTest::addColumn<int>("newSize");
    QTest::addColumn<QVector<int>>("expected");
    const QVector<int> sizes {32, 90, 90, 90};
    QTest::newRow("next gives") << sizes << 1 << 140 << QVector<int> {32, 140, 40, 90};
    QTest::newRow("next to minimum, then the one after")
            << sizes << 1 << 170 << QVector<int> {32, 170, 32, 68};
    QTest::newRow("after exhausted, nearest before gives")
            << sizes << 2 << 200 << QVector<int> {32, 38, 200, 32};
    QTest::newRow("all at minimum, rest refused")
            << QVector<int> {32, 40, 40, 40} << 1 << 100 << QVector<int> {32, 56, 32, 32};
    QTest::newRow("shrink goes to the next") << sizes << 1 << 60 << QVector<int> {32, 60, 120, 90};
    QTest::newRow("last shrinks, nearest before takes")
            << sizes << 3 << 50 << QVector<int> {32, 90, 130, 50};
    QTest::newRow("lone section refused") << QVector<int> {100} << 0 << 150 << QVector<int> {100};
    QTest::newRow("index out of range") << sizes << 4 << 150 << sizes;
}

void TestPlayListWidget::keepTotalWidth()
{
    QFETCH(QVector<int>, sizes);
    QFETCH(int, dragged);
    QFETCH(int, newSize);
    QFETCH(QVector<int>, expected);
    const QVector<int> result
            = PlayListTableHeaderView::keepTotalWidth(sizes, dragged, newSize, 32);
    QCOMPARE(result, expected);
    QCOMPARE(sum(result), sum(sizes));
}

void TestPlayListWidget::shareWidth_data()
{
    QTest::addColumn<QVector<int>>("sizes");
    QTest::addColumn<int>("width");
    QTest::addColumn<QVector<int>>("expected");
    QTest::newRow("first kept, remainder to last")
            << QVector<int> {32, 50, 60, 70} << 300 << QVector<int> {32, 89, 89, 90};
    QTest::newRow("first as wide as the table")
            << QVector<int> {300, 50, 50, 50} << 200 << QVector<int> {32, 56, 56, 56};
    QTest::newRow("single column takes all") << QVector<int> {40} << 250 << QVector<int> {250};
    QTest::newRow("too narrow: minimum")
            << QVector<int> {32, 50, 50} << 60 << QVector<int> {32, 32, 32};
}

void TestPlayListWidget::shareWidth()
{
    QFETCH(QVector<int>, sizes);
    QFETCH(int, width);
    QFETCH(QVector<int>, expected);
    QCOMPARE(PlayListTableWidget::shareWidth(sizes, width, 32), expected);
}

void TestPlayListWidget::headerDrag_keepsColumnsFillingTheWidth_data()
{
    QTest::addColumn<int>("drag");
    QTest::newRow("50 px: column 2 gives") << 50;
    QTest::newRow("far: column 2 to minimum, then column 3") << 200;
}

void TestPlayListWidget::headerDrag_keepsColumnsFillingTheWidth()
{
    QFETCH(int, drag);
    loadCard();
    PlayListTableWidget *table = m_widget->currentTable();
    PlayListTableHeaderView *header = table->tableHeader();
    const QVector<int> before = columnWidths(table);
    QCOMPARE(sum(before), table->viewport()->width());

    // Grab the border between columns 1 and 2, just inside column 1, and drag it.
    const int y = header->height() / 2;
    const QPoint border(header->sectionViewportPosition(1) + before[1] - 1, y);
    QCOMPARE(header->sectionBorderAt(border.x()), 1);
    QCOMPARE(header->sectionBorderAt(header->sectionViewportPosition(2) + 1), 1);
    QCOMPARE(header->sectionBorderAt(header->sectionViewportPosition(2) + before[2] / 2), -1);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, border);
    QCOMPARE(header->grabbedSection(), 1);
    const QPoint target = border + QPoint(drag, 0);
    QMouseEvent move(QEvent::MouseMove, target, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &move);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, target);
    QCOMPARE(header->grabbedSection(), -1);

    const QVector<int> after = columnWidths(table);
    QCOMPARE(sum(after), sum(before));
    QCOMPARE(after[0], before[0]);
    const QVector<int> expected
            = PlayListTableHeaderView::keepTotalWidth(before, 1, before[1] + drag, 32);
    QCOMPARE(after, expected);
    QVERIFY(after[1] > before[1]);
    QVERIFY(after[2] < before[2]);
    QCOMPARE(after[3] < before[3], after[2] == 32);

    // Columns may be moved; a move is only logged.
    LogCapture log;
    header->moveSection(3, 1);
    QVERIFY(log.contains("PlayListTableHeaderView::onSectionMoved column logical 3: 3 -> 1"));
    QCOMPARE(columnWidths(table), after);
}

void TestPlayListWidget::tableWidthChange_keepsFirstColumn_sharesTheRest()
{
    loadCard();
    PlayListTableWidget *table = m_widget->currentTable();
    table->setColumnWidth(0, 50);
    const int oldWidth = table->viewport()->width();
    m_widget->resize(m_widget->width() + 101, m_widget->height());
    QTRY_COMPARE(table->viewport()->width(), oldWidth + 101);
    const QVector<int> widths = columnWidths(table);
    QCOMPARE(widths[0], 50);
    QCOMPARE(sum(widths), table->viewport()->width());
    QVERIFY(widths[3] - widths[1] >= 0 && widths[3] - widths[1] < 3);
    QCOMPARE(widths[1], widths[2]);
}

void TestPlayListWidget::rowMenu_exportsTheTrackAsTheToolDoes_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("format");
    QTest::newRow("GPX") << QStringLiteral("exportGpxAction") << QStringLiteral("gpx");
    QTest::newRow("CSV") << QStringLiteral("exportCsvAction") << QStringLiteral("csv");
}

// A row's context menu writes the recording's track where the user says, byte for byte what
// vistrel-tool writes; a GPS program reads one point per valid fix from the GPX.
void TestPlayListWidget::rowMenu_exportsTheTrackAsTheToolDoes()
{
    QFETCH(QString, action);
    QFETCH(QString, format);
    // A route whose first six fixes are not valid yet (status V).
    const QString made
            = TestRecordings::make(QStringLiteral("track.mp4"),
                                   {QStringLiteral("--video"),
                                    QStringLiteral("160x90"),
                                    QStringLiteral("--telemetry"),
                                    QStringLiteral("subtitle"),
                                    QStringLiteral("--duration"),
                                    QStringLiteral("10"),
                                    QStringLiteral("--nmea"),
                                    TestPaths::nmeaLog(QStringLiteral("gpsd_haicom-305N.log"))});
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("20240314_153012E.mp4"));
    QVERIFY(!made.isEmpty() && QFile::copy(made, file));
    m_widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_widget.get()));
    QCOMPARE(m_widget->loadPlayList({file}, false), 1);

    QTemporaryDir out;
    const QString target = out.filePath(QStringLiteral("20240314_153012E.") + format);
    QString proposed;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            menu->setActiveAction(menu->findChild<QAction *>(action));
            QTest::keyClick(menu, Qt::Key_Return);
        } else if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
            dialog->setDirectory(out.path()); // the proposed name, in another folder
            static_cast<QDialog *>(dialog)->accept();
        }
    });
    answer.start(50);
    PlayListTableWidget *table = m_widget->currentTable();
    const QPoint cell
            = table->visualItemRect(table->item(0, PlayListTableWidget::DateColumn)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, cell, table->viewport()->mapToGlobal(cell));
    QApplication::sendEvent(table->viewport(), &event);
    answer.stop();

    QCOMPARE(proposed, QStringLiteral("20240314_153012E.") + format);
    QFile written(target);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const ProcessResult tool
            = runProcess(TestPaths::tool(),
                         {QStringLiteral("telemetry"), file, QStringLiteral("--format"), format});
    QCOMPARE(tool.exitCode, 0);
    QCOMPARE(written.readAll(), tool.out);
    if (format != QLatin1String("gpx"))
        return;
    const ProcessResult babel = runProcess(QStringLiteral("gpsbabel"),
                                           {QStringLiteral("-t"),
                                            QStringLiteral("-i"),
                                            QStringLiteral("gpx"),
                                            QStringLiteral("-f"),
                                            target,
                                            QStringLiteral("-o"),
                                            QStringLiteral("unicsv"),
                                            QStringLiteral("-F"),
                                            QStringLiteral("-")});
    QCOMPARE(babel.exitCode, 0);
    const QList<QByteArray> rows = babel.out.trimmed().split('\n');
    QCOMPARE(rows.first().trimmed(), QByteArray("No,Latitude,Longitude,Date,Time"));
    QCOMPARE(rows.size() - 1, 4); // ten fixes, six of them not valid
}

// The trips come from a worker; a list loaded again meanwhile drops the old scan's result.
// Next, previous and selected then walk trips, never files.
void TestPlayListWidget::tripsView_findsTripsOnAWorker_andWalksThem()
{
    loadCard(false);
    PlayListWidget &w = *m_widget;
    QSignalSpy found(w.tripList(), &TripListWidget::tripsFound);
    QSignalSpy trips(&w, &PlayListWidget::tripSelected);
    QSignalSpy files(&w, &PlayListWidget::playFileSelected);
    QSignalSpy ended(&w, &PlayListWidget::endOfPlayingListReached);
    w.showView(PlayListWidget::Trips);
    QVERIFY(w.tripList()->isScanning());
    QCOMPARE(w.loadPlayList({m_card}, false), cardAll.size());
    QTRY_VERIFY_WITH_TIMEOUT(!w.tripList()->isScanning(), 30000);
    QTest::qWait(50); // an abandoned scan's report would come now
    QCOMPARE(found.count(), 1);
    const int count = w.tripList()->trips().size();
    QVERIFY(count > 0);
    QCOMPARE(w.tripList()->rowCount(), count);
    QVERIFY(w.tripList()->isVisible());
    QVERIFY(!w.currentTable()->isVisible());
    QVERIFY(!w.filterButton(FolderScanner::All)->isVisible());

    QCOMPARE(w.playSelectedFile(), 0);
    QCOMPARE(trips.count(), 1);
    QCOMPARE(trips.at(0).at(0).value<Trip>().start, w.tripList()->trip(0).start);
    w.tripList()->selectRow(count - 1);
    QCOMPARE(w.playNextFile(QStringLiteral("/tmp/trip-1.ffconcat")), -1);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(trips.count(), 1);
    QCOMPARE(files.count(), 0);
    // A recording started before the switch goes on with the next recording at its end.
    const QString second = w.currentTable()->filePath(1);
    QCOMPARE(w.playNextFile(w.currentTable()->filePath(0)), 0);
    QCOMPARE(files.count(), 1);
    QCOMPARE(files.at(0).at(0).toString(), second);
    QCOMPARE(trips.count(), 1);

    w.showView(PlayListWidget::Recordings);
    QVERIFY(!w.tripList()->isVisible());
    QVERIFY(w.currentTable()->isVisible());
    QCOMPARE(w.playSelectedFile(), 0);
    QCOMPARE(files.count(), 2);
}

QTEST_MAIN(TestPlayListWidget)
#include "tst_playlistwidget.moc"
