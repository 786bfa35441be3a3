#include "mapdock.h"

#include "mapdialog.h"
#include "mapwidget.h"
#include "ui/framelessdialog.h"

#include <QVBoxLayout>

MapDock::MapDock(MapWidget *map, QWidget *column, QWidget *dialogParent)
    : QObject(dialogParent)
    , m_map(map)
    , m_column(column)
    , m_dialogParent(dialogParent)
{
    auto *layout = static_cast<QVBoxLayout *>(m_column->layout());
    m_map->setFixedHeight(ColumnHeight);
    layout->addWidget(m_map);
    m_placeholder = new QWidget(m_column);
    m_placeholder->setObjectName(QStringLiteral("mapPlaceholder"));
    m_placeholder->setAttribute(Qt::WA_StyledBackground);
    m_placeholder->setStyleSheet(
            QStringLiteral("#mapPlaceholder { border: 1px solid gray; background: #141414; }"));
    m_placeholder->setFixedHeight(ColumnHeight);
    m_placeholder->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_placeholder->hide();
    layout->addWidget(m_placeholder);
    connect(m_map, &MapWidget::popupRequested, this, &MapDock::popOut);
    connect(m_map, &MapWidget::restoreRequested, this, &MapDock::restore);
}

bool MapDock::isPoppedOut() const
{
    return m_map->parentWidget() != m_column;
}

void MapDock::popOut()
{
    if (isPoppedOut())
        return;
    m_column->layout()->removeWidget(m_map);
    m_placeholder->show();
    m_map->setPopupMode(true);
    if (!m_dialog)
        m_dialog = new MapDialog(m_map, m_dialogParent);
    m_dialog->setModal(false);
    FramelessDialog::showFramelessDialog(m_dialog);
}

void MapDock::restore()
{
    if (!isPoppedOut())
        return;
    if (m_dialog)
        m_dialog->restoreFixedHeight();
    auto *layout = static_cast<QVBoxLayout *>(m_column->layout());
    layout->insertWidget(layout->indexOf(m_placeholder), m_map);
    m_placeholder->hide();
    m_map->setPopupMode(false);
    m_map->show();
    if (m_dialog) {
        m_dialog->hide();
        // Later: the request may come from inside the dialog's own key handling.
        m_dialog->deleteLater();
        m_dialog = nullptr;
    }
}
