#pragma once

#include "grid/grid_cell_editor.h"

#include <QComboBox>
#include <QLineEdit>

namespace wirevane {

class CGridListCtrlEx;

// The in-place drop-down editor of one cell. It preselects the first item that begins with the
// cell's text (ignoring case); its list shows at most the set number of items and widens to the
// longest item, up to the set width. Enter, Tab and losing the focus commit, Escape cancels; a
// commit sends the chosen text when the user changed the selection or typed.
class CGridEditorComboBox final : public QComboBox, public CGridCellEditor {
    Q_OBJECT
public:
    // Editable: the drop-down style, whose text can also be typed (into a CGridEditorComboBoxEdit).
    CGridEditorComboBox(CGridListCtrlEx& owner, int row, int column, bool editable);

    void SetMaxDroppedWidth(int pixels) { m_maxDroppedWidth = pixels; }
    void SetOpenOnFocus(bool on) { m_openOnFocus = on; }
    void SetRightAligned(bool on) { m_rightAligned = on; }

    // An item that shows one text and writes another into the cell (a translated word).
    void AddItem(const QString& shown, const std::u16string& stored, int value);
    // Chooses the item whose stored text the cell's text begins.
    void Start(const QString& cellText);
    void EndEdit(bool commit) override;
    void MarkModified() { m_modified = true; }
    bool IsModified() const { return m_modified; }
    // The editor or its own edit part holds the focus.
    bool OwnsFocusWidget(const QWidget* widget) const;

    void showPopup() override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    static constexpr int kStoredTextRole = Qt::UserRole + 1;
    QString StoredText(int index) const;

    CGridListCtrlEx& m_owner;
    int m_row;
    int m_column;
    int m_maxDroppedWidth = 200;
    bool m_openOnFocus = false;
    bool m_rightAligned = false;
    bool m_completed = false;
    bool m_modified = false;
};

// The edit part of a drop-down editor that accepts typed text: Enter, Escape and Tab end the
// whole editor, and losing the focus to anything but its combo commits it.
class CGridEditorComboBoxEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit CGridEditorComboBoxEdit(CGridEditorComboBox& combo);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CGridEditorComboBox& m_combo;
};

} // namespace wirevane
