// The map's settings: the user's configuration file, the environment's overrides for one run,
// and what happens to values that cannot be used (they must never reach the page or ping).
#include "map/pinger.h"
#include "telemetry/mapsettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestMapSettings : public QObject
{
    Q_OBJECT

private slots:
    void load_data()
    {
        QTest::addColumn<QString>("fileTiles"); // "" leaves the key out of the file
        QTest::addColumn<QString>("fileHost");
        QTest::addColumn<QString>("envTiles"); // "" leaves the variable unset
        QTest::addColumn<QString>("envHost");
        QTest::addColumn<QString>("tiles");
        QTest::addColumn<QString>("host");

        const QString osm = QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png");
        const QString fleet = QStringLiteral("http://tiles.fleet.example:8080/osm/{z}/{x}/{y}.png");
        const QString local = QStringLiteral("http://127.0.0.1:8111/{z}/{x}/{y}.png");
        QTest::newRow("nothing configured: OpenStreetMap, probe its host")
                << ""
                << ""
                << ""
                << "" << osm << "tile.openstreetmap.org";
        QTest::newRow("file: own tile server, probe follows it")
                << fleet << ""
                << ""
                << "" << fleet << "tiles.fleet.example";
        QTest::newRow("file: own tile server and probe host") << fleet << "gw.fleet.example"
                                                              << ""
                                                              << "" << fleet << "gw.fleet.example";
        QTest::newRow("environment wins over the file")
                << fleet << "gw.fleet.example" << local << "127.0.0.1" << local << "127.0.0.1";
        QTest::newRow("template without {y}: default") << "https://tiles.example/{z}/{x}.png"
                                                       << ""
                                                       << ""
                                                       << "" << osm << "tile.openstreetmap.org";
        QTest::newRow("template of another scheme: default")
                << "file:///etc/{z}/{x}/{y}"
                << ""
                << ""
                << "" << osm << "tile.openstreetmap.org";
        QTest::newRow("script in the template: default") << "javascript:alert(1)//{z}{x}{y}"
                                                         << ""
                                                         << ""
                                                         << "" << osm << "tile.openstreetmap.org";
        QTest::newRow("host read as a ping option: the tile server's host")
                << fleet << "-f"
                << ""
                << "" << fleet << "tiles.fleet.example";
        QTest::newRow("host with a blank: the tile server's host")
                << ""
                << ""
                << ""
                << "example.org -c 100" << osm << "tile.openstreetmap.org";
        QTest::newRow("IPv6 host") << ""
                                   << ""
                                   << ""
                                   << "::1" << osm << "::1";
    }

    void load()
    {
        QFETCH(QString, fileTiles);
        QFETCH(QString, fileHost);
        QFETCH(QString, envTiles);
        QFETCH(QString, envHost);
        QFETCH(QString, tiles);
        QFETCH(QString, host);

        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("vistrel.conf")), QSettings::IniFormat);
        if (!fileTiles.isEmpty())
            settings.setValue(QLatin1String(MapSettings::TileUrlKey), fileTiles);
        if (!fileHost.isEmpty())
            settings.setValue(QLatin1String(MapSettings::PingHostKey), fileHost);
        setVariable("VISTREL_MAP_TILES", envTiles);
        setVariable("VISTREL_PING_HOST", envHost);

        const MapSettings loaded = MapSettings::load(settings);
        QCOMPARE(loaded.tileUrlTemplate, tiles);
        QCOMPARE(loaded.pingHost, host);
        QVERIFY(loaded.tileAttribution.contains(QStringLiteral("OpenStreetMap")));
        // The probe's command line ends its options before the host.
        QCOMPARE(Pinger::arguments(loaded.pingHost).mid(4),
                 QStringList({QStringLiteral("--"), host}));

        // The keys are in the file for the user to change; a value there is kept as written.
        settings.sync();
        QSettings reread(settings.fileName(), QSettings::IniFormat);
        QVERIFY(reread.contains(QLatin1String(MapSettings::TileUrlKey)));
        QVERIFY(reread.contains(QLatin1String(MapSettings::AttributionKey)));
        QVERIFY(reread.contains(QLatin1String(MapSettings::PingHostKey)));
        if (!fileTiles.isEmpty())
            QCOMPARE(reread.value(QLatin1String(MapSettings::TileUrlKey)).toString(), fileTiles);
        else
            QCOMPARE(reread.value(QLatin1String(MapSettings::TileUrlKey)).toString(),
                     MapSettings::defaultTileUrlTemplate());
    }

    void cleanup()
    {
        qunsetenv("VISTREL_MAP_TILES");
        qunsetenv("VISTREL_PING_HOST");
    }

private:
    static void setVariable(const char *name, const QString &value)
    {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value.toUtf8());
    }
};

QTEST_GUILESS_MAIN(TestMapSettings)
#include "tst_mapsettings.moc"
