#include "terminal/find_bar.h"

#include "terminal/record_view.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>
#include <QToolButton>

namespace wirevane {

FindBar::FindBar(RecordView& view, QWidget* parent)
    : QWidget(parent), m_view(view), m_open(new QAction(tr("検索 ..."), parent)),
      m_field(new QLineEdit(this)), m_previous(new QToolButton(this)),
      m_next(new QToolButton(this)), m_matchCase(new QCheckBox(tr("大文字と小文字を区別"), this)),
      m_count(new QLabel(this))
{
    setObjectName(QStringLiteral("find-bar"));
    m_open->setObjectName(QStringLiteral("find"));
    m_open->setShortcut(QKeySequence::Find);
    connect(m_open, &QAction::triggered, this, &FindBar::Open);

    auto* label = new QLabel(tr("検索"), this);
    m_field->setObjectName(QStringLiteral("find-text"));
    m_field->setPlaceholderText(tr("探す文字列"));
    m_field->installEventFilter(this);
    m_previous->setObjectName(QStringLiteral("find-previous"));
    m_previous->setText(tr("前へ"));
    m_next->setObjectName(QStringLiteral("find-next"));
    m_next->setText(tr("次へ"));
    m_matchCase->setObjectName(QStringLiteral("find-match-case"));
    m_count->setObjectName(QStringLiteral("find-count"));
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("find-close"));
    // A second "閉じる" right above the window's own would read as closing the window.
    close->setText(QStringLiteral("×"));
    close->setToolTip(tr("検索バーを閉じる (Esc)"));

    connect(m_field, &QLineEdit::textChanged, this, &FindBar::Search);
    connect(m_matchCase, &QCheckBox::toggled, this, &FindBar::Search);
    connect(m_previous, &QToolButton::clicked, this, [this] { Step(false); });
    connect(m_next, &QToolButton::clicked, this, [this] { Step(true); });
    connect(close, &QToolButton::clicked, this, &FindBar::Close);
    // Appends and trims move the text under the matches; the next step finds again.
    connect(m_view.document(), &QTextDocument::contentsChange, this, [this] { m_stale = true; });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addWidget(m_matchCase);
    layout->addWidget(m_count);
    layout->addWidget(close);
    hide();
}

void FindBar::Open()
{
    show();
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
    Search();
}

void FindBar::Close()
{
    hide();
    m_matches.clear();
    m_cursors.clear();
    m_current = -1;
    m_view.setExtraSelections({});
    m_view.setFocus(Qt::OtherFocusReason);
}

void FindBar::Search()
{
    const RecordView::ShownLineForm shown = m_view.ShownWithPositions();
    const std::u16string needle = m_field->text().toStdU16String();
    const std::vector<TextMatch> found =
        FindAll(shown.text, needle, m_matchCase->isChecked(), kMostHighlighted);
    m_matches.clear();
    m_cursors.clear();
    for (const TextMatch& match : found) {
        const int start = shown.positions[match.start];
        const int end = shown.positions[match.start + match.length - 1] + 1;
        m_matches.push_back({std::size_t(start), std::size_t(end - start)});
        QTextCursor cursor(m_view.document());
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        m_cursors.push_back(cursor);
    }
    m_stale = false;
    m_current = -1;
    if (!m_matches.empty())
        MakeCurrent(m_matches.size() - 1);
    Highlight();
    ShowCount();
}

void FindBar::Step(bool forward)
{
    // A copy of the caret follows the text while finding again flushes and trims the view.
    const QTextCursor from = m_view.textCursor();
    // Text waiting for the view's frame has changed nothing yet, but will be found.
    if (m_stale || m_view.HasPendingText())
        Search();
    if (const auto index = StepFrom(m_matches, std::size_t(from.selectionStart()), forward))
        MakeCurrent(*index);
    else
        m_view.setTextCursor(from);
    Highlight();
    ShowCount();
}

void FindBar::MakeCurrent(std::size_t index)
{
    m_current = int(index);
    m_view.setTextCursor(m_cursors[index]);
    m_view.ensureCursorVisible();
}

void FindBar::Highlight()
{
    QList<QTextEdit::ExtraSelection> selections;
    QTextCharFormat match;
    match.setBackground(QColor(255, 226, 110));
    for (const QTextCursor& cursor : m_cursors)
        selections.append({cursor, match});
    m_view.setExtraSelections(selections);
}

void FindBar::ShowCount()
{
    m_count->setText(CountText());
}

QString FindBar::CountText() const
{
    if (m_field->text().isEmpty())
        return QString();
    if (m_matches.empty())
        return tr("見つかりません");
    const QString total = m_matches.size() >= kMostHighlighted
                              ? tr("%1 件以上").arg(kMostHighlighted)
                              : tr("%1 件").arg(m_matches.size());
    return m_current < 0 ? total : tr("%1 / %2").arg(m_current + 1).arg(total);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            Close();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Step(!(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace wirevane
