#include "grid/grid_header.h"

#include "grid/grid_list_ctrl_ex.h"

#include <QMouseEvent>

namespace wirevane {

CGridHeader::CGridHeader(CGridListCtrlEx& grid) : QHeaderView(Qt::Horizontal, &grid), m_grid(grid)
{
    setSectionsMovable(true);
    setSectionsClickable(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    setMinimumSectionSize(0);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QHeaderView::sectionResized, this, [this](int logical, int, int newSize) {
        // A fit by divider double-click resizes while the button is down too; only the
        // user's drag counts.
        if (m_pressed && m_grid.OnSectionResizedByUser(logical, newSize)) {
            m_resizedWhilePressed = true;
        }
    });
    connect(this, &QHeaderView::sectionMoved, this, [this](int logical, int from, int to) {
        if (m_pressed) {
            m_grid.OnSectionMovedByUser(logical, from, to);
        }
    });
}

void CGridHeader::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_grid.OnHeaderPressed();
        m_pressed = true;
        m_resizedWhilePressed = false;
    }
    QHeaderView::mousePressEvent(event);
}

void CGridHeader::mouseReleaseEvent(QMouseEvent* event)
{
    QHeaderView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // A move is reported on release too, so the flag is cleared only afterwards.
    const bool resized = m_resizedWhilePressed;
    m_pressed = false;
    m_resizedWhilePressed = false;
    if (resized) {
        m_grid.OnDividerDragEnded();
    }
}

} // namespace wirevane
