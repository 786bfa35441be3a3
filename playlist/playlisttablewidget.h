#pragma once

#include "playlistentry.h"

#include <QTableWidget>
#include <QVector>

class PlayListTableHeaderView;

// One table of the play list: a row per recording with the columns "No.", "Date", "Time" and
// "Type". The Date cell carries the file's absolute path and the Type cell its RecordingKind
// under Qt::UserRole; every cell is read-only and shows the path as its tooltip. The columns
// always fill the table's width (see PlayListTableHeaderView and shareWidth).
//
// Threads: a widget; everything runs on the GUI thread.
class PlayListTableWidget : public QTableWidget
{
    Q_OBJECT

public:
    enum Column { NumberColumn = 0, DateColumn = 1, TimeColumn = 2, TypeColumn = 3 };
    static constexpr int ColumnCount = 4;
    static constexpr int FirstColumnWidth = 32;
    static constexpr int MinimumColumnWidth = 32;

    explicit PlayListTableWidget(QWidget *parent = nullptr);

    // Replaces every row by rows, in their order; the "No." cells stay empty until renumber().
    void setEntries(const QVector<PlayListEntry> &rows);
    // Writes 1, 2, ... into the "No." cells.
    void renumber();

    // Path of a row (from its Date cell); "" for a row out of range.
    QString filePath(int row) const;
    // First row whose path equals path; -1 when none.
    int rowOfPath(const QString &path) const;
    // The selected row, -1 when none.
    int selectedRow() const;

    PlayListTableHeaderView *tableHeader() const { return m_header; }

    // Column widths, in visual order, for a table width: the first keeps its width (the
    // whole width when it is the only column, minimum when it is not narrower than width);
    // the others share the rest equally, the last one also taking what the division leaves.
    // No width is below minimum.
    static QVector<int> shareWidth(const QVector<int> &sizes, int width, int minimum);

    // Style sheet of the tables for a palette highlight colour name ("#308cc6").
    static QString styleSheetFor(const QString &highlightColorName);

protected:
    // The viewport's size: the columns follow its width.
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitColumnsToWidth(int width);
    QTableWidgetItem *makeItem(const QString &text, const QString &path, Qt::Alignment alignment);

    PlayListTableHeaderView *m_header = nullptr;
};
