#include "shortcutlistdialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

ShortcutListDialog::ShortcutListDialog(const QVector<QPair<QString, QString>> &rows,
                                       QWidget *parent)
    : FramelessDialog(false, parent)
{
    setObjectName(QStringLiteral("shortcutListDialog"));
    setStyleSheet(
            QStringLiteral("#shortcutListDialog { background: #1E1E1E; border: 1px solid gray; }"
                           "QLabel { color: white; }"
                           "QTableWidget { background: #141414; color: white;"
                           " gridline-color: #303030; border: none; }"
                           "QHeaderView::section { background: #2A2A2A; color: white;"
                           " border: none; padding: 4px; }"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->setSpacing(8);

    auto *title = new QLabel(tr("Keyboard shortcuts"), this);
    title->setObjectName(QStringLiteral("shortcutListTitle"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);

    m_table = new QTableWidget(rows.size(), 2, this);
    m_table->setObjectName(QStringLiteral("shortcutListTable"));
    m_table->setHorizontalHeaderLabels({tr("Key"), tr("Action")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->setShowGrid(false);
    for (int i = 0; i < rows.size(); ++i) {
        m_table->setItem(i, 0, new QTableWidgetItem(rows.at(i).first));
        m_table->setItem(i, 1, new QTableWidgetItem(rows.at(i).second));
    }
    m_table->resizeColumnsToContents();
    m_table->resizeRowsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    int height = m_table->horizontalHeader()->sizeHint().height() + 2;
    for (int i = 0; i < rows.size(); ++i)
        height += m_table->rowHeight(i);
    m_table->setMinimumSize(m_table->columnWidth(0) + m_table->columnWidth(1) + 24, height);
    layout->addWidget(m_table);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("shortcutListCloseButton"));
    close->setDefault(true);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}
