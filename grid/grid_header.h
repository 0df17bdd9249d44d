#pragma once

#include <QHeaderView>

namespace wirevane {

class CGridListCtrlEx;

// The grid's column header: columns move by dragging their titles and resize by dragging their
// dividers. A press first gives the list the focus (which commits a running editor); the end of
// a divider drag is reported to the grid, which saves the layout then.
class CGridHeader final : public QHeaderView {
    Q_OBJECT
public:
    explicit CGridHeader(CGridListCtrlEx& grid);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CGridListCtrlEx& m_grid;
    bool m_pressed = false;
    bool m_resizedWhilePressed = false;
};

} // namespace wirevane
