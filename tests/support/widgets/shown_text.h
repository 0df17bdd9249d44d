#pragma once

#include <QList>
#include <QString>
#include <QWidget>

namespace wirevane::test {

// A text a window shows the user, with where it is shown ("QPushButton 1003", "menu item").
struct ShownText {
    QString where;
    QString text;
};

// Every text the user can meet under root (root included): window titles, labels, buttons,
// group boxes, tabs, combo items, line edit placeholders, tooltips, header titles, the cells of
// item views, and the items of the menus and toolbars, submenus included, whether or not they
// are open now.
QList<ShownText> CollectShownText(QWidget& root);

// Whether the text holds kana or kanji, or the full- and half-width forms Japanese text uses.
bool HasJapanese(const QString& text);

// The texts that hold Japanese, one line each, for a test's failure message.
QString DescribeJapanese(const QList<ShownText>& texts);

} // namespace wirevane::test
