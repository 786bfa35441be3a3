#pragma once

#include "folderscanner.h"
#include "trackexport.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>

class MediaContext;
class MediaInfo;
class PlayListTableWidget;
class QPushButton;
class QRadioButton;
class TripListWidget;
struct Trip;
class QVBoxLayout;
class RemovableDriveQuery;

// The play list panel: the recordings found by the folder scan in four tables (All, Driving,
// Event, Parking), one of which is shown at a time under the filter buttons of its header bar.
// The main window loads it, asks it for the next, previous or selected recording and is told
// through playFileSelected which file to play. A row's context menu exports the recording's
// telemetry track as GPX or CSV.
//
// Threads: a widget; it is created and called on the GUI thread only. It reads the MediaInfo it
// is given (the play state and the path in play) on the same thread.
class PlayListWidget : public QWidget
{
    Q_OBJECT

public:
    // mediaInfo (may be null: nothing plays then) must outlive the widget; its state signal is
    // connected to onMediaInfoStateChanged here. The first form asks the system which folders
    // are removable drive roots; tests pass a query of their own.
    // What the panel lists: the recordings (the four tables) or the trips made of them.
    enum View { Recordings = 0, Trips = 1 };

    explicit PlayListWidget(MediaInfo *mediaInfo, QWidget *parent = nullptr);
    PlayListWidget(MediaInfo *mediaInfo,
                   std::unique_ptr<RemovableDriveQuery> drives,
                   QWidget *parent = nullptr);
    ~PlayListWidget() override;

    // Clears the list, scans paths (files and folders) and fills the tables; the All filter is
    // shown. With autoSelect the first row is selected and announced with playFileSelected.
    // Returns the row count of the table shown.
    int loadPlayList(const QStringList &paths, bool autoSelect);

    // Starts the row after the one of current (a listed path, or the repaired copy of a listed
    // recording) in the recordings table shown, or the trip after the selected one when current
    // is a trip's concat list, whichever view is shown; with current empty, the row after the
    // selected one of the view shown. 0 when a next recording was started; -1 at the end of
    // the list (endOfPlayingListReached is emitted unless the table is empty) or when current
    // is in no row.
    int playNextFile(const QString &current = QString());
    // Starts the row before the selected one: 0, or -1 on the first row or without selection.
    int playPrevFile();
    // Starts the selected row again: 0, or -1 without selection.
    int playSelectedFile();

    // Empties the list and the tables, disables the filter buttons and checks "All".
    void clear();

    // Shows the recordings or the trips; the trips are found on first showing after a load.
    // Next, previous and selected then walk the rows of what is shown.
    void showView(View view);
    View view() const { return m_view; }
    TripListWidget *tripList() const { return m_tripList; }

    // Asks where to save the telemetry track of a recording (a save dialog named
    // "trackExportDialog") and writes it there; a failure is shown in a message box.
    void exportTrack(const QString &recordingPath, TrackExport::Format format);

    // The table in the layout, the one shown.
    PlayListTableWidget *currentTable() const;
    // A filter's table (FolderScanner::Filter); null outside 0..3.
    PlayListTableWidget *table(int filter) const;
    // A filter's button; null outside 0..3.
    QRadioButton *filterButton(int filter) const;
    // Every listed file once, in the order of the scan.
    const QVector<PlayListEntry> &entries() const { return m_scanner.entries(); }

    // Resource path of a filter button image: base "list_all", suffix "", "_disable" or
    // "_clicked", in the language folder chosen at start-up.
    static QString buttonImagePath(const QString &base, const QString &suffix);
    // Style sheet of a filter button drawing its indicator with the images of base.
    static QString filterButtonStyleSheet(const QString &base);

signals:
    void playFileSelected(QString file_path);
    void playlistSelectionChanged(int row, int row_count);
    void endOfPlayingListReached();
    // Play this trip (the trips view's row was chosen).
    void tripSelected(const Trip &trip);

public slots:
    void onCellDoubleClicked(int row, int col);
    void onCellClicked(int row, int col);
    void onShowAll(bool checked);
    void onShowDriving(bool checked);
    void onShowEvent(bool checked);
    void onShowParking(bool checked);
    void onMediaInfoStateChanged(MediaInfo *media_info,
                                 MediaContext *playing_context,
                                 int old_state,
                                 int new_state);

private:
    // Puts the filter's table in the layout and checks its button (without the buttons'
    // signals); selects the row in play there and reports the table's selection.
    void showFilter(int filter);
    // Enables the buttons whose tables have rows, numbers the rows and selects each first row.
    void updateFilterButtons();
    // The listed path a path stands for: the original recording for its repaired copy.
    QString listedPathOf(const QString &path) const;
    // Selects row of table and announces it as the file to play.
    void startRow(PlayListTableWidget *table, int row);
    // The context menu of the row at pos (viewport coordinates): "Export track (GPX)..." and
    // "Export track (CSV)..." (actions "exportGpxAction", "exportCsvAction").
    void showRowMenu(PlayListTableWidget *table, const QPoint &pos);
    // The trips view's row menu: the whole trip's track as GPX or CSV.
    void showTripMenu(const QPoint &pos);
    // Asks where a track goes (the save dialog "trackExportDialog", in the folder of the last
    // track); "" when the user cancels.
    QString askTrackOutput(const QString &baseName, TrackExport::Format format);
    void reportTrackFailure(const QString &error);
    // Starts trip row of the trips view.
    void startTrip(int row);

    MediaInfo *m_mediaInfo = nullptr;
    std::unique_ptr<RemovableDriveQuery> m_drives;
    FolderScanner m_scanner; // holds a reference to *m_drives
    QVBoxLayout *m_layout = nullptr;
    std::array<PlayListTableWidget *, FolderScanner::FilterCount> m_tables {};
    std::array<QRadioButton *, FolderScanner::FilterCount> m_buttons {};
    QString m_trackFolder; // where the last track went
    TripListWidget *m_tripList = nullptr;
    QPushButton *m_viewButtons[2] = {};
    QWidget *m_filterBar = nullptr; // the filter buttons, hidden with the trips
    View m_view = Recordings;
    bool m_tripsStale = true; // the trips have not been found since the last load
};
