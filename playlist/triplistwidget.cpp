#include "triplistwidget.h"

#include "folderscanner.h"
#include "playlistlog.h"
#include "tripscanner.h"

#include <QDebug>
#include <QFileInfo>
#include <QHeaderView>
#include <QThread>

#include <cmath>

TripListWidget::TripListWidget(QWidget *parent)
    : QTableWidget(parent)
{
    // The trip travels in signals; spies and queued connections need its type registered.
    qRegisterMetaType<Trip>();
    setObjectName(QStringLiteral("tripTable"));
    setColumnCount(ColumnCount);
    setHorizontalHeaderLabels(
            {tr("Date"), tr("Start"), tr("End"), tr("Duration"), tr("Distance"), tr("Events")});
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A point smaller than the recording tables: six columns share the side column's width.
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1));
    setFont(small);
    horizontalHeader()->setFont(small);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    // Each column as wide as its widest text, so times and dates are never cut short in the
    // narrow side column; the last column takes what is left.
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setStretchLastSection(true);
    setStyleSheet(QStringLiteral("TripListWidget { border: 1px solid gray; margin: 2 2 2 2; "
                                 "background-color: black; }"
                                 "QHeaderView::section { background-color: #292929; color: "
                                 "white; }"
                                 "QTableView::item { background-color: gray; color: white; }"
                                 "QTableView::item:selected { background-color: %1 }")
                          .arg(palette().highlight().color().name()));
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row >= 0 && row < m_trips.size()) {
            qCDebug(lcPlayList).noquote() << "TripListWidget: trip" << row << "chosen";
            emit tripActivated(m_trips.at(row));
        }
    });
}

TripListWidget::~TripListWidget()
{
    if (m_worker) {
        m_cancel->store(true);
        m_worker->wait();
        delete m_worker;
    }
}

void TripListWidget::scan(const FolderScanner &scanner)
{
    reset();
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_result = std::make_shared<QVector<Trip>>();
    // The worker reads a copy of the tables: the list may be loaded again meanwhile.
    QThread *worker = QThread::create([tables = scanner, cancel = m_cancel, result = m_result]() {
        *result = TripScanner::scan(tables, cancel.get());
    });
    m_worker = worker;
    connect(worker, &QThread::finished, this, [this, worker] { scanFinished(worker); });
    showScanning();
    worker->start(QThread::LowPriority);
}

void TripListWidget::reset()
{
    if (m_worker) {
        // The abandoned worker ends on its own and deletes itself.
        m_cancel->store(true);
        QThread *abandoned = m_worker;
        disconnect(abandoned, nullptr, this, nullptr);
        connect(abandoned, &QThread::finished, abandoned, &QObject::deleteLater);
        if (abandoned->isFinished())
            abandoned->deleteLater();
        m_worker = nullptr;
    }
    m_trips.clear();
    setRowCount(0);
}

void TripListWidget::scanFinished(QThread *worker)
{
    if (worker != m_worker)
        return;
    m_worker = nullptr;
    worker->deleteLater();
    const QVector<Trip> found = *m_result;
    m_result.reset();
    qCDebug(lcPlayList).noquote() << "TripListWidget: found" << found.size() << "trips";
    setTrips(found);
    emit tripsFound(found.size());
}

void TripListWidget::showScanning()
{
    setRowCount(1);
    auto *item = new QTableWidgetItem(tr("Finding trips..."));
    item->setFlags(Qt::ItemIsEnabled);
    setItem(0, 0, item);
    setSpan(0, 0, 1, ColumnCount);
}

void TripListWidget::setTrips(const QVector<Trip> &trips)
{
    clearSpans();
    m_trips = trips;
    setRowCount(0);
    setRowCount(trips.size());
    for (int row = 0; row < trips.size(); ++row) {
        const Trip &trip = trips.at(row);
        QStringList files;
        for (const TripRecording &recording : trip.recordings)
            files << QFileInfo(recording.entry.path).fileName();
        const QString tip = tr("Recordings: %1").arg(trip.recordings.size()) + QLatin1Char('\n')
                + files.join(QLatin1Char('\n'));
        const QString texts[ColumnCount] = {
                trip.start.toString(QStringLiteral("yyyy-MM-dd")),
                trip.start.toString(QStringLiteral("HH:mm:ss")),
                trip.end.toString(QStringLiteral("HH:mm:ss")),
                durationText(trip.durationSeconds()),
                distanceText(trip.distanceMetres),
                QString::number(trip.events.size()),
        };
        for (int column = 0; column < ColumnCount; ++column) {
            auto *item = new QTableWidgetItem(texts[column]);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setToolTip(tip);
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            setItem(row, column, item);
        }
    }
    if (!trips.isEmpty())
        selectRow(0);
}

Trip TripListWidget::trip(int row) const
{
    return row >= 0 && row < m_trips.size() ? m_trips.at(row) : Trip();
}

int TripListWidget::selectedRow() const
{
    const QList<QTableWidgetItem *> items = selectedItems();
    return items.isEmpty() || m_trips.isEmpty() ? -1 : items.first()->row();
}

QString TripListWidget::durationText(double seconds)
{
    const long long total = std::isfinite(seconds) && seconds > 0 ? std::llround(seconds) : 0;
    if (total < 3600)
        return QString::asprintf("%lld:%02lld", total / 60, total % 60);
    return QString::asprintf("%lld:%02lld:%02lld", total / 3600, total / 60 % 60, total % 60);
}

QString TripListWidget::distanceText(double metres)
{
    if (!std::isfinite(metres) || metres < 0)
        metres = 0;
    if (metres < 1000)
        return tr("%1 m").arg(std::llround(metres));
    return tr("%1 km").arg(metres / 1000.0, 0, 'f', 1);
}
