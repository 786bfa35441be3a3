#pragma once

#include <QString>

class QSettings;

// Where the map panel gets its map tiles and which host its connectivity probe pings.
//
// The values live in the user's configuration (QSettings: "~/.config/vistrel/vistrel.conf",
// group "map"), written there with their defaults on first use so that a user can point them at
// a tile server of their own. For one run the environment overrides them:
//   VISTREL_MAP_TILES  a tile URL template with {z}, {x} and {y} (http or https)
//   VISTREL_PING_HOST  the host the probe pings
// A value that is not usable (a template without the three placeholders or with another scheme,
// a host that could be taken for a ping option) is logged and the default is used instead.
//
// Threads: GUI thread (it reads QSettings and the environment).
class MapSettings
{
public:
    QString tileUrlTemplate;
    QString tileAttribution; // HTML, shown on the map as the tile licence requires
    QString pingHost;

    // The configured values with the environment's overrides applied.
    static MapSettings load();
    // The same from a given settings store (the tests use a private one).
    static MapSettings load(QSettings &settings);

    static QString defaultTileUrlTemplate();
    static QString defaultTileAttribution();
    // The probe pings the tile server itself unless told otherwise: what matters is whether
    // the tiles can be fetched.
    static QString defaultPingHost(const QString &tileUrlTemplate);

    // A template is usable when it is an http(s) URL holding {z}, {x} and {y}.
    static bool isUsableTileUrlTemplate(const QString &tileUrlTemplate);
    // A host name or address: letters, digits, ".", "-", ":" and "_", not starting with "-"
    // (ping would read it as an option).
    static bool isUsablePingHost(const QString &host);

    // The settings keys.
    static const char *const TileUrlKey;
    static const char *const AttributionKey;
    static const char *const PingHostKey;
};
