#include "mapwebpage.h"

#include "telemetry/maplog.h"
#include "ui/aboutdialog.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>
#include <QWebEngineProfile>

namespace {

// Room for the tiles of many recordings; Chromium evicts the oldest beyond it.
constexpr int CacheBytes = 256 * 1024 * 1024;

} // namespace

MapWebPage::MapWebPage(QObject *parent)
    : QWebEnginePage(sharedProfile(), parent)
{ }

QString MapWebPage::userAgent()
{
    return QStringLiteral("Vistrel/%1 (dash-camera recording viewer; Qt WebEngine)")
            .arg(AboutDialog::versionText());
}

QString MapWebPage::cacheFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
            .filePath(QStringLiteral("vistrel/map"));
}

QWebEngineProfile *MapWebPage::sharedProfile()
{
    static QWebEngineProfile *profile = nullptr;
    if (profile)
        return profile;
    // A storage name makes the profile persistent (on disk) rather than off the record.
    profile = new QWebEngineProfile(QStringLiteral("vistrel-map"), QCoreApplication::instance());
    const QString folder = cacheFolder();
    QDir().mkpath(folder);
    profile->setCachePath(folder);
    profile->setPersistentStoragePath(QDir(folder).filePath(QStringLiteral("storage")));
    profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    profile->setHttpCacheMaximumSize(CacheBytes);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile->setHttpUserAgent(userAgent());
    QObject::connect(profile, &QObject::destroyed, [] { profile = nullptr; });
    return profile;
}

bool MapWebPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    // The map page itself (and its reloads) loads; nothing else replaces it.
    if (url.scheme() == QLatin1String("qrc"))
        return true;
    if (isMainFrame && type == NavigationTypeLinkClicked
        && (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"))) {
        qCDebug(lcMap).noquote() << "MapWebPage: opening" << url.toString() << "in the browser";
        QDesktopServices::openUrl(url);
    }
    return false;
}

void MapWebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                          const QString &message,
                                          int lineNumber,
                                          const QString &sourceID)
{
    qCDebug(lcMap).noquote() << "map page:" << level << sourceID << lineNumber << message;
}
