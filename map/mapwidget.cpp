#include "mapwidget.h"

#include "googlemapview.h"
#include "media/globalsettings.h"
#include "media/mediainfo.h"
#include "media/telemetrytrack.h"
#include "telemetry/maplog.h"
#include "telemetry/mapsettings.h"
#include "ui/elasticlabel.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace {

constexpr int TitleBarHeight = 25;
constexpr int ViewHeight = 221;
constexpr int PopupButtonSide = 21;
constexpr int RestoreButtonSide = 28;

const QString NoValue = QStringLiteral("0.000000");

QString buttonStyle(const QString &name,
                    const QString &normal,
                    const QString &pressed,
                    const QString &disabled)
{
    const QString rule
            = QStringLiteral("QPushButton#%1%2 { border: none; border-image: url(%3); }\n");
    return rule.arg(name, QString(), normal) + rule.arg(name, QStringLiteral(":pressed"), pressed)
            + rule.arg(name, QStringLiteral(":disabled"), disabled);
}

// The info widget's picture, centred and not repeated.
QString infoStyle(int state)
{
    return QStringLiteral("#mapInfoWidget { background-image: url(%1); "
                          "background-position: center; background-repeat: no-repeat; }")
            .arg(MapWidget::infoPicture(state));
}

ElasticLabel *whiteLabel(const QString &text, Qt::Alignment alignment, QWidget *parent)
{
    auto *label = new ElasticLabel(text, parent);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setStyleSheet(QStringLiteral("color: white;"));
    return label;
}

} // namespace

MapWidget::MapWidget(MediaInfo *media_info, const TelemetryTrack *telemetry, QWidget *parent)
    : QWidget(parent)
    , m_telemetry(telemetry)
{
    setObjectName(QStringLiteral("mapWidget"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#mapWidget { border: 1px solid gray; background: #141414; }"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::ClickFocus);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);

    buildTitleBar();
    layout->addWidget(m_titleBar);

    const MapSettings settings = MapSettings::load();

    m_infoWidget = new QWidget(this);
    m_infoWidget->setObjectName(QStringLiteral("mapInfoWidget"));
    m_infoWidget->setAttribute(Qt::WA_StyledBackground);
    m_infoWidget->setFixedHeight(ViewHeight);
    m_infoWidget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_view = new GoogleMapView(settings, this);
    m_view->setObjectName(QStringLiteral("googleMapView"));
    m_view->setFixedHeight(ViewHeight);
    m_view->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_view->hide();

    m_viewLayout = new QVBoxLayout;
    m_viewLayout->setContentsMargins(2, 2, 2, 2);
    m_viewLayout->setSpacing(0);
    m_viewLayout->addWidget(m_infoWidget);
    layout->addLayout(m_viewLayout);
    layout->addSpacing(2);

    buildCoordinatesBar();
    layout->addWidget(m_coordinatesBar);

    m_infoWidget->setStyleSheet(infoStyle(NoData));

    if (media_info) {
        connect(media_info,
                &MediaInfo::mediaInfoStateChanged,
                this,
                &MapWidget::onMediaInfoStateChanged);
    }
    connect(&m_pinger, &Pinger::pong, this, &MapWidget::onPong);
    connect(&m_pinger, &Pinger::pong, m_view, &GoogleMapView::onPong);
    connect(m_view, &GoogleMapView::routePointClicked, this, &MapWidget::onRoutePointClicked);

    m_view->loadMapPage();
    qCDebug(lcMap).noquote() << "MapWidget: tiles" << settings.tileUrlTemplate << ", probe host"
                             << settings.pingHost;
    m_pinger.start(settings.pingHost, ProbePeriodSeconds);
}

MapWidget::~MapWidget()
{
    m_pinger.stop();
}

void MapWidget::buildTitleBar()
{
    m_titleBar = new QWidget(this);
    m_titleBar->setObjectName(QStringLiteral("mapTitleBar"));
    m_titleBar->setFixedHeight(TitleBarHeight);
    auto *bar = new QHBoxLayout(m_titleBar);
    bar->setContentsMargins(2, 2, 2, 2);
    bar->setSpacing(0);

    auto *title = new QLabel(tr("Map"), m_titleBar);
    title->setObjectName(QStringLiteral("mapTitleLabel"));
    title->setStyleSheet(QStringLiteral("color: white;"));
    bar->addWidget(title);
    bar->addStretch();

    m_popupButton = new QPushButton(m_titleBar);
    m_popupButton->setObjectName(QStringLiteral("mapPopupButton"));
    m_popupButton->setFixedSize(PopupButtonSide, PopupButtonSide);
    m_popupButton->setFocusPolicy(Qt::NoFocus);
    m_popupButton->setStyleSheet(
            buttonStyle(m_popupButton->objectName(),
                        QStringLiteral(":/resource/img/map/map.BMP"),
                        QStringLiteral(":/resource/img/map/map_clicked.BMP"),
                        QStringLiteral(":/resource/img/map/map_disabled.BMP")));
    bar->addWidget(m_popupButton);

    m_restoreButton = new QPushButton(m_titleBar);
    m_restoreButton->setObjectName(QStringLiteral("mapRestoreButton"));
    m_restoreButton->setFixedSize(RestoreButtonSide, RestoreButtonSide);
    m_restoreButton->setFocusPolicy(Qt::NoFocus);
    m_restoreButton->setStyleSheet(
            buttonStyle(m_restoreButton->objectName(),
                        QStringLiteral(":/resource/img/map/map_minus.bmp"),
                        QStringLiteral(":/resource/img/map/map_minus_clicked.bmp"),
                        QStringLiteral(":/resource/img/map/map_minus_disable.bmp")));
    m_restoreButton->hide();
    bar->addWidget(m_restoreButton);

    connect(m_popupButton, &QPushButton::clicked, this, &MapWidget::popupRequested);
    connect(m_restoreButton, &QPushButton::clicked, this, &MapWidget::restoreRequested);
}

void MapWidget::buildCoordinatesBar()
{
    m_coordinatesBar = new QWidget(this);
    m_coordinatesBar->setObjectName(QStringLiteral("mapCoordinatesBar"));
    m_coordinatesBar->setFixedHeight(font().pointSize() + 4);
    auto *bar = new QHBoxLayout(m_coordinatesBar);
    bar->setContentsMargins(3, 0, 3, 0);
    bar->setSpacing(0);

    bar->addStretch();
    bar->addWidget(whiteLabel(tr("Latitude:"), Qt::AlignRight, m_coordinatesBar));
    m_latitudeValue = whiteLabel(NoValue, Qt::AlignLeft, m_coordinatesBar);
    m_latitudeValue->setObjectName(QStringLiteral("mapLatitudeValue"));
    bar->addWidget(m_latitudeValue);
    bar->addStretch();
    bar->addWidget(whiteLabel(tr("Longitude:"), Qt::AlignRight, m_coordinatesBar));
    m_longitudeValue = whiteLabel(NoValue, Qt::AlignHCenter, m_coordinatesBar);
    m_longitudeValue->setObjectName(QStringLiteral("mapLongitudeValue"));
    bar->addWidget(m_longitudeValue);
    bar->addStretch();
}

QString MapWidget::infoPicture(int state)
{
    return QStringLiteral(":/resource/img/lang_dependent/") + GlobalSettings::resourceLanguage()
            + (state == NotConnected ? QStringLiteral("/map/not_connected.png")
                                     : QStringLiteral("/map/no_data.png"));
}

void MapWidget::setValueLabels(const QString &latitude, const QString &longitude)
{
    m_latitudeValue->setText(latitude);
    m_longitudeValue->setText(longitude);
}

void MapWidget::onMediaInfoStateChanged(MediaInfo *media_info,
                                        MediaContext *playing_context,
                                        int old_state,
                                        int new_state)
{
    Q_UNUSED(media_info)
    Q_UNUSED(playing_context) // an identity token only; the samples come from m_telemetry
    switch (new_state) {
    case MediaInfo::Playing:
        if (old_state == MediaInfo::Paused)
            return;
        if (m_telemetry && m_telemetry->gpsSamples(m_gps) > 0) {
            m_gpsInterval = m_telemetry->gpsRate();
            m_view->setFlightPath(m_gps);
            m_view->setMarkerVisible(true);
            changeMapState(MapShown);
        } else {
            m_view->hideFlightPaths();
            m_view->setMarkerVisible(false);
            changeMapState(NoData);
        }
        return;
    case MediaInfo::Paused:
        return;
    default: // Idle, Stopped
        changeMapState(NoData);
        m_view->hideFlightPaths();
        m_view->setMarkerVisible(false);
        setValueLabels(NoValue, NoValue);
        return;
    }
}

void MapWidget::showPlayingTime(double seconds)
{
    if (m_gpsInterval == 0 || m_gps.isEmpty())
        return;
    const int index = TelemetryTrack::indexAt(seconds, m_gpsInterval, m_gps.size());
    if (index < 0)
        return;
    const GpsSample &sample = m_gps.at(index);
    // A fix the receiver marked invalid (often 0, 0) would throw the marker off the route: the
    // panel keeps the last valid position instead.
    if (!sample.valid)
        return;
    updatePosition(sample.latitude, sample.longitude);
}

void MapWidget::updatePosition(double latitude, double longitude)
{
    if (!m_online) {
        changeMapState(NotConnected);
        return;
    }
    setValueLabels(QString::asprintf("%.6f", latitude), QString::asprintf("%.6f", longitude));
    m_lastLatitude = latitude;
    m_lastLongitude = longitude;
    m_positionShown = true;
    m_view->setPosition(latitude, longitude);
    if (m_state != MapShown) {
        qCDebug(lcMap).noquote() << "MapWidget::changeMapState"
                                 << ":" << m_state << " --> " << int(MapShown);
        m_state = MapShown;
        m_view->setMarkerVisible(true);
    }
    if (m_infoInLayout)
        showMapView();
}

void MapWidget::showMapView()
{
    m_viewLayout->replaceWidget(m_infoWidget, m_view);
    m_infoInLayout = false;
    m_view->show();
    m_infoWidget->hide();
}

void MapWidget::showInfo(int state)
{
    if (!m_infoInLayout) {
        m_viewLayout->replaceWidget(m_view, m_infoWidget);
        m_infoInLayout = true;
    }
    m_infoWidget->setStyleSheet(infoStyle(state));
    m_infoWidget->show();
    m_view->hide();
}

void MapWidget::changeMapState(int state)
{
    if (state == m_state)
        return;
    qCDebug(lcMap).noquote() << "MapWidget::changeMapState"
                             << ":" << m_state << " --> " << state;
    m_state = state;
    if (state == MapShown)
        return; // the view takes the place with the first position (updatePosition)
    showInfo(state);
    if (state == NoData) {
        m_gpsInterval = 0;
        m_gps.clear();
        m_positionShown = false;
        m_lastLatitude = -1.0;
        m_lastLongitude = -1.0;
    }
}

void MapWidget::onPong(bool ok)
{
    if (!m_online && ok) {
        qCDebug(lcMap).noquote() << "network alive back, reloading google map url, current state "
                                 << m_state;
        m_view->loadMapPage();
    }
    m_online = ok;
}

void MapWidget::onRoutePointClicked(double sampleIndex)
{
    if (m_state != MapShown || m_gpsInterval <= 0 || m_gps.isEmpty())
        return;
    const double last = double(m_gps.size() - 1);
    const double seconds = qBound(0.0, sampleIndex, last) * m_gpsInterval;
    qCDebug(lcMap).noquote() << "MapWidget: route clicked at sample" << sampleIndex << ", seek to"
                             << seconds;
    emit seekRequested(seconds);
}

int MapWidget::grabMapImage(double *latitude, double *longitude, QImage *image)
{
    if (m_state != MapShown || !m_positionShown)
        return -1;
    if (latitude)
        *latitude = m_lastLatitude;
    if (longitude)
        *longitude = m_lastLongitude;
    if (image) {
        const QRect area = m_view->contentsRect();
        QImage picture(area.size(), QImage::Format_RGB888);
        picture.fill(Qt::black);
        m_view->render(&picture,
                       QPoint(),
                       QRegion(area),
                       QWidget::DrawWindowBackground | QWidget::DrawChildren);
        *image = picture;
    }
    return 0;
}

void MapWidget::setPopupMode(bool poppedOut)
{
    m_restoreButton->setVisible(poppedOut);
    m_popupButton->setVisible(!poppedOut);
}

void MapWidget::requestRestore()
{
    emit restoreRequested();
}

void MapWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        qCDebug(lcMap).noquote() << "Esc press!";
        event->accept();
        requestRestore();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MapWidget::resizeEvent(QResizeEvent *event)
{
    qCDebug(lcMap).noquote() << "MapWidget::resizeEvent" << event->size();
    QWidget::resizeEvent(event);
    if (m_positionShown)
        updatePosition(m_lastLatitude, m_lastLongitude);
}
