#include "mapbridge.h"

#include "telemetry/maplog.h"

#include <QDebug>

#include <cmath>

MapBridge::MapBridge(QObject *parent)
    : QObject(parent)
{ }

void MapBridge::routeClicked(double sampleIndex)
{
    qCDebug(lcMap).noquote() << "MapBridge::routeClicked" << sampleIndex;
    if (!std::isfinite(sampleIndex) || sampleIndex < 0)
        return;
    emit routePointClicked(sampleIndex);
}
