#include "globalsettings.h"

QString GlobalSettings::s_startupFilePath;
QString GlobalSettings::s_resourceLanguage = QStringLiteral("english");
QString GlobalSettings::s_productModelName = QStringLiteral("ZRA");
QString GlobalSettings::s_productTitle = QStringLiteral("Road Camera Viewer");
bool GlobalSettings::s_surroundModel = true;
bool GlobalSettings::s_mapDisabled = false;
std::atomic<bool> GlobalSettings::s_forceSoftwareDecoding {false};
std::atomic<bool> GlobalSettings::s_screenChanging {false};

void GlobalSettings::applyProductModel(const QString &code)
{
    // The code is kept as read, whatever it is; only exact codes change the rest.
    s_productModelName = code;
    if (code == QLatin1String("ZRA")) {
        s_surroundModel = true;
        s_productTitle = QStringLiteral("Panorama Clip Viewer");
    } else if (code == QLatin1String("ZRB")) {
        s_surroundModel = true;
        s_productTitle = QStringLiteral("Clip Desk Viewer V4");
    } else if (code == QLatin1String("ZRC")) {
        s_surroundModel = false;
        s_mapDisabled = true;
        s_productTitle = QStringLiteral("Corvane Camera Pro Viewer");
    } else if (code == QLatin1String("ZRD")) {
        s_surroundModel = false;
        s_productTitle = QStringLiteral("Corvane Route View");
    } else {
        s_surroundModel = false;
    }
}

void GlobalSettings::resetToDefaults()
{
    s_startupFilePath.clear();
    s_resourceLanguage = QStringLiteral("english");
    s_productModelName = QStringLiteral("ZRA");
    s_productTitle = QStringLiteral("Road Camera Viewer");
    s_surroundModel = true;
    s_mapDisabled = false;
    s_forceSoftwareDecoding = false;
    s_screenChanging = false;
}
