#include "terminal/comm_edit.h"

#include "terminal/terminal_text.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace wirevane {

CCommEdit::CCommEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    // Appends are never undone, and an undo stack over megabytes of traffic would only cost.
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);
}

qint64 CCommEdit::LineFormLength() const
{
    const QTextDocument* doc = document();
    // characterCount has one separator per paragraph, the last one included; in line form each
    // break between paragraphs is the two characters CR LF.
    return doc->characterCount() - 1 + (doc->blockCount() - 1);
}

bool CCommEdit::DocumentEndsInLoneCr() const
{
    const QTextDocument* doc = document();
    const int count = doc->characterCount();
    return count >= 2 && doc->characterAt(count - 2) == QChar(kLoneCrStandIn);
}

void CCommEdit::AppendAtEnd(std::u16string_view lineForm)
{
    if (lineForm.empty())
        return;
    m_pending += lineForm;
    if (!m_flushQueued) {
        m_flushQueued = true;
        QTimer::singleShot(0, this, &CCommEdit::FlushPending);
    }
}

void CCommEdit::FlushPending()
{
    m_flushQueued = false;
    if (m_pending.empty())
        return;
    std::u16string batch;
    batch.swap(m_pending);

    if (LineFormLength() + static_cast<qint64>(batch.size()) > m_textLimit) {
        emit MaxTextReached();
        return;
    }

    const EditFormText edit = ToEditForm(batch, DocumentEndsInLoneCr());
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    if (edit.joinsPreviousCr) {
        cursor.deletePreviousChar();
        cursor.insertBlock();
    }
    cursor.insertText(QString::fromStdU16String(edit.text));
    setTextCursor(cursor);
    ensureCursorVisible();
}

void CCommEdit::Clear()
{
    m_pending.clear();
    clear();
}

std::u16string CCommEdit::LineFormText()
{
    FlushPending();
    return FromEditForm(toPlainText().toStdU16String());
}

void CCommEdit::SelectLastCharacter()
{
    if (document()->isEmpty())
        return;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void CCommEdit::WriteTyped(char16_t ch)
{
    if (m_port == nullptr || !m_port->IsOpen())
        return;
    const Bytes bytes =
        ch == u'\r' ? EnterKeyBytes(m_sendLineEnd) : TypedCharToBytes(ch, m_encoding);
    if (!bytes.empty())
        m_port->Write(bytes);
}

void CCommEdit::keyPressEvent(QKeyEvent* event)
{
    FlushPending();
    QString typed = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        typed = QStringLiteral("\r");
    else if (event->key() == Qt::Key_Backspace)
        typed = QStringLiteral("\b");
    // Keys that produce no character (arrows, page keys, function keys) keep their ordinary
    // effect and write nothing; Escape belongs to the window.
    if (typed.isEmpty() || event->key() == Qt::Key_Escape) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }

    for (QChar unit : typed) {
        const char16_t ch = unit.unicode();
        if (ch == u'\b')
            SelectLastCharacter();
        WriteTyped(ch);
    }
    if (!m_localEcho)
        return;
    QPlainTextEdit::keyPressEvent(event);
    if (LineFormLength() > m_textLimit)
        emit MaxTextReached();
}

} // namespace wirevane
