#pragma once

#include "core/cell_grid.h"
#include "grid/cell_geometry.h"
#include "grid/grid_cell_change.h"
#include "grid/grid_cell_model.h"
#include "grid/grid_column_trait.h"
#include "grid/grid_row_trait.h"
#include "grid/grid_selection.h"
#include "grid/header_column_model.h"
#include "grid/layout/column_layout.h"
#include "grid/type_ahead.h"

#include <QFont>
#include <QIcon>
#include <QPointer>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QMenu;

namespace wirevane {

class CGridHeader;

// The send table's grid: a list of rows whose cells hold a text and an image each, with one
// behaviour object per column (its trait), one drawing object for all rows, a focus cell inside
// the focused row, in-place editors, a header with movable, hideable columns and a context menu,
// clipboard copy, type-ahead search and cell tooltips.
//
// Every change the user makes to a cell goes through the edit notifications: an editor's begin
// may be refused (OnBeginLabelEdit), its end or an image flip arrives as a GridCellChange at
// OnEndLabelEdit, which applies it. Row indexes are the table's rows, grouped or not.
//
// The column layout is saved into the attached section when the user finishes dragging a
// divider, after a column is shown or hidden, before a width set through the list is applied,
// and before a profile switch; never on reordering alone.
class CGridListCtrlEx : public QTreeView, public CellGrid {
    Q_OBJECT
public:
    using ImageList = std::vector<QIcon>;

    explicit CGridListCtrlEx(QWidget* parent = nullptr);
    ~CGridListCtrlEx() override;

    // CellGrid
    int GetRowCount() const override;
    void AppendRow() override;
    std::u16string GetCellText(int row, int column) const override;
    void SetCellText(int row, int column, std::u16string_view text) override;
    int GetCellImage(int row, int column) const override;
    void SetCellImage(int row, int column, int image) override;
    void TakeFocus() override;
    void EnsureRowVisible(int row) override;
    // A row in sight is left as it is; one out of sight is scrolled to at the end of a frame,
    // to the last row followed by then.
    void FollowRow(int row) override;
    void ClearSelection() override;
    // These two leave the view where it is: EnsureRowVisible and FollowRow show a row.
    void SetFocusRow(int row) override;
    void SetFocusColumn(int column) override;
    void RedrawRow(int row) override;

    // Set-up.
    // Appends the unticked and the ticked box to the images and answers the unticked one's
    // index. The grid takes them as its default images when it has none yet.
    int AppendCheckboxImages(ImageList& images);
    // The images that cells of every column without images of its own show.
    void SetSmallImageList(ImageList images);
    // The images of one column, so columns whose image indexes mean different things never clash.
    void SetColumnImageList(int column, ImageList images);
    void SetCellSpacing(double factor);
    void InstallRowTrait(std::unique_ptr<CGridRowTrait> trait);
    void AddHiddenFirstColumn();
    // A column without a trait gets a text trait. Answers the column's index.
    int InsertColumnWithTrait(int column, std::u16string_view title, Qt::Alignment format,
                              int width, int subItem, std::unique_ptr<CGridColumnTrait> trait);
    void AttachColumnLayout(std::unique_ptr<CViewConfigSectionDefault> section);
    ColumnLayout& GetColumnLayout() { return m_layout; }

    // Columns.
    int GetColumnCount() const;
    CGridColumnTrait* GetColumnTrait(int column) const;
    CGridRowTrait& GetRowTrait() const { return *m_rowTrait; }
    int GetSubItemId(int column) const;
    QString GetColumnTitle(int column) const;
    Qt::Alignment ColumnAlignment(int column) const;
    bool IsColumnVisible(int column) const;
    // Column indexes left to right, hidden ones included.
    std::vector<int> GetColumnOrder() const;
    // The leftmost visible column, -1 when none.
    int GetFirstVisibleColumn() const;
    // Shows (with the width it had) or hides a column, then saves the layout.
    bool ShowColumn(int column, bool show);
    // A width set through the list: refused for a fixed-width column and, except 0, for a hidden
    // one; otherwise the layout is saved first, then the width applied.
    bool SetColumnWidth(int column, int width);
    void FitColumnToContents(int column);
    // The column is shown at least as wide as its widest shown text needs, whatever width the
    // layout gives it; the layout keeps its own width, which comes back once the texts fit it.
    // For a column whose texts the program writes and the user must be able to read whole.
    void KeepColumnTextWhole(int column);
    void FitAllColumns();
    void ResetColumnLayout();
    void SwitchLayoutProfile(std::u16string_view name);

    // Focus cell and selection.
    GridSelection& Selection() { return m_selection; }
    const GridSelection& Selection() const { return m_selection; }
    void MoveCellFocus(int column, bool redraw);

    const CellGeometry& Geometry() const { return m_geometry; }
    // The image a cell shows; null in columns without images.
    QIcon CellIcon(int row, int column) const;
    bool CellHasImage(int row, int column) const;

    // Editing.
    bool StartCellEdit(int row, int column);
    bool StartCellEdit(int row, int column, QPoint point);
    int ClickStartsEdit(int row, int column, QPoint point, bool doubleClick,
                        Qt::KeyboardModifiers modifiers) const;
    void SendEndLabelEdit(const GridCellChange& change);
    QWidget* GetEditor() const { return m_editor; }
    QFont EditorFont() const;
    // Called once by an editor that ends: hides it, delivers its change, lets it go.
    void FinishCellEdit(QWidget& editor, const GridCellChange& change);

    // Clipboard, tooltips, empty list.
    std::u16string SelectionCopyText() const;
    void CopySelectionToClipboard();
    // The tooltip of a cell: its text as shown, at most 79 characters, then the cell's remark note
    // on a line of its own; empty for an empty cell.
    QString CellToolTipText(int row, int column) const;
    // A remark on what a cell's text will do, which the text alone does not show: a short mark
    // drawn dimmed at the cell's end and a note for its tooltip. Empty for most cells.
    struct CellRemark {
        QString mark;
        QString note;
    };
    void SetCellRemarks(std::function<CellRemark(int row, int column)> remarks);
    CellRemark CellRemarkOf(int row, int column) const;
    void SetEmptyListText(std::u16string text) { m_emptyText = std::move(text); }
    const std::u16string& EmptyListText() const { return m_emptyText; }
    // Seconds of the clock that type-ahead compares; the wall clock unless a test sets one.
    void SetTypeAheadClock(std::function<int64_t()> clock) { m_clock = std::move(clock); }

    // Menus; null when there is nothing to offer.
    std::unique_ptr<QMenu> CreateHeaderMenu(int column);
    virtual std::unique_ptr<QMenu> CreateListMenu(QPoint point);

    CGridCellModel& GetCellModel() { return *m_model; }
    const CGridCellModel& GetCellModel() const { return *m_model; }
    CGridHeader& GetGridHeader() const { return *m_header; }

    // Header reactions (the header calls these).
    void OnHeaderPressed();
    void OnDividerDragEnded();
    void OnSectionMovedByUser(int logical, int oldVisual, int newVisual);
    // False when the program itself resized the section.
    bool OnSectionResizedByUser(int logical, int newSize);

protected:
    // True refuses the edit; nothing changes then.
    virtual bool OnBeginLabelEdit(int row, int column);
    virtual void OnEndLabelEdit(const GridCellChange& change);
    // The group items that head the header menu; the plain grid has none.
    virtual void AddHeaderGroupItems(QMenu& menu, int column);

    void drawRow(QPainter* painter, const QStyleOptionViewItem& options,
                 const QModelIndex& index) const override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class HeaderColumnModel;

    struct ColumnInfo {
        int subItem = 0;
        std::unique_ptr<CGridColumnTrait> trait;
        std::optional<ImageList> images;
    };

    QIcon ImageFor(int column, int image) const;
    bool ColumnHasImages(int column) const;
    // The cell a row is shown by: in the focus column, else the first one shown.
    QModelIndex IndexToShow(int row) const;
    bool RowInSight(const QModelIndex& at) const;
    void WithoutAutoScroll(const std::function<void()>& change);
    void HideSection(int column);
    void MoveSection(int column, int visual);
    int HiddenLeadingCount() const;
    int ContentsWidth(int column) const;
    int ShownTextWidth(int row, int column) const;
    // The width the layout knows for a column: a column widened for its texts reports the width
    // it had before.
    int LayoutWidth(int column) const;
    void OnCellsChanged(const QModelIndex& first, const QModelIndex& last);
    void FitWholeText();
    // The layout or the user set the column's width: it becomes the one the layout keeps.
    void TakeLayoutWidth(int column);
    void MoveFocusLeftRight(bool right);
    void TypeAhead(const QKeyEvent& event);
    bool HandleControlKey(QKeyEvent& event);
    bool ListHasFocus() const;

    CGridCellModel* m_model;
    CGridHeader* m_header;
    HeaderColumnModel m_columns;
    ColumnLayout m_layout;
    std::vector<ColumnInfo> m_columnInfo;
    ImageList m_smallImages;
    std::unique_ptr<CGridRowTrait> m_rowTrait;
    GridSelection m_selection;
    CellGeometry m_geometry;
    // A run passes thousands of rows a second, and each scroll moves the view's pixels; the
    // rows it follows are gathered into one scroll a frame.
    QTimer m_follow;
    int m_rowToFollow = -1;
    QPointer<QWidget> m_editor;
    // The font the list had before SetCellSpacing enlarged it: the header's and the editors'.
    std::optional<QFont> m_cellFont;
    std::u16string m_emptyText = u"There are no items to show in this view.";
    TypeAheadSearch m_typeAhead;
    std::function<int64_t()> m_clock;
    std::function<CellRemark(int, int)> m_remarks;
    // The column kept whole (-1: none), its rows' shown text widths, and the width the layout
    // gave it while it is shown wider (-1 when it is not).
    struct WholeTextColumn {
        int column = -1;
        std::vector<int> widths;
        int layoutWidth = -1;
    } m_wholeText;
    // Sections moved or resized by the program, not the user.
    bool m_arrangingSections = false;
    // The last left press: a double-click that follows a press of the same click on an image
    // must not flip it a second time when the platform delivers both events.
    struct Press {
        quint64 timestamp = 0;
        int row = -1;
        int column = -1;
        bool flipped = false;
    } m_lastPress;
    std::optional<QPoint> m_pressPoint;
    bool m_dragStarted = false;
};

} // namespace wirevane
