#pragma once

#include "terminal/record_search.h"

#include <QTextCursor>
#include <QWidget>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace wirevane {

class RecordView;

// A bar under the record that finds a text in what the view shows: every match is
// highlighted, one is current (the view's selection, scrolled into view) and Enter,
// Shift+Enter or the buttons step to the next or the previous one, round the ends. Esc in the
// bar closes it. It opens hidden; the window adds openAction() (Ctrl+F) to its menu, so that
// Ctrl+F finds rather than sending 0x06 to the device.
class FindBar : public QWidget {
    Q_OBJECT
public:
    // Highlights follow every change of the view as text cursors do, which costs each
    // insertion a look at each of them; more than this many would slow a flood down.
    static constexpr std::size_t kMostHighlighted = 1000;

    FindBar(RecordView& view, QWidget* parent);

    QAction* openAction() const { return m_open; }
    // Shows the bar with the field focused and its text selected, and finds that text.
    void Open();
    void Close();
    // Finds the field's text again, after the view changed or the text did; the newest match
    // becomes current, as the newest text is where the view was.
    void Search();
    void Step(bool forward);

    int matchCount() const { return int(m_matches.size()); }
    // The current match as an index into the matches, -1 without one.
    int current() const { return m_current; }
    QString CountText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MakeCurrent(std::size_t index);
    void Highlight();
    void ShowCount();

    RecordView& m_view;
    QAction* m_open;
    QLineEdit* m_field;
    QToolButton* m_previous;
    QToolButton* m_next;
    QCheckBox* m_matchCase;
    QLabel* m_count;
    // In document positions, so stepping from the user's caret needs no mapping back.
    std::vector<TextMatch> m_matches;
    std::vector<QTextCursor> m_cursors;
    int m_current = -1;
    bool m_stale = true;
};

} // namespace wirevane
