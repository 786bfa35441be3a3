#include "playlisttableheaderview.h"

#include "playlistlog.h"

#include <QDebug>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>
#include <utility>

PlayListTableHeaderView::PlayListTableHeaderView(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsMovable(true);
    connect(this, &QHeaderView::sectionMoved, this, &PlayListTableHeaderView::onSectionMoved);
    connect(this, &QHeaderView::sectionResized, this, &PlayListTableHeaderView::onSectionResize);
}

int PlayListTableHeaderView::sectionBorderAt(int x) const
{
    const int logical = logicalIndexAt(x);
    if (logical < 0)
        return -1;
    const int start = sectionViewportPosition(logical);
    const int width = sectionSize(logical);
    const int margin = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);

    // Leading and trailing follow the layout direction; the viewport position is the left
    // edge in both directions.
    bool nearLeading = x < start + margin;
    bool nearTrailing = x > start + width - margin;
    if (isRightToLeft())
        std::swap(nearLeading, nearTrailing);

    if (nearLeading) {
        for (int visual = visualIndex(logical) - 1; visual >= 0; --visual) {
            const int before = logicalIndex(visual);
            if (before >= 0 && !isSectionHidden(before))
                return before;
        }
        return -1;
    }
    return nearTrailing ? logical : -1;
}

QVector<int> PlayListTableHeaderView::keepTotalWidth(const QVector<int> &sizes,
                                                     int dragged,
                                                     int newSize,
                                                     int minimum)
{
    QVector<int> result = sizes;
    const int count = result.size();
    if (dragged < 0 || dragged >= count)
        return result;
    const int delta = newSize - sizes[dragged];
    result[dragged] = newSize;
    if (delta == 0)
        return result;

    if (delta < 0) {
        if (dragged + 1 < count)
            result[dragged + 1] += -delta;
        else if (dragged > 0)
            result[dragged - 1] += -delta;
        else
            result[dragged] = sizes[dragged];
        return result;
    }

    int remaining = delta;
    auto takeFrom = [&](int index) {
        const int spare = std::max(0, result[index] - minimum);
        const int taken = std::min(remaining, spare);
        result[index] -= taken;
        remaining -= taken;
    };
    for (int index = dragged + 1; index < count && remaining > 0; ++index)
        takeFrom(index);
    for (int index = dragged - 1; index >= 0 && remaining > 0; --index)
        takeFrom(index);
    result[dragged] -= remaining;
    return result;
}

QVector<int> PlayListTableHeaderView::visibleSections() const
{
    QVector<int> sections;
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (logical >= 0 && !isSectionHidden(logical))
            sections.append(logical);
    }
    return sections;
}

void PlayListTableHeaderView::resizeSections(const QVector<int> &logicalIndexes,
                                             const QVector<int> &sizes)
{
    if (logicalIndexes.size() != sizes.size())
        return;
    const bool wasResizing = m_resizing;
    m_resizing = true;
    for (int i = 0; i < logicalIndexes.size(); ++i) {
        const int logical = logicalIndexes[i];
        if (logical >= 0 && logical < count() && sectionSize(logical) != sizes[i])
            resizeSection(logical, sizes[i]);
    }
    m_resizing = wasResizing;
}

void PlayListTableHeaderView::onSectionMoved(int logicalIndex,
                                             int oldVisualIndex,
                                             int newVisualIndex)
{
    qCDebug(lcPlayList).noquote() << "PlayListTableHeaderView::onSectionMoved"
                                  << QStringLiteral("column logical %1: %2 -> %3")
                                             .arg(logicalIndex)
                                             .arg(oldVisualIndex)
                                             .arg(newVisualIndex);
}

void PlayListTableHeaderView::onSectionResize(int logicalIndex, int oldSize, int newSize)
{
    if (m_resizing || logicalIndex < 0 || logicalIndex != m_grabbedSection)
        return;
    const QVector<int> sections = visibleSections();
    const int dragged = sections.indexOf(logicalIndex);
    if (dragged < 0)
        return;
    QVector<int> sizes;
    sizes.reserve(sections.size());
    for (const int logical : sections)
        sizes.append(sectionSize(logical));
    // The view has already applied the new size; the redistribution starts from the old one.
    sizes[dragged] = oldSize;
    resizeSections(sections, keepTotalWidth(sizes, dragged, newSize, minimumSectionSize()));
}

void PlayListTableHeaderView::mousePressEvent(QMouseEvent *event)
{
    m_grabbedSection = sectionBorderAt(event->pos().x());
    QHeaderView::mousePressEvent(event);
}

void PlayListTableHeaderView::mouseReleaseEvent(QMouseEvent *event)
{
    QHeaderView::mouseReleaseEvent(event);
    m_grabbedSection = -1;
}
