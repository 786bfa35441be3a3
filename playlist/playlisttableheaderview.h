#pragma once

#include <QHeaderView>
#include <QVector>

// The horizontal header of a play list table. Its columns always fill the table's width:
// when the user drags the border of a column, the columns after it (then the ones before it)
// give up or take the difference, so the total width stays the same.
//
// Threads: a widget; everything runs on the GUI thread.
class PlayListTableHeaderView : public QHeaderView
{
    Q_OBJECT

public:
    explicit PlayListTableHeaderView(QWidget *parent = nullptr);

    // Logical index of the section whose border the user is dragging, -1 when none.
    int grabbedSection() const { return m_grabbedSection; }

    // Logical index of the section whose trailing border lies within the style's header grip
    // margin of viewport position x: a position near a section's leading edge names the
    // nearest visible section before it (in visual order), one near its trailing edge the
    // section itself. -1 when x is on no border.
    int sectionBorderAt(int x) const;

    // Widths after the section at visual position dragged went from sizes[dragged] to
    // newSize, keeping the sum of all widths. sizes are in visual order. Growth is taken from
    // the sections after it, first one first, then from the sections before it, nearest
    // first, none below minimum; what cannot be taken is refused (the dragged section grows
    // less). A shrink is given to the first section after it, or without one to the nearest
    // before it; a lone section keeps its old width.
    static QVector<int> keepTotalWidth(const QVector<int> &sizes,
                                       int dragged,
                                       int newSize,
                                       int minimum);

    // Logical indexes of the visible sections in visual order.
    QVector<int> visibleSections() const;
    // Sets the sections' widths without treating the changes as a user's drag.
    void resizeSections(const QVector<int> &logicalIndexes, const QVector<int> &sizes);

public slots:
    void onSectionMoved(int logicalIndex, int oldVisualIndex, int newVisualIndex);
    void onSectionResize(int logicalIndex, int oldSize, int newSize);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_grabbedSection = -1;
    // Set while this view resizes sections itself, so those resizes are not redistributed.
    bool m_resizing = false;
};
