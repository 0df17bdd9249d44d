#include "grid/grid_list_ctrl_ex.h"

#include "grid/copy_text.h"
#include "grid/grid_cell_delegate.h"
#include "grid/grid_cell_editor.h"
#include "grid/grid_column_trait_text.h"
#include "grid/grid_header.h"
#include "grid/grid_images.h"
#include "grid/grid_row_trait_text.h"
#include "platform/screen_frame.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace wirevane {
namespace {

constexpr int kIconSide = CellGeometry::kIconSide;
constexpr int kToolTipLength = 79;

} // namespace

CGridListCtrlEx::CGridListCtrlEx(QWidget* parent)
    : QTreeView(parent), m_model(new CGridCellModel(this)), m_header(new CGridHeader(*this)),
      m_columns(*this), m_layout(m_columns), m_rowTrait(std::make_unique<CGridRowTraitText>()),
      m_selection(*this, *m_model),
      m_geometry(*this, *m_model, [this](int column) { return ColumnHasImages(column); }),
      m_clock([] { return QDateTime::currentSecsSinceEpoch(); })
{
    setHeader(m_header);
    m_follow.setSingleShot(true);
    m_follow.setInterval(kScreenFrameMs);
    connect(&m_follow, &QTimer::timeout, this,
            [this] { EnsureRowVisible(std::exchange(m_rowToFollow, -1)); });
    // A divider double-click fits the column through SetColumnWidth, which saves the layout.
    QObject::disconnect(m_header, &QHeaderView::sectionHandleDoubleClicked, this, nullptr);
    connect(m_header, &QHeaderView::sectionHandleDoubleClicked, this,
            [this](int column) { FitColumnToContents(column); });
    connect(m_header, &QWidget::customContextMenuRequested, this, [this](QPoint point) {
        if (std::unique_ptr<QMenu> menu = CreateHeaderMenu(m_header->logicalIndexAt(point))) {
            menu->exec(m_header->mapToGlobal(point));
        }
    });
    setModel(m_model);
    m_model->SetImageLookup([this](int column, int image) { return ImageFor(column, image); });
    setItemDelegate(new CGridCellDelegate(*this));

    setRootIsDecorated(false);
    setIndentation(0);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setDragEnabled(false);
    setAcceptDrops(false);
    setSortingEnabled(false);
    setAllColumnsShowFocus(false);
    setMouseTracking(true);
    setIconSize(QSize(kIconSide, kIconSide));
    setFocusPolicy(Qt::StrongFocus);
}

CGridListCtrlEx::~CGridListCtrlEx()
{
    // An editor that lost the focus while the grid is half destroyed would deliver its change.
    delete m_editor.data();
}

// ---- CellGrid ----

int CGridListCtrlEx::GetRowCount() const
{
    return m_model->TableRowCount();
}

void CGridListCtrlEx::AppendRow()
{
    m_model->AppendTableRow();
}

std::u16string CGridListCtrlEx::GetCellText(int row, int column) const
{
    return m_model->Cell(row, column).text;
}

void CGridListCtrlEx::SetCellText(int row, int column, std::u16string_view text)
{
    m_model->SetCellText(row, column, text);
}

int CGridListCtrlEx::GetCellImage(int row, int column) const
{
    return m_model->Cell(row, column).image;
}

void CGridListCtrlEx::SetCellImage(int row, int column, int image)
{
    m_model->SetCellImage(row, column, image);
}

void CGridListCtrlEx::TakeFocus()
{
    setFocus(Qt::OtherFocusReason);
    // Without an active window no focus event arrives; the editor must still commit.
    if (auto* running = dynamic_cast<CGridCellEditor*>(m_editor.data())) {
        running->EndEdit(true);
    }
}

QModelIndex CGridListCtrlEx::IndexToShow(int row) const
{
    const int column =
        m_selection.FocusColumn() >= 0 ? m_selection.FocusColumn() : GetFirstVisibleColumn();
    return m_model->IndexOfRow(row, std::max(column, 0));
}

void CGridListCtrlEx::EnsureRowVisible(int row)
{
    const QModelIndex at = IndexToShow(row);
    if (!at.isValid()) {
        return;
    }
    // The view's scrolling works out the whole list's layout even when it then moves nothing,
    // and may move the view sideways; a row in sight is left where it is. A row in a closed
    // group has no place in sight and still opens it.
    if (RowInSight(at)) {
        return;
    }
    scrollTo(at);
}

bool CGridListCtrlEx::RowInSight(const QModelIndex& at) const
{
    return viewport()->rect().contains(visualRect(at));
}

void CGridListCtrlEx::FollowRow(int row)
{
    const QModelIndex at = IndexToShow(row);
    if (at.isValid() && RowInSight(at)) {
        m_follow.stop();
        m_rowToFollow = -1;
        return;
    }
    m_rowToFollow = row;
    if (!m_follow.isActive()) {
        m_follow.start();
    }
}

void CGridListCtrlEx::ClearSelection()
{
    selectionModel()->clearSelection();
}

void CGridListCtrlEx::SetFocusRow(int row)
{
    WithoutAutoScroll([&] { m_selection.SetFocusRow(row, GetFirstVisibleColumn()); });
}

void CGridListCtrlEx::SetFocusColumn(int column)
{
    WithoutAutoScroll([&] { MoveCellFocus(column, false); });
}

// A new current cell scrolls the view to it. The table's focus calls leave the view where it
// is: showing the row is EnsureRowVisible's or FollowRow's, and a run follows its rows once a
// frame rather than at every row.
void CGridListCtrlEx::WithoutAutoScroll(const std::function<void()>& change)
{
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    change();
    setAutoScroll(scrolls);
}

void CGridListCtrlEx::RedrawRow(int row)
{
    const QRect rect = m_geometry.CellRect(row, GetFirstVisibleColumn());
    if (!rect.isNull()) {
        viewport()->update(0, rect.top(), viewport()->width(), rect.height());
    }
}

// ---- set-up ----

int CGridListCtrlEx::AppendCheckboxImages(ImageList& images)
{
    const int first = static_cast<int>(images.size());
    images.push_back(CheckBoxIcon(false));
    images.push_back(CheckBoxIcon(true));
    if (m_smallImages.empty()) {
        m_smallImages = images;
    }
    return first;
}

void CGridListCtrlEx::SetSmallImageList(ImageList images)
{
    m_smallImages = std::move(images);
    viewport()->update();
}

void CGridListCtrlEx::SetColumnImageList(int column, ImageList images)
{
    if (column >= 0 && column < GetColumnCount()) {
        m_columnInfo[static_cast<size_t>(column)].images = std::move(images);
        viewport()->update();
    }
}

void CGridListCtrlEx::SetCellSpacing(double factor)
{
    const QFont current = font();
    m_cellFont = current;
    QFont spaced = current;
    if (current.pointSizeF() > 0) {
        spaced.setPointSizeF(current.pointSizeF() * factor);
    } else {
        spaced.setPixelSize(static_cast<int>(std::lround(current.pixelSize() * factor)));
    }
    setFont(spaced);
    m_header->setFont(current);
}

void CGridListCtrlEx::InstallRowTrait(std::unique_ptr<CGridRowTrait> trait)
{
    if (trait) {
        m_rowTrait = std::move(trait);
        viewport()->update();
    }
}

void CGridListCtrlEx::AddHiddenFirstColumn()
{
    auto trait = std::make_unique<CGridColumnTrait>();
    trait->GetColumnState().alwaysHidden = true;
    InsertColumnWithTrait(0, u"", Qt::AlignLeft, 0, -1, std::move(trait));
}

int CGridListCtrlEx::InsertColumnWithTrait(int column, std::u16string_view title,
                                           Qt::Alignment format, int width, int subItem,
                                           std::unique_ptr<CGridColumnTrait> trait)
{
    if (!trait) {
        trait = std::make_unique<CGridColumnTraitText>();
    }
    column = std::clamp(column, 0, GetColumnCount());
    CGridColumnTrait::ColumnState& state = trait->GetColumnState();
    state.initialWidth = width;
    m_columnInfo.insert(m_columnInfo.begin() + column,
                        ColumnInfo{subItem, std::move(trait), std::nullopt});
    const bool arranging = std::exchange(m_arrangingSections, true);
    m_model->InsertTableColumn(column, QString::fromStdU16String(std::u16string(title)), format);
    m_header->resizeSection(column, width);
    if (!state.resizable) {
        m_header->setSectionResizeMode(column, QHeaderView::Fixed);
    }
    if (state.alwaysHidden) {
        HideSection(column);
        MoveSection(column, 0);
    }
    m_arrangingSections = arranging;
    return column;
}

void CGridListCtrlEx::AttachColumnLayout(std::unique_ptr<CViewConfigSectionDefault> section)
{
    m_layout.AttachColumnLayout(std::move(section));
}

// ---- focus cell and selection ----

void CGridListCtrlEx::MoveCellFocus(int column, bool redraw)
{
    m_selection.MoveFocusTo(column);
    if (redraw) {
        viewport()->update();
    }
}

// ---- geometry ----

QIcon CGridListCtrlEx::ImageFor(int column, int image) const
{
    if (column < 0 || column >= GetColumnCount()) {
        return {};
    }
    const auto& own = m_columnInfo[static_cast<size_t>(column)].images;
    const ImageList* list = own ? &*own : (column == 0 ? &m_smallImages : nullptr);
    if (list == nullptr || image < 0 || image >= static_cast<int>(list->size())) {
        return {};
    }
    return (*list)[static_cast<size_t>(image)];
}

bool CGridListCtrlEx::ColumnHasImages(int column) const
{
    if (column < 0 || column >= GetColumnCount()) {
        return false;
    }
    const auto& own = m_columnInfo[static_cast<size_t>(column)].images;
    return own ? !own->empty() : column == 0 && !m_smallImages.empty();
}

QIcon CGridListCtrlEx::CellIcon(int row, int column) const
{
    return ColumnHasImages(column) ? ImageFor(column, GetCellImage(row, column)) : QIcon();
}

bool CGridListCtrlEx::CellHasImage(int row, int column) const
{
    return !CellIcon(row, column).isNull();
}

// ---- clipboard, tooltips ----

std::u16string CGridListCtrlEx::SelectionCopyText() const
{
    const std::vector<int> rows = m_selection.SelectedRows();
    if (rows.size() == 1 && m_selection.FocusColumn() >= 0) {
        return GetCellText(rows.front(), m_selection.FocusColumn());
    }
    std::vector<int> visible;
    for (int column : GetColumnOrder()) {
        if (IsColumnVisible(column)) {
            visible.push_back(column);
        }
    }
    std::vector<std::u16string> titles;
    titles.reserve(visible.size());
    for (int column : visible) {
        titles.push_back(GetColumnTitle(column).toStdU16String());
    }
    std::vector<std::vector<std::u16string>> lines;
    for (int row : rows) {
        std::vector<std::u16string>& fields = lines.emplace_back();
        for (int column : visible) {
            fields.push_back(GetCellText(row, column));
        }
    }
    return CopyTextOfRows(titles, lines);
}

void CGridListCtrlEx::CopySelectionToClipboard()
{
    QApplication::clipboard()->setText(QString::fromStdU16String(SelectionCopyText()));
}

QString CGridListCtrlEx::CellToolTipText(int row, int column) const
{
    QString text = m_model->ShownTextOf(column, GetCellText(row, column));
    if (text.size() > kToolTipLength) {
        int cut = kToolTipLength;
        if (text.at(cut - 1).isHighSurrogate()) {
            --cut;
        }
        text.truncate(cut);
    }
    const QString note = CellRemarkOf(row, column).note;
    if (!text.isEmpty() && !note.isEmpty()) {
        text += QLatin1Char('\n') + note;
    }
    return text;
}

void CGridListCtrlEx::SetCellRemarks(std::function<CellRemark(int, int)> remarks)
{
    m_remarks = std::move(remarks);
    viewport()->update();
}

CGridListCtrlEx::CellRemark CGridListCtrlEx::CellRemarkOf(int row, int column) const
{
    return m_remarks ? m_remarks(row, column) : CellRemark{};
}

// ---- painting ----

bool CGridListCtrlEx::ListHasFocus() const
{
    return hasFocus() || (m_editor != nullptr && m_editor->hasFocus());
}

void CGridListCtrlEx::drawRow(QPainter* painter, const QStyleOptionViewItem& options,
                              const QModelIndex& index) const
{
    const int group = m_model->GroupOfHeader(index);
    if (group >= 0) {
        painter->save();
        painter->fillRect(options.rect, options.palette.color(QPalette::AlternateBase));
        QFont bold = options.font;
        bold.setBold(true);
        painter->setFont(bold);
        painter->setPen(options.palette.color(QPalette::Text));
        const auto& g = m_model->Groups()[static_cast<size_t>(group)];
        const QString title = QString::fromStdU16String(g.title) +
                              QStringLiteral(" (%1)").arg(static_cast<int>(g.rows.size()));
        const QString marker =
            isExpanded(index) ? QStringLiteral("\u25BE ") : QStringLiteral("\u25B8 ");
        painter->drawText(options.rect.adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          marker + title);
        painter->restore();
        return;
    }
    QTreeView::drawRow(painter, options, index);
    const int row = m_model->TableRow(index);
    GridRowPaint paint;
    paint.row = row;
    paint.rowRect = options.rect;
    paint.palette = options.palette;
    paint.focusRow = row >= 0 && row == m_selection.FocusRow();
    paint.listFocused = ListHasFocus();
    if (paint.focusRow && IsColumnVisible(m_selection.FocusColumn())) {
        paint.focusCellRect = m_geometry.CellRect(row, m_selection.FocusColumn());
    }
    m_rowTrait->OnRowPainted(*painter, paint);
}

void CGridListCtrlEx::paintEvent(QPaintEvent* event)
{
    if (GetRowCount() > 0) {
        QTreeView::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect().adjusted(4, 8, -4, -4), Qt::AlignHCenter | Qt::AlignTop,
                     QString::fromStdU16String(m_emptyText));
}

void CGridListCtrlEx::scrollContentsBy(int dx, int dy)
{
    if (m_editor != nullptr) {
        TakeFocus();
    }
    QTreeView::scrollContentsBy(dx, dy);
}

void CGridListCtrlEx::focusInEvent(QFocusEvent* event)
{
    QTreeView::focusInEvent(event);
    viewport()->update();
}

void CGridListCtrlEx::focusOutEvent(QFocusEvent* event)
{
    QTreeView::focusOutEvent(event);
    viewport()->update();
}

} // namespace wirevane
