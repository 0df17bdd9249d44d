#pragma once

#include "grid/grid_column_trait_image.h"

#include <QValidator>
#include <functional>

namespace wirevane {

// A column whose cells are edited in place with a single-line text editor.
class CGridColumnTraitEdit : public CGridColumnTraitImage {
public:
    void SetBorder(bool on) { m_border = on; }
    // -1: no limit.
    void SetMaxLength(int length) { m_maxLength = length; }
    int GetMaxLength() const { return m_maxLength; }
    // Each editor gets a validator of its own, made with the editor as its parent.
    void SetValidator(std::function<QValidator*(QObject* parent)> make)
    {
        m_makeValidator = std::move(make);
    }

    QWidget* OpenCellEditor(CGridListCtrlEx& owner, int row, int column) override;

protected:
    virtual QWidget* CreateEditor(CGridListCtrlEx& owner, int row, int column);

private:
    bool m_border = true;
    int m_maxLength = -1;
    std::function<QValidator*(QObject*)> m_makeValidator;
};

} // namespace wirevane
