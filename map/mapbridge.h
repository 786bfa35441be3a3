#pragma once

#include <QObject>

// What the map page may tell the viewer, published to the page's scripts as "mapBridge" over
// the web channel. Only numbers cross; the receiver checks them.
//
// Threads: GUI thread (the web channel delivers the page's calls there).
class MapBridge : public QObject
{
    Q_OBJECT

public:
    explicit MapBridge(QObject *parent = nullptr);

    // Called by the page when the user clicked the route: sampleIndex is the position on the
    // route in GPS samples (fractional between two fixes).
    Q_INVOKABLE void routeClicked(double sampleIndex);

signals:
    void routePointClicked(double sampleIndex);
};
