#include "grid/grid_cell_editor.h"
#include "grid/grid_header.h"
#include "grid/grid_list_ctrl_ex.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTextDocument>
#include <QToolTip>

namespace wirevane {
namespace {

// A tooltip shows the text as it stands, on one line, even when it looks like markup.
QString PlainToolTip(const QString& text)
{
    if (!Qt::mightBeRichText(text)) {
        return text;
    }
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

} // namespace

// ---- editing ----

int CGridListCtrlEx::ClickStartsEdit(int row, int column, QPoint point, bool doubleClick,
                                     Qt::KeyboardModifiers modifiers) const
{
    if (modifiers & (Qt::ControlModifier | Qt::ShiftModifier)) {
        return CGridColumnTrait::kNoEdit;
    }
    const CGridColumnTrait* trait = GetColumnTrait(column);
    if (trait == nullptr || trait->IsCellLocked(*this, row, column, point)) {
        return CGridColumnTrait::kNoEdit;
    }
    return trait->ClickStartsEdit(*this, row, column, point, doubleClick);
}

bool CGridListCtrlEx::StartCellEdit(int row, int column)
{
    return StartCellEdit(row, column, kKeyboardEditPoint);
}

bool CGridListCtrlEx::StartCellEdit(int row, int column, QPoint point)
{
    CGridColumnTrait* trait = GetColumnTrait(column);
    if (trait == nullptr || row < 0 || row >= GetRowCount()) {
        return false;
    }
    if (m_editor != nullptr) {
        TakeFocus();
    }
    if (trait->IsCellLocked(*this, row, column, point)) {
        return false;
    }
    if (point == kKeyboardEditPoint) {
        scrollTo(m_model->IndexOfRow(row, column));
    }
    QWidget* started = trait->BeginCellEditor(*this, row, column, point);
    if (started == nullptr) {
        return false;
    }
    if (OnBeginLabelEdit(row, column)) {
        trait->OnEditEnd();
        started->close();
        started->deleteLater();
        return false;
    }
    m_editor = started;
    started->show();
    started->setFocus(Qt::OtherFocusReason);
    return true;
}

bool CGridListCtrlEx::OnBeginLabelEdit(int, int)
{
    return false;
}

void CGridListCtrlEx::OnEndLabelEdit(const GridCellChange& change)
{
    if (change.text) {
        SetCellText(change.row, change.column, *change.text);
    }
    if (change.image) {
        SetCellImage(change.row, change.column, *change.image);
    }
}

void CGridListCtrlEx::SendEndLabelEdit(const GridCellChange& change)
{
    OnEndLabelEdit(change);
}

QFont CGridListCtrlEx::EditorFont() const
{
    return m_cellFont ? *m_cellFont : font();
}

void CGridListCtrlEx::FinishCellEdit(QWidget& editor, const GridCellChange& change)
{
    const QWidget* focused = QApplication::focusWidget();
    const bool hadFocus =
        focused != nullptr && (focused == &editor || editor.isAncestorOf(focused));
    editor.hide();
    SendEndLabelEdit(change);
    editor.deleteLater();
    if (m_editor == &editor) {
        m_editor = nullptr;
    }
    if (hadFocus) {
        setFocus(Qt::OtherFocusReason);
    }
    viewport()->update();
}

// ---- mouse ----

void CGridListCtrlEx::mousePressEvent(QMouseEvent* event)
{
    m_pressPoint.reset();
    m_dragStarted = false;
    const QPoint point = event->position().toPoint();
    const QModelIndex at = indexAt(point);
    if (event->button() == Qt::LeftButton && m_model->IsGroupHeader(at)) {
        // The view keeps expansion by the header's first cell.
        const QModelIndex header = at.siblingAtColumn(0);
        setExpanded(header, !isExpanded(header));
        return;
    }
    int row = -1;
    int column = -1;
    if (event->button() != Qt::LeftButton || !m_geometry.HitTest(point, row, column)) {
        QTreeView::mousePressEvent(event);
        return;
    }
    if (!hasFocus()) {
        TakeFocus();
    }
    m_pressPoint = point;
    int answer = ClickStartsEdit(row, column, point, false, event->modifiers());
    m_lastPress = Press{event->timestamp(), row, column, false};
    if (answer != CGridColumnTrait::kEditAtOnce) {
        m_selection.SetFocusColumn(column);
        QTreeView::mousePressEvent(event);
        MoveCellFocus(column, true);
    }
    if (answer != CGridColumnTrait::kNoEdit) {
        StartCellEdit(row, column, point);
        m_lastPress.flipped = answer == CGridColumnTrait::kEditAtOnce;
    }
}

void CGridListCtrlEx::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    int row = -1;
    int column = -1;
    if (event->button() != Qt::LeftButton || !m_geometry.HitTest(point, row, column)) {
        if (!m_model->IsGroupHeader(indexAt(point))) {
            QTreeView::mouseDoubleClickEvent(event);
        }
        return;
    }
    if (!hasFocus()) {
        TakeFocus();
    }
    const int answer = ClickStartsEdit(row, column, point, true, event->modifiers());
    if (answer == CGridColumnTrait::kEditAtOnce) {
        // Where the platform delivers the second press as well, that press has flipped already.
        const bool pressedAlready = m_lastPress.flipped &&
                                    m_lastPress.timestamp == event->timestamp() &&
                                    m_lastPress.row == row && m_lastPress.column == column;
        if (!pressedAlready) {
            StartCellEdit(row, column, point);
        }
        return;
    }
    QTreeView::mouseDoubleClickEvent(event);
    if (answer == CGridColumnTrait::kEditAfterClick) {
        StartCellEdit(row, column, point);
    }
}

void CGridListCtrlEx::mouseMoveEvent(QMouseEvent* event)
{
    // Rows cannot be dragged: beginning to drag only hands the focus to the whole row.
    if (m_pressPoint && (event->buttons() & Qt::LeftButton)) {
        const QPoint moved = event->position().toPoint() - *m_pressPoint;
        if (!m_dragStarted && moved.manhattanLength() >= QApplication::startDragDistance()) {
            m_dragStarted = true;
            m_selection.SetFocusColumn(-1);
            viewport()->update();
        }
        return;
    }
    QTreeView::mouseMoveEvent(event);
}

void CGridListCtrlEx::mouseReleaseEvent(QMouseEvent* event)
{
    m_pressPoint.reset();
    QTreeView::mouseReleaseEvent(event);
}

// ---- keyboard ----

bool CGridListCtrlEx::HandleControlKey(QKeyEvent& event)
{
    if (!(event.modifiers() & Qt::ControlModifier)) {
        return false;
    }
    switch (event.key()) {
    case Qt::Key_A: {
        QItemSelection all;
        for (int row = 0; row < GetRowCount(); ++row) {
            const QModelIndex at = m_model->IndexOfRow(row, 0);
            all.select(at, at);
        }
        selectionModel()->select(all, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        return true;
    }
    case Qt::Key_C:
        CopySelectionToClipboard();
        return true;
    case Qt::Key_Plus:
        if (event.modifiers() & Qt::KeypadModifier) {
            FitAllColumns();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void CGridListCtrlEx::MoveFocusLeftRight(bool right)
{
    const std::vector<int> order = GetColumnOrder();
    const int count = static_cast<int>(order.size());
    if (!right) {
        if (m_selection.FocusColumn() < 0) {
            return;
        }
        const int visual = m_header->visualIndex(m_selection.FocusColumn()) - 1;
        const bool none = visual < 0 || !IsColumnVisible(order[static_cast<size_t>(visual)]);
        m_selection.SetFocusColumn(none ? -1 : order[static_cast<size_t>(visual)]);
    } else if (m_selection.FocusColumn() < 0) {
        m_selection.SetFocusColumn(GetFirstVisibleColumn());
    } else {
        const int visual = m_header->visualIndex(m_selection.FocusColumn()) + 1;
        if (visual >= count || !IsColumnVisible(order[static_cast<size_t>(visual)])) {
            return;
        }
        m_selection.SetFocusColumn(order[static_cast<size_t>(visual)]);
    }
    const int row = m_selection.FocusRow();
    if (row >= 0 && m_selection.FocusColumn() >= 0) {
        MoveCellFocus(m_selection.FocusColumn(), false);
        scrollTo(m_model->IndexOfRow(row, m_selection.FocusColumn()));
    }
    viewport()->update();
}

void CGridListCtrlEx::TypeAhead(const QKeyEvent& event)
{
    const bool ctrl = (event.modifiers() & Qt::ControlModifier) != 0;
    const char16_t ch = event.text().isEmpty() ? u'\0' : event.text().at(0).unicode();
    const auto search =
        m_typeAhead.OnChar(ch, ctrl, m_clock(), m_selection.FocusColumn(), m_selection.FocusRow());
    if (!search) {
        return;
    }
    const int column = m_selection.FocusColumn();
    const int found = TypeAheadSearch::FindRow(*search, GetRowCount(),
                                               [&](int row) { return GetCellText(row, column); });
    if (found < 0) {
        return;
    }
    m_selection.SelectRow(found, true);
    SetFocusRow(found);
    EnsureRowVisible(found);
    m_typeAhead.NoteFocusRow(found);
    viewport()->update();
}

void CGridListCtrlEx::keyPressEvent(QKeyEvent* event)
{
    if (HandleControlKey(*event)) {
        return;
    }
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    const int row = m_selection.FocusRow();
    switch (event->key()) {
    case Qt::Key_Space:
        if (!ctrl && row >= 0 && CellHasImage(row, m_selection.FocusColumn())) {
            StartCellEdit(row, m_selection.FocusColumn(),
                          m_geometry.IconRect(row, m_selection.FocusColumn()).topLeft());
        }
        // The list's own handling of Space would also search the rows for a " " text, which
        // every ticked check cell holds, and move the focus there: only the selection is kept.
        if (currentIndex().isValid()) {
            selectionModel()->select(currentIndex(), selectionCommand(currentIndex(), event));
        }
        event->accept();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
        MoveFocusLeftRight(event->key() == Qt::Key_Right);
        return;
    case Qt::Key_F2:
        if (row >= 0 && m_selection.FocusColumn() >= 0) {
            StartCellEdit(row, m_selection.FocusColumn());
        }
        return;
    default:
        break;
    }
    const QString text = event->text();
    const bool letterWithCtrl = ctrl && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z;
    if (letterWithCtrl || (!text.isEmpty() && text.at(0).isPrint())) {
        TypeAhead(*event);
        return;
    }
    QTreeView::keyPressEvent(event);
}

// ---- tooltips, menus ----

bool CGridListCtrlEx::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) {
        return QTreeView::viewportEvent(event);
    }
    auto* help = static_cast<QHelpEvent*>(event);
    int row = -1;
    int column = -1;
    const QString tip =
        m_geometry.HitTest(help->pos(), row, column) ? CellToolTipText(row, column) : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(), PlainToolTip(tip), viewport(),
                       m_geometry.CellRect(row, column));
    return true;
}

void CGridListCtrlEx::contextMenuEvent(QContextMenuEvent* event)
{
    if (std::unique_ptr<QMenu> menu = CreateListMenu(event->pos())) {
        menu->exec(event->globalPos());
    }
}

std::unique_ptr<QMenu> CGridListCtrlEx::CreateListMenu(QPoint)
{
    return nullptr;
}

void CGridListCtrlEx::AddHeaderGroupItems(QMenu&, int) {}

std::unique_ptr<QMenu> CGridListCtrlEx::CreateHeaderMenu(int column)
{
    auto menu = std::make_unique<QMenu>(this);
    AddHeaderGroupItems(*menu, column);
    menu->addSeparator();
    for (int c = 0; c < GetColumnCount(); ++c) {
        const CGridColumnTrait::ColumnState& state = GetColumnTrait(c)->GetColumnState();
        if (state.alwaysHidden) {
            continue;
        }
        QAction* item = menu->addAction(GetColumnTitle(c));
        item->setCheckable(true);
        item->setChecked(IsColumnVisible(c));
        item->setEnabled(!state.alwaysVisible);
        connect(item, &QAction::triggered, this, [this, c] { ShowColumn(c, !IsColumnVisible(c)); });
    }
    CViewConfigSectionDefault* section = m_layout.attachedSection();
    if (section == nullptr) {
        return menu;
    }
    if (auto* profiles = dynamic_cast<CViewConfigSectionProfiles*>(section)) {
        const std::vector<std::u16string> names = profiles->ProfileList();
        if (!names.empty()) {
            menu->addSeparator();
            QMenu* sub = menu->addMenu(tr("列(縦) プロフィール"));
            const std::u16string active = profiles->ActiveProfileName();
            for (const std::u16string& name : names) {
                // A profile's name is kept in the file untranslated; a name the program does not
                // know shows as it is.
                const QByteArray stored = QString::fromStdU16String(name).toUtf8();
                QAction* item = sub->addAction(
                    QCoreApplication::translate("LayoutProfiles", stored.constData()));
                item->setCheckable(true);
                item->setChecked(name == active);
                connect(item, &QAction::triggered, this,
                        [this, name] { SwitchLayoutProfile(name); });
            }
        }
    }
    QAction* reset = menu->addAction(tr("リセット 列(縦)"));
    connect(reset, &QAction::triggered, this, [this] { ResetColumnLayout(); });
    return menu;
}

} // namespace wirevane
