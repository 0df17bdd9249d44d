#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace wirevane::test {

// Finds a dialog's control by its control id and drives it with real mouse and key events.
template <typename T> T* Control(QWidget& dialog, int id)
{
    T* control = dialog.findChild<T*>(QStringLiteral("c") + QString::number(id));
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}

// Shows the dialog as an opening does and waits until it is on screen.
inline void Open(QDialog& dialog)
{
    dialog.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
}

// Replaces an edit's text by typing, as a user who selects all and types over it.
inline void TypeOver(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Clicks a check box on its indicator, at its left end.
inline void ClickBox(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

inline void ClickButton(QPushButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Moves a drop-down list's selection down by the given number of entries with the arrow key.
inline void ArrowDown(QComboBox* list, int times)
{
    list->setFocus();
    for (int i = 0; i < times; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

} // namespace wirevane::test
