#include "playlistwidget.h"

#include "media/globalsettings.h"
#include "media/mediainfo.h"
#include "media/triptimeline.h"
#include "media/userfolders.h"
#include "playlistlog.h"
#include "playlisttablewidget.h"
#include "removabledrivequery.h"
#include "systemremovabledrivequery.h"
#include "triplistwidget.h"

#include <QButtonGroup>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int HeaderBarHeight = 40;
constexpr int FilterButtonWidth = 47;
constexpr int FilterButtonHeight = 25;

const char *const tableNames[FolderScanner::FilterCount] = {
        "playlistTableAll",
        "playlistTableDriving",
        "playlistTableEvent",
        "playlistTableParking",
};
const char *const buttonNames[FolderScanner::FilterCount] = {
        "playListAll",
        "playListDriving",
        "playListEvent",
        "playListParking",
};
const char *const buttonImageBases[FolderScanner::FilterCount] = {
        "list_all",
        "list_always",
        "list_event",
        "list_parking",
};

std::unique_ptr<RemovableDriveQuery> orSystemQuery(std::unique_ptr<RemovableDriveQuery> drives)
{
    if (drives)
        return drives;
    return std::make_unique<SystemRemovableDriveQuery>();
}

// The tables hold absolute, cleaned paths; a path from elsewhere is brought to that form.
QString normalizedPath(const QString &path)
{
    if (path.isEmpty())
        return QString();
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

PlayListWidget::PlayListWidget(MediaInfo *mediaInfo, QWidget *parent)
    : PlayListWidget(mediaInfo, nullptr, parent)
{ }

PlayListWidget::PlayListWidget(MediaInfo *mediaInfo,
                               std::unique_ptr<RemovableDriveQuery> drives,
                               QWidget *parent)
    : QWidget(parent)
    , m_mediaInfo(mediaInfo)
    , m_drives(orSystemQuery(std::move(drives)))
    , m_scanner(*m_drives)
{
    setObjectName(QStringLiteral("playListWidget"));
    // A plain widget draws its style sheet background only when asked to.
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral("#playListWidget { border: 1px solid gray; background: black; }"));

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(2, 2, 2, 2);
    m_layout->setSpacing(0);

    auto *headerBar = new QWidget(this);
    headerBar->setFixedHeight(HeaderBarHeight);
    auto *headerLayout = new QHBoxLayout(headerBar);
    headerLayout->setContentsMargins(2, 2, 2, 2);
    headerLayout->setSpacing(0);
    auto *title = new QLabel(tr("Play List"), headerBar);
    title->setStyleSheet(QStringLiteral("color: white;"));
    headerLayout->addWidget(title);
    headerLayout->addStretch();

    m_filterBar = new QWidget(headerBar);
    auto *filterLayout = new QHBoxLayout(m_filterBar);
    filterLayout->setContentsMargins(0, 0, 0, 0);
    filterLayout->setSpacing(0);
    headerLayout->addWidget(m_filterBar);
    const QString toolTips[FolderScanner::FilterCount]
            = {tr("All"), tr("Driving"), tr("Event"), tr("Parking")};
    for (int filter = 0; filter < FolderScanner::FilterCount; ++filter) {
        auto *button = new QRadioButton(m_filterBar);
        button->setObjectName(QLatin1String(buttonNames[filter]));
        button->setFixedSize(FilterButtonWidth, FilterButtonHeight);
        button->setToolTip(toolTips[filter]);
        button->setStyleSheet(filterButtonStyleSheet(QLatin1String(buttonImageBases[filter])));
        button->setEnabled(false);
        filterLayout->addWidget(button);
        m_buttons[static_cast<size_t>(filter)] = button;
    }
    m_buttons[FolderScanner::All]->setChecked(true);
    m_layout->addWidget(headerBar);

    // Recordings | Trips
    auto *viewBar = new QWidget(this);
    auto *viewLayout = new QHBoxLayout(viewBar);
    viewLayout->setContentsMargins(2, 0, 2, 2);
    viewLayout->setSpacing(2);
    auto *viewGroup = new QButtonGroup(viewBar);
    const QString viewTexts[2] = {tr("Recordings"), tr("Trips")};
    const char *const viewNames[2] = {"recordingsViewButton", "tripsViewButton"};
    for (int view = Recordings; view <= Trips; ++view) {
        auto *button = new QPushButton(viewTexts[view], viewBar);
        button->setObjectName(QLatin1String(viewNames[view]));
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(QStringLiteral(
                "QPushButton { color: white; background: #292929; border: 1px solid gray; "
                "padding: 2px 0px; } QPushButton:checked { background: #505050; }"));
        // The style sheet's border leaves the text less room than the size hint counts on.
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(viewTexts[view]) + 16);
        viewGroup->addButton(button, view);
        viewLayout->addWidget(button);
        m_viewButtons[view] = button;
    }
    viewLayout->addStretch();
    m_viewButtons[Recordings]->setChecked(true);
    connect(viewGroup, &QButtonGroup::idToggled, this, [this](int view, bool checked) {
        if (checked)
            showView(static_cast<View>(view));
    });
    m_layout->addWidget(viewBar);

    for (int filter = 0; filter < FolderScanner::FilterCount; ++filter) {
        auto *tableWidget = new PlayListTableWidget(this);
        tableWidget->setObjectName(QLatin1String(tableNames[filter]));
        connect(tableWidget,
                &QTableWidget::cellDoubleClicked,
                this,
                &PlayListWidget::onCellDoubleClicked);
        connect(tableWidget, &QTableWidget::cellClicked, this, &PlayListWidget::onCellClicked);
        tableWidget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(tableWidget,
                &QWidget::customContextMenuRequested,
                this,
                [this, tableWidget](const QPoint &pos) { showRowMenu(tableWidget, pos); });
        m_tables[static_cast<size_t>(filter)] = tableWidget;
        if (filter == FolderScanner::All)
            m_layout->addWidget(tableWidget);
        else
            tableWidget->hide();
    }

    m_tripList = new TripListWidget(this);
    m_tripList->hide();
    m_layout->addWidget(m_tripList);
    connect(m_tripList, &TripListWidget::tripActivated, this, &PlayListWidget::tripSelected);
    m_tripList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tripList, &QWidget::customContextMenuRequested, this, &PlayListWidget::showTripMenu);
    connect(m_tripList, &TripListWidget::tripsFound, this, [this](int count) {
        if (m_view == Trips)
            emit playlistSelectionChanged(m_tripList->selectedRow(), count);
    });

    connect(m_buttons[FolderScanner::All],
            &QRadioButton::toggled,
            this,
            &PlayListWidget::onShowAll);
    connect(m_buttons[FolderScanner::Driving],
            &QRadioButton::toggled,
            this,
            &PlayListWidget::onShowDriving);
    connect(m_buttons[FolderScanner::Event],
            &QRadioButton::toggled,
            this,
            &PlayListWidget::onShowEvent);
    connect(m_buttons[FolderScanner::Parking],
            &QRadioButton::toggled,
            this,
            &PlayListWidget::onShowParking);

    if (m_mediaInfo) {
        connect(m_mediaInfo,
                &MediaInfo::mediaInfoStateChanged,
                this,
                &PlayListWidget::onMediaInfoStateChanged,
                Qt::UniqueConnection);
    }
}

PlayListWidget::~PlayListWidget() = default;

int PlayListWidget::loadPlayList(const QStringList &paths, bool autoSelect)
{
    clear();
    m_scanner.scan(paths);
    if (m_view == Trips) {
        m_tripsStale = false;
        m_tripList->scan(m_scanner);
    }
    for (int filter = 0; filter < FolderScanner::FilterCount; ++filter)
        m_tables[static_cast<size_t>(filter)]->setEntries(m_scanner.table(filter));
    updateFilterButtons();

    PlayListTableWidget *shown = currentTable();
    const int rowCount = shown->rowCount();
    if (m_view == Trips)
        return rowCount; // the trips come when found; the user picks one
    if (rowCount == 0) {
        emit playlistSelectionChanged(-1, 0);
        return 0;
    }
    if (autoSelect) {
        shown->selectRow(0);
        emit playFileSelected(shown->filePath(0));
        emit playlistSelectionChanged(0, rowCount);
    }
    return rowCount;
}

int PlayListWidget::playNextFile(const QString &current)
{
    qCDebug(lcPlayList).noquote() << "PlayListWidget::playNextFile"
                                  << ": current " << current;
    // The end of what plays goes on with its own sequence, whichever view is shown: after a
    // trip the next trip, after a recording the next recording. Without current (the Next
    // command) the view shown decides.
    const bool trip = current.isEmpty() ? m_view == Trips : TripTimeline::isConcatList(current);
    if (trip) {
        const int row = m_tripList->selectedRow();
        const int count = m_tripList->trips().size();
        if (row >= 0 && row + 1 < count) {
            startTrip(row + 1);
            return 0;
        }
        if (count > 0) {
            m_tripList->selectRow(0);
            emit endOfPlayingListReached();
        }
        return -1;
    }
    PlayListTableWidget *shown = currentTable();
    const int rowCount = shown->rowCount();
    const int row
            = current.isEmpty() ? shown->selectedRow() : shown->rowOfPath(listedPathOf(current));
    qCDebug(lcPlayList).noquote() << "PlayListWidget::playNextFile"
                                  << ": row " << row << ", total#" << rowCount;

    if (row >= 0 && row + 1 < rowCount) {
        const int next = row + 1;
        qCDebug(lcPlayList).noquote() << "select next file " << next;
        startRow(shown, next);
        emit playlistSelectionChanged(next, rowCount);
        return 0;
    }
    if (rowCount > 0) {
        shown->selectRow(0);
        qCDebug(lcPlayList).noquote() << "endOfPlayingListReached "
                                      << ": row " << row << ", total#" << rowCount;
        emit endOfPlayingListReached();
    }
    return -1;
}

int PlayListWidget::playPrevFile()
{
    if (m_view == Trips) {
        const int row = m_tripList->selectedRow();
        if (row < 1)
            return -1;
        startTrip(row - 1);
        return 0;
    }
    PlayListTableWidget *shown = currentTable();
    const int row = shown->selectedRow();
    if (row < 1 || row >= shown->rowCount())
        return -1;
    const int previous = row - 1;
    qCDebug(lcPlayList).noquote() << "select prev file " << previous;
    startRow(shown, previous);
    emit playlistSelectionChanged(previous, shown->rowCount());
    return 0;
}

int PlayListWidget::playSelectedFile()
{
    if (m_view == Trips) {
        const int row = m_tripList->selectedRow();
        if (row < 0)
            return -1;
        emit tripSelected(m_tripList->trip(row));
        return 0;
    }
    PlayListTableWidget *shown = currentTable();
    const int row = shown->selectedRow();
    if (row < 0 || row >= shown->rowCount())
        return -1;
    qCDebug(lcPlayList).noquote() << "select file " << row;
    emit playFileSelected(shown->filePath(row));
    return 0;
}

void PlayListWidget::clear()
{
    m_scanner.clear();
    m_tripList->reset();
    m_tripsStale = true;
    for (PlayListTableWidget *tableWidget : m_tables)
        tableWidget->setRowCount(0);
    updateFilterButtons();
    m_buttons[FolderScanner::All]->setChecked(true);
    // The button may have been checked already while another table was shown.
    showFilter(FolderScanner::All);
}

PlayListTableWidget *PlayListWidget::currentTable() const
{
    for (PlayListTableWidget *tableWidget : m_tables) {
        if (m_layout->indexOf(tableWidget) >= 0)
            return tableWidget;
    }
    // The layout always holds one table; this is only a safety net.
    return m_tables[FolderScanner::All];
}

PlayListTableWidget *PlayListWidget::table(int filter) const
{
    if (filter < 0 || filter >= FolderScanner::FilterCount)
        return nullptr;
    return m_tables[static_cast<size_t>(filter)];
}

QRadioButton *PlayListWidget::filterButton(int filter) const
{
    if (filter < 0 || filter >= FolderScanner::FilterCount)
        return nullptr;
    return m_buttons[static_cast<size_t>(filter)];
}

QString PlayListWidget::buttonImagePath(const QString &base, const QString &suffix)
{
    return QStringLiteral(":/resource/img/lang_dependent/") + GlobalSettings::resourceLanguage()
            + QStringLiteral("/playlist/") + base + suffix + QStringLiteral(".BMP");
}

QString PlayListWidget::filterButtonStyleSheet(const QString &base)
{
    // Later rules win: a disabled button shows its disabled image even while checked.
    return QStringLiteral("QRadioButton { spacing: 0px; }"
                          "QRadioButton::indicator { width: %1px; height: %2px; }"
                          "QRadioButton::indicator:unchecked { image: url(%3); }"
                          "QRadioButton::indicator:checked { image: url(%4); }"
                          "QRadioButton::indicator:disabled { image: url(%5); }")
            .arg(FilterButtonWidth)
            .arg(FilterButtonHeight)
            .arg(buttonImagePath(base, QString()),
                 buttonImagePath(base, QStringLiteral("_clicked")),
                 buttonImagePath(base, QStringLiteral("_disable")));
}

void PlayListWidget::onCellDoubleClicked(int row, int col)
{
    const QString path = currentTable()->filePath(row);
    qCDebug(lcPlayList).noquote() << "PlayListWidget::onCellDoubleClicked"
                                  << "row" << row << "col" << col << path;
    if (path.isEmpty())
        return;
    emit playFileSelected(path);
}

void PlayListWidget::onCellClicked(int row, int col)
{
    Q_UNUSED(col)
    const int rowCount = currentTable()->rowCount();
    if (row < 0 || row >= rowCount)
        return;
    emit playlistSelectionChanged(row, rowCount);
}

void PlayListWidget::onShowAll(bool checked)
{
    Q_UNUSED(checked)
    showFilter(FolderScanner::All);
}

void PlayListWidget::onShowDriving(bool checked)
{
    Q_UNUSED(checked)
    showFilter(FolderScanner::Driving);
}

void PlayListWidget::onShowEvent(bool checked)
{
    Q_UNUSED(checked)
    showFilter(FolderScanner::Event);
}

void PlayListWidget::onShowParking(bool checked)
{
    Q_UNUSED(checked)
    showFilter(FolderScanner::Parking);
}

void PlayListWidget::onMediaInfoStateChanged(MediaInfo *media_info,
                                             MediaContext *playing_context,
                                             int old_state,
                                             int new_state)
{
    // The list follows the play state only when asked (playNextFile, filter changes).
    Q_UNUSED(media_info)
    Q_UNUSED(playing_context)
    Q_UNUSED(old_state)
    Q_UNUSED(new_state)
}

void PlayListWidget::showFilter(int filter)
{
    PlayListTableWidget *target = table(filter);
    PlayListTableWidget *shown = currentTable();
    if (!target || target == shown)
        return;

    delete m_layout->replaceWidget(shown, target);
    target->setVisible(m_view == Recordings);
    shown->hide();
    // A filter chosen by a direct call checks its button too. The buttons stay quiet: the
    // unchecked one would otherwise ask for its own table again.
    for (QRadioButton *button : m_buttons)
        button->blockSignals(true);
    m_buttons[static_cast<size_t>(filter)]->setChecked(true);
    for (QRadioButton *button : m_buttons)
        button->blockSignals(false);

    if (m_mediaInfo && m_mediaInfo->isOpened()) {
        const int playing = target->rowOfPath(listedPathOf(m_mediaInfo->currentPath()));
        if (playing >= 0)
            target->selectRow(playing);
    }
    emit playlistSelectionChanged(target->selectedRow(), target->rowCount());
}

void PlayListWidget::updateFilterButtons()
{
    m_buttons[FolderScanner::All]->setEnabled(!m_scanner.entries().isEmpty());
    for (int filter = FolderScanner::Driving; filter < FolderScanner::FilterCount; ++filter)
        m_buttons[static_cast<size_t>(filter)]->setEnabled(
                m_tables[static_cast<size_t>(filter)]->rowCount() > 0);

    for (PlayListTableWidget *tableWidget : m_tables) {
        if (tableWidget->rowCount() == 0)
            continue;
        tableWidget->renumber();
        tableWidget->selectRow(0);
    }
}

QString PlayListWidget::listedPathOf(const QString &path) const
{
    const QString normalized = normalizedPath(path);
    // A repaired copy lives in the export folder under a name of its own; the recording it
    // was made from is the one in the list.
    if (m_mediaInfo && !normalized.isEmpty()) {
        const QString copy = normalizedPath(m_mediaInfo->tempFilePath());
        const QString source = m_mediaInfo->tempFileSource();
        if (!copy.isEmpty() && normalized == copy && !source.isEmpty())
            return normalizedPath(source);
    }
    return normalized;
}

void PlayListWidget::startRow(PlayListTableWidget *tableWidget, int row)
{
    tableWidget->selectRow(row);
    emit playFileSelected(tableWidget->filePath(row));
}

void PlayListWidget::showRowMenu(PlayListTableWidget *table, const QPoint &pos)
{
    const QString path = table->filePath(table->rowAt(pos.y()));
    if (path.isEmpty())
        return;
    QMenu menu(this);
    QAction *gpx = menu.addAction(tr("Export track (GPX)..."));
    gpx->setObjectName(QStringLiteral("exportGpxAction"));
    QAction *csv = menu.addAction(tr("Export track (CSV)..."));
    csv->setObjectName(QStringLiteral("exportCsvAction"));
    QAction *chosen = menu.exec(table->viewport()->mapToGlobal(pos));
    if (chosen == gpx)
        exportTrack(path, TrackExport::Gpx);
    else if (chosen == csv)
        exportTrack(path, TrackExport::Csv);
}

QString PlayListWidget::askTrackOutput(const QString &baseName, TrackExport::Format format)
{
    const QString suffix = TrackExport::suffix(format);
    const QString folder = m_trackFolder.isEmpty() ? UserFolders::savedVideos() : m_trackFolder;
    QFileDialog dialog(this, tr("Export track"));
    dialog.setObjectName(QStringLiteral("trackExportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.setNameFilter(format == TrackExport::Gpx ? tr("GPS tracks (*.gpx)")
                                                    : tr("Comma-separated values (*.csv)"));
    dialog.setDirectory(folder);
    dialog.selectFile(baseName + QLatin1Char('.') + suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString output = dialog.selectedFiles().first();
    m_trackFolder = QFileInfo(output).absolutePath();
    return output;
}

void PlayListWidget::reportTrackFailure(const QString &error)
{
    qCDebug(lcPlayList).noquote() << "PlayListWidget: track export failed:" << error;
    QMessageBox::warning(this,
                         tr("Export track"),
                         tr("The track could not be saved.") + QLatin1Char('\n') + error);
}

void PlayListWidget::exportTrack(const QString &recordingPath, TrackExport::Format format)
{
    const QString output = askTrackOutput(QFileInfo(recordingPath).completeBaseName(), format);
    if (output.isEmpty())
        return;
    QString error;
    if (!TrackExport::writeFile(recordingPath, format, output, &error)) {
        reportTrackFailure(error);
        return;
    }
    qCDebug(lcPlayList).noquote() << "PlayListWidget::exportTrack" << recordingPath << "->"
                                  << output;
}

void PlayListWidget::showView(View view)
{
    if (view != Recordings && view != Trips)
        return;
    m_viewButtons[view]->blockSignals(true);
    m_viewButtons[view]->setChecked(true);
    m_viewButtons[view]->blockSignals(false);
    if (view == m_view)
        return;
    m_view = view;
    const bool trips = view == Trips;
    m_filterBar->setVisible(!trips);
    currentTable()->setVisible(!trips);
    m_tripList->setVisible(trips);
    if (trips && m_tripsStale && !m_scanner.entries().isEmpty()) {
        m_tripsStale = false;
        m_tripList->scan(m_scanner);
    }
    if (trips)
        emit playlistSelectionChanged(m_tripList->selectedRow(), m_tripList->trips().size());
    else
        emit playlistSelectionChanged(currentTable()->selectedRow(), currentTable()->rowCount());
}

void PlayListWidget::startTrip(int row)
{
    m_tripList->selectRow(row);
    emit tripSelected(m_tripList->trip(row));
    emit playlistSelectionChanged(row, m_tripList->trips().size());
}

void PlayListWidget::showTripMenu(const QPoint &pos)
{
    const int row = m_tripList->rowAt(pos.y());
    if (row < 0 || row >= m_tripList->trips().size())
        return;
    QMenu menu(this);
    QAction *gpx = menu.addAction(tr("Export track (GPX)..."));
    gpx->setObjectName(QStringLiteral("exportGpxAction"));
    QAction *csv = menu.addAction(tr("Export track (CSV)..."));
    csv->setObjectName(QStringLiteral("exportCsvAction"));
    QAction *chosen = menu.exec(m_tripList->viewport()->mapToGlobal(pos));
    if (chosen != gpx && chosen != csv)
        return;
    const Trip trip = m_tripList->trip(row);
    const TrackExport::Format format = chosen == gpx ? TrackExport::Gpx : TrackExport::Csv;
    const QString first
            = trip.recordings.isEmpty() ? QString() : trip.recordings.first().entry.path;
    const QString output
            = askTrackOutput(QFileInfo(first).completeBaseName() + QStringLiteral("_trip"), format);
    QString error;
    if (!output.isEmpty() && !TrackExport::writeTripFile(trip, format, output, &error))
        reportTrackFailure(error);
}
