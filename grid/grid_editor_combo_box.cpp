#include "grid/grid_editor_combo_box.h"

#include "grid/editor_keys.h"
#include "grid/grid_list_ctrl_ex.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

namespace wirevane {
CGridEditorComboBox::CGridEditorComboBox(CGridListCtrlEx& owner, int row, int column, bool editable)
    : QComboBox(owner.viewport()), m_owner(owner), m_row(row), m_column(column)
{
    hide();
    setEditable(editable);
    if (editable) {
        setLineEdit(new CGridEditorComboBoxEdit(*this));
        setInsertPolicy(QComboBox::NoInsert);
    }
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumSize(0, 0);
}

void CGridEditorComboBox::AddItem(const QString& shown, const std::u16string& stored, int value)
{
    addItem(shown, value);
    setItemData(count() - 1, QString::fromStdU16String(stored), kStoredTextRole);
}

QString CGridEditorComboBox::StoredText(int index) const
{
    const QVariant stored = itemData(index, kStoredTextRole);
    return stored.isValid() ? stored.toString() : itemText(index);
}

void CGridEditorComboBox::Start(const QString& cellText)
{
    int match = -1;
    for (int i = 0; i < count(); ++i) {
        if (StoredText(i).startsWith(cellText, Qt::CaseInsensitive)) {
            match = i;
            break;
        }
    }
    setCurrentIndex(match);
    if (match < 0 && isEditable()) {
        setEditText(cellText);
    }
    if (m_rightAligned && isEditable()) {
        lineEdit()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    connect(this, &QComboBox::currentIndexChanged, this, [this] { MarkModified(); });
}

void CGridEditorComboBox::EndEdit(bool commit)
{
    if (m_completed) {
        return;
    }
    m_completed = true;
    hidePopup();
    GridCellChange change;
    change.row = m_row;
    change.column = m_column;
    if (commit && m_modified) {
        // A chosen item writes the text the table reads, whatever the item shows; a typed
        // text is written as typed.
        const int chosen = currentIndex();
        change.text =
            (chosen >= 0 && currentText() == itemText(chosen) ? StoredText(chosen) : currentText())
                .toStdU16String();
    }
    m_owner.FinishCellEdit(*this, change);
}

bool CGridEditorComboBox::OwnsFocusWidget(const QWidget* widget) const
{
    return widget != nullptr &&
           (widget == this || isAncestorOf(widget) ||
            (view() != nullptr && (widget == view() || view()->isAncestorOf(widget))));
}

void CGridEditorComboBox::showPopup()
{
    int longest = width();
    const QFontMetrics metrics(font());
    for (int i = 0; i < count(); ++i) {
        longest = std::max(longest, metrics.horizontalAdvance(itemText(i)) + 16);
    }
    view()->setMinimumWidth(std::min(longest, std::max(width(), m_maxDroppedWidth)));
    QComboBox::showPopup();
}

bool CGridEditorComboBox::event(QEvent* event)
{
    if (EndEditOnTab(*event, *this, m_owner)) {
        return true;
    }
    return QComboBox::event(event);
}

void CGridEditorComboBox::keyPressEvent(QKeyEvent* event)
{
    if (EndEditOnEnterOrEscape(*event, *this)) {
        return;
    }
    if (!event->text().isEmpty()) {
        MarkModified();
    }
    QComboBox::keyPressEvent(event);
}

void CGridEditorComboBox::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    if (m_openOnFocus && !m_completed) {
        showPopup();
    }
}

void CGridEditorComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || OwnsFocusWidget(QApplication::focusWidget())) {
        return;
    }
    EndEdit(true);
}

CGridEditorComboBoxEdit::CGridEditorComboBoxEdit(CGridEditorComboBox& combo)
    : QLineEdit(&combo), m_combo(combo)
{
    connect(this, &QLineEdit::textEdited, this, [this] { m_combo.MarkModified(); });
}

bool CGridEditorComboBoxEdit::event(QEvent* event)
{
    // The combo ends the whole editor on it.
    if (IsTabKey(*event)) {
        QApplication::sendEvent(&m_combo, event);
        return true;
    }
    return QLineEdit::event(event);
}

void CGridEditorComboBoxEdit::keyPressEvent(QKeyEvent* event)
{
    if (EndEditOnEnterOrEscape(*event, m_combo)) {
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CGridEditorComboBoxEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason ||
        m_combo.OwnsFocusWidget(QApplication::focusWidget())) {
        return;
    }
    m_combo.EndEdit(true);
}

} // namespace wirevane
