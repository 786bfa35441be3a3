#pragma once

#include <QWebEnginePage>

class QWebEngineProfile;

// The web page of the map panel. It stays on the map page: links the user clicks on the map
// (the tile licence's attribution) open in the desktop's browser instead of replacing the map.
// The page's console lines go to the debug stream.
//
// All map pages share one persistent profile: its HTTP disk cache keeps the tiles already seen
// (under the XDG cache folder, "vistrel/map"), so a recording watched once shows its map again
// without the network, and every request names the viewer and its version in its User-Agent,
// as tile servers' usage policies ask.
//
// Threads: GUI thread only.
class MapWebPage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit MapWebPage(QObject *parent = nullptr);

    // The shared profile, created on first use with the application object as parent.
    static QWebEngineProfile *sharedProfile();
    // "Vistrel/<version>" and a short description.
    static QString userAgent();
    // Where the profile keeps its disk cache.
    static QString cacheFolder();

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                  const QString &message,
                                  int lineNumber,
                                  const QString &sourceID) override;
};
