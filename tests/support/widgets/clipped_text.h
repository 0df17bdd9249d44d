#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace wirevane::test {

// A shown text that does not fit the room its widget gives it.
struct ClippedText {
    QPointer<QWidget> widget;
    QString text;
    int needed = 0;
    int available = 0;
};

// Every visible label, button, combo and item view cell under root (root included) whose text
// is cut at the widget's current size and font, and every label or button whose text was
// shortened with "…" without the whole text as its tooltip. Combos are judged by every item,
// since any of them can become the current one; item views by the cells in sight.
QList<ClippedText> FindClippedText(QWidget& root);

// One line per cut text, naming the widget, for a test's failure message.
QString Describe(const QList<ClippedText>& clipped);

} // namespace wirevane::test
