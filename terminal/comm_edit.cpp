#include "terminal/comm_edit.h"

#include "terminal/paste_sender.h"
#include "terminal/terminal_text.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTextCursor>
#include <utility>

namespace wirevane {

CCommEdit::CCommEdit(QWidget* parent) : RecordView(parent)
{
    // A read-only text turns input methods off, but they are how Japanese is typed here.
    setAttribute(Qt::WA_InputMethodEnabled, true);
}

void CCommEdit::Write(std::u16string_view key)
{
    if (!PortOpen())
        return;
    const Bytes bytes = KeyBytes(key);
    if (!bytes.empty())
        m_port->BeginWrite(bytes, [edit = QPointer<CCommEdit>(this)](uint32_t error) {
            if (edit)
                edit->OnTypedWritten(error);
        });
}

// A line held back by flow control fails every typed write queued behind the first, one grace
// after another: one line says so, and a paste does not go on feeding the line.
void CCommEdit::OnTypedWritten(uint32_t error)
{
    if (error == 0) {
        m_typedFailureTold = false;
        return;
    }
    if (m_paste)
        m_paste->Cancel();
    if (std::exchange(m_typedFailureTold, true))
        return;
    if (m_typedWriteFailed)
        m_typedWriteFailed(error);
}

Bytes CCommEdit::KeyBytes(std::u16string_view key) const
{
    return key == u"\r" ? EnterKeyBytes(m_sendLineEnd) : TypedCharToBytes(key, m_encoding);
}

std::size_t CCommEdit::TypedByteCount(std::u16string_view keys) const
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < keys.size();) {
        const std::size_t units = UnitsOfCharacterAt(keys, at);
        count += KeyBytes(keys.substr(at, units)).size();
        at += units;
    }
    return count;
}

void CCommEdit::Type(std::u16string_view keys)
{
    // A character beyond 16 bits comes as a surrogate pair and goes out as one character.
    for (std::size_t at = 0; at < keys.size();) {
        const std::size_t units = UnitsOfCharacterAt(keys, at);
        const std::u16string_view key = keys.substr(at, units);
        if (key == u"\b")
            SelectLastCharacter();
        Write(key);
        at += units;
    }
    if (!m_localEcho)
        return;
    std::u16string echo;
    const auto echoNow = [this, &echo] {
        AppendAtEnd(echo);
        if (m_echoed && !echo.empty())
            m_echoed(echo);
        echo.clear();
    };
    for (char16_t key : keys) {
        if (key == u'\b') {
            echoNow();
            const bool removed = !record().empty();
            RemoveLastCharacter();
            if (m_echoed && removed)
                m_echoed(u"\b");
        } else if (key == u'\r') {
            echo += u"\r\n";
        } else {
            echo += key;
        }
    }
    echoNow();
}

void CCommEdit::keyPressEvent(QKeyEvent* event)
{
    const bool shiftInsert =
        event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier;
    if (event->matches(QKeySequence::Paste) || shiftInsert) {
        Paste(QApplication::clipboard()->text());
        return;
    }
    QString typed = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        typed = QStringLiteral("\r");
    else if (event->key() == Qt::Key_Backspace)
        typed = QStringLiteral("\b");
    else if (event->key() == Qt::Key_Escape)
        typed = QStringLiteral("\x1b");
    if (!typed.isEmpty())
        Type(typed.toStdU16String());
    // Keys without a character move and select as in any text; Copy and Select all keep
    // their effect after their control character went out.
    if (typed.isEmpty() || event->matches(QKeySequence::Copy) ||
        event->matches(QKeySequence::SelectAll))
        RecordView::keyPressEvent(event);
}

void CCommEdit::inputMethodEvent(QInputMethodEvent* event)
{
    FlushPending();
    // The preedit is drawn at the caret; keeping the caret at the end puts it where the text
    // grows, and no selection of the record can be replaced by it.
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    setTextCursor(end);
    if (!event->commitString().isEmpty())
        Type(event->commitString().toStdU16String());
    QInputMethodEvent preeditOnly(event->preeditString(), event->attributes());
    RecordView::inputMethodEvent(&preeditOnly);
    event->accept();
}

void CCommEdit::Paste(const QString& text)
{
    if (text.isEmpty() || m_paste != nullptr)
        return;
    const std::u16string keys = PastedAsTyped(text.toStdU16String());
    if (!PortOpen() || TypedByteCount(keys) <= kAskAboveBytes) {
        Type(keys);
        return;
    }
    const auto answer = QMessageBox::question(
        this, tr("貼り付け"),
        tr("貼り付けたテキスト %1 バイトを送信しますか?").arg(TypedByteCount(keys)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    m_paste = new PasteSender(this, keys, [this](std::u16string_view slice) {
        if (!PortOpen())
            return PasteSender::Slice::PortGone;
        if (m_port->BytesNotOut() > kPasteAheadBytes)
            return PasteSender::Slice::PortBusy;
        Type(slice);
        return PasteSender::Slice::Typed;
    });
    m_paste->Start();
}

QMenu* CCommEdit::CreateContextMenu()
{
    QMenu* menu = createStandardContextMenu();
    auto* paste = new QAction(tr("貼り付け(&P)"), menu);
    paste->setObjectName(QStringLiteral("edit-paste"));
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    paste->setEnabled(clipboard != nullptr && clipboard->hasText() && m_paste == nullptr);
    connect(paste, &QAction::triggered, this, [this] { Paste(QApplication::clipboard()->text()); });
    QAction* before = nullptr;
    const QList<QAction*> actions = menu->actions();
    for (int i = 0; i + 1 < actions.size(); ++i) {
        if (actions[i]->objectName() == QStringLiteral("edit-copy"))
            before = actions[i + 1];
    }
    menu->insertAction(before, paste);
    return menu;
}

void CCommEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = CreateContextMenu();
    menu->exec(event->globalPos());
    delete menu;
}

} // namespace wirevane
