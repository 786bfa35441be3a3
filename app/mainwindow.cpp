#include "mainwindow.h"

#include "globalsettings.h"

#include <QLabel>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(GlobalSettings::productTitle());
    auto *layout = new QVBoxLayout(this);
    m_status = new QLabel(this);
    m_status->setAlignment(Qt::AlignCenter);
    const QString path = GlobalSettings::startupFilePath();
    m_status->setText(path.isEmpty() ? tr("No recording opened") : path);
    layout->addWidget(m_status);
}
