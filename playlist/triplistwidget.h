#pragma once

#include "trip.h"

#include <QTableWidget>
#include <QVector>

#include <atomic>
#include <memory>

class FolderScanner;
class QThread;

// The trips view of the play list: a row per trip with its date, start and end time, length,
// distance and number of event marks. The trips are found on a worker thread (TripScanner
// opens every recording's header and reads its telemetry), so a large card does not hold up the
// window; until they are there the table shows one line saying so.
//
// Threads: a widget, called on the GUI thread. The scan's worker thread reads a copy of the
// folder scan's tables and writes its result into a shared slot that the GUI thread takes over
// once the worker's finished signal arrives; it is told to stop through an atomic flag.
class TripListWidget : public QTableWidget
{
    Q_OBJECT

public:
    enum Column {
        DateColumn = 0,
        StartColumn = 1,
        EndColumn = 2,
        DurationColumn = 3,
        DistanceColumn = 4,
        EventsColumn = 5
    };
    static constexpr int ColumnCount = 6;

    explicit TripListWidget(QWidget *parent = nullptr);
    // Stops a scan under way and waits for its worker.
    ~TripListWidget() override;

    // Finds the trips of the scanned tables on a worker; tripsFound follows. A scan under way
    // is abandoned (its result is dropped).
    void scan(const FolderScanner &scanner);
    // No trips and no scan.
    void reset();
    // Shows these trips (what a scan ends with).
    void setTrips(const QVector<Trip> &trips);

    bool isScanning() const { return m_worker != nullptr; }
    const QVector<Trip> &trips() const { return m_trips; }
    // The trip of a row; an empty trip for a row out of range.
    Trip trip(int row) const;
    // The selected row, -1 when none.
    int selectedRow() const;

    // "m:ss" below an hour, else "h:mm:ss".
    static QString durationText(double seconds);
    // "850 m" below a kilometre, else "12.3 km".
    static QString distanceText(double metres);

signals:
    // A scan has ended and its trips are shown.
    void tripsFound(int count);
    // The user double-clicked a trip.
    void tripActivated(const Trip &trip);

private:
    void showScanning();
    void scanFinished(QThread *worker);

    QVector<Trip> m_trips;
    QThread *m_worker = nullptr; // the scan whose result counts
    std::shared_ptr<std::atomic<bool>> m_cancel;
    std::shared_ptr<QVector<Trip>> m_result; // written by m_worker, read after it finished
};
