#include "playlisttablewidget.h"

#include "playlisttableheaderview.h"

#include <QFontMetrics>
#include <QResizeEvent>

#include <algorithm>

PlayListTableWidget::PlayListTableWidget(QWidget *parent)
    : QTableWidget(0, ColumnCount, parent)
    , m_header(new PlayListTableHeaderView(this))
{
    setHorizontalHeader(m_header);
    setHorizontalHeaderLabels({tr("No."), tr("Date"), tr("Time"), tr("Type")});
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);

    m_header->setDefaultAlignment(Qt::AlignCenter);
    QFont headerFont = m_header->font();
    headerFont.setWeight(QFont::DemiBold);
    m_header->setFont(headerFont);
    m_header->setMinimumSectionSize(MinimumColumnWidth);
    m_header->resizeSection(NumberColumn, FirstColumnWidth);

    setStyleSheet(styleSheetFor(palette().color(QPalette::Highlight).name()));
}

void PlayListTableWidget::setEntries(const QVector<PlayListEntry> &rows)
{
    clearContents();
    setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        const PlayListEntry &entry = rows[row];
        const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
        setItem(row, NumberColumn, makeItem(QString(), entry.path, Qt::AlignCenter));
        QTableWidgetItem *date = makeItem(entry.date, entry.path, left);
        date->setData(Qt::UserRole, entry.path);
        setItem(row, DateColumn, date);
        setItem(row, TimeColumn, makeItem(entry.time, entry.path, left));
        QTableWidgetItem *type = makeItem(entry.type, entry.path, left);
        type->setData(Qt::UserRole, entry.kind);
        setItem(row, TypeColumn, type);
    }
}

void PlayListTableWidget::renumber()
{
    for (int row = 0; row < rowCount(); ++row) {
        QTableWidgetItem *number = item(row, NumberColumn);
        if (!number) {
            number = makeItem(QString(), filePath(row), Qt::AlignCenter);
            setItem(row, NumberColumn, number);
        }
        number->setText(QString::number(row + 1));
    }
}

QString PlayListTableWidget::filePath(int row) const
{
    if (row < 0 || row >= rowCount())
        return QString();
    const QTableWidgetItem *date = item(row, DateColumn);
    return date ? date->data(Qt::UserRole).toString() : QString();
}

int PlayListTableWidget::rowOfPath(const QString &path) const
{
    if (path.isEmpty())
        return -1;
    for (int row = 0; row < rowCount(); ++row) {
        if (filePath(row) == path)
            return row;
    }
    return -1;
}

int PlayListTableWidget::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QVector<int> PlayListTableWidget::shareWidth(const QVector<int> &sizes, int width, int minimum)
{
    const int count = sizes.size();
    QVector<int> result(count, minimum);
    if (count == 0)
        return result;
    if (count == 1) {
        result[0] = std::max(width, minimum);
        return result;
    }
    const int first = sizes[0] >= width ? minimum : std::max(sizes[0], minimum);
    result[0] = first;
    const int rest = std::max(0, width - first);
    const int others = count - 1;
    const int share = rest / others;
    for (int i = 1; i < count; ++i)
        result[i] = std::max(share, minimum);
    result[count - 1] = std::max(rest - share * (others - 1), minimum);
    return result;
}

QString PlayListTableWidget::styleSheetFor(const QString &highlightColorName)
{
    return QStringLiteral("PlayListTableWidget { border: 1px solid gray; margin: 2 2 2 2; "
                          "padding-top: 10px;  background-color: black;}"
                          "QHeaderView::section { background-color: #292929; color: white; }"
                          "QTableView::item { background-color: gray; color: white; }"
                          "QTableView::item:selected { background-color: ")
            + highlightColorName
            + QStringLiteral(" }QTableView::item:selected:!active { background-color: white; "
                             "color: black; }");
}

void PlayListTableWidget::resizeEvent(QResizeEvent *event)
{
    QTableWidget::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        fitColumnsToWidth(event->size().width());
}

void PlayListTableWidget::fitColumnsToWidth(int width)
{
    const QVector<int> sections = m_header->visibleSections();
    QVector<int> sizes;
    sizes.reserve(sections.size());
    for (const int logical : sections)
        sizes.append(m_header->sectionSize(logical));
    m_header->resizeSections(sections, shareWidth(sizes, width, m_header->minimumSectionSize()));
}

QTableWidgetItem *PlayListTableWidget::makeItem(const QString &text,
                                                const QString &path,
                                                Qt::Alignment alignment)
{
    auto *cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    cell->setToolTip(path);
    cell->setTextAlignment(static_cast<int>(alignment));
    return cell;
}
