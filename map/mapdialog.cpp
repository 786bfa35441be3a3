#include "mapdialog.h"

#include "googlemapview.h"
#include "mapwidget.h"
#include "media/globalsettings.h"
#include "telemetry/maplog.h"

#include <QCoreApplication>
#include <QDebug>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace {

void growFreely(QWidget *widget)
{
    widget->setMinimumHeight(0);
    widget->setMaximumHeight(QWIDGETSIZE_MAX);
    widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void fixHeight(QWidget *widget, int height)
{
    widget->setFixedHeight(height);
    widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

} // namespace

MapDialog::MapDialog(MapWidget *map_widget, QWidget *parent)
    : FramelessDialog(true, parent)
{
    setWindowTitle(GlobalSettings::productTitle() + QStringLiteral(" - ")
                   + QCoreApplication::translate("MapWidget", "Map"));
    resize(800, 450);
    setObjectName(QStringLiteral("mapDialog"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The column fixes each of these heights; they are what the panel gets back.
    m_panelHeight = map_widget->maximumHeight();
    m_titleBarHeight = map_widget->titleBar()->maximumHeight();
    m_viewHeight = map_widget->mapView()->maximumHeight();
    m_coordinatesHeight = map_widget->coordinatesBar()->maximumHeight();

    growFreely(map_widget);
    growFreely(map_widget->mapView());
    growFreely(map_widget->infoWidget());
    map_widget->titleBar()->setFixedHeight(TitleBarHeight);
    map_widget->coordinatesBar()->setFixedHeight(map_widget->font().pointSize() + 12);
    layout->addWidget(map_widget);
    map_widget->show();
}

MapWidget *MapDialog::mapWidget() const
{
    return findChild<MapWidget *>(QStringLiteral("mapWidget"));
}

void MapDialog::restoreFixedHeight()
{
    MapWidget *map = mapWidget();
    if (!map)
        return;
    fixHeight(map, m_panelHeight);
    qCDebug(lcMap).noquote() << "MapDialog::restoreFixedHeight"
                             << " google map height " << m_viewHeight;
    fixHeight(map->mapView(), m_viewHeight);
    fixHeight(map->infoWidget(), m_viewHeight);
    map->titleBar()->setFixedHeight(m_titleBarHeight);
    map->coordinatesBar()->setFixedHeight(m_coordinatesHeight);
    layout()->removeWidget(map);
    map->setParent(nullptr);
}

void MapDialog::reject()
{
    // Escape or a close request: the panel goes back to the column (the main window then
    // hides and deletes the dialog); hiding the dialog alone would hide the panel with it.
    if (MapWidget *map = mapWidget()) {
        map->requestRestore();
        return;
    }
    FramelessDialog::reject();
}

void MapDialog::resizeEvent(QResizeEvent *event)
{
    MapWidget *map = mapWidget();
    qCDebug(lcMap).noquote() << "MapDialog::resizeEvent"
                             << " width " << event->size().width()
                             << " map: " << (map ? map->geometry() : QRect());
    FramelessDialog::resizeEvent(event);
}
