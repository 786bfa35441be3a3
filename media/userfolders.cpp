#include "userfolders.h"

#include <QDir>
#include <QStandardPaths>

QString UserFolders::documents()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return folder;
}

QString UserFolders::savedVideos()
{
    return documents() + QStringLiteral("/SavedVideos");
}

QString UserFolders::captures()
{
    return documents() + QStringLiteral("/CAM_CAPTURE");
}
