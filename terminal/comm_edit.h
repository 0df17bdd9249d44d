#pragma once

#include "core/port_access.h"
#include "core/text_encoding.h"
#include "terminal/paste_sender.h"
#include "terminal/record_view.h"

#include <QPointer>
#include <cstdint>
#include <functional>
#include <string_view>

class QMenu;

namespace wirevane {

// The terminal's text area. Every key typed into it goes to the port at once, one write per
// character (Enter by the send line end, Esc as 0x1B), and is added to the record only with
// local echo on. Text an input method commits is typed the same way; its preedit is drawn at
// the end of the text and never sent. Pasting types the clipboard's text, each line break as
// Enter; a paste of more than kAskAboveBytes asks first and goes out behind a progress dialog.
// The record itself cannot be edited: its menu keeps Copy and Select all and adds Paste.
class CCommEdit : public RecordView {
    Q_OBJECT
public:
    static constexpr std::size_t kAskAboveBytes = 4096;
    // A long paste goes no further ahead of the line than this: what waits in the port is the
    // most a stopped paste still sends, and a held-back line would otherwise gather all of it.
    static constexpr std::size_t kPasteAheadBytes = 256;

    explicit CCommEdit(QWidget* parent = nullptr);

    PortAccess* m_port = nullptr;
    bool m_localEcho = false;
    EnterKeyEnd m_sendLineEnd = EnterKeyEnd::CrLf;
    TextEncoding m_encoding = TextEncoding::Sjis;
    // Told each text local echo added to the record, after it was added; a backspace that took
    // the record's last character away is told as BS.
    std::function<void(std::u16string_view)> m_echoed;
    // Told the port's error when a typed write the port took fails later: the line was held
    // back past the port's grace, the device went, the port was closed first. Told once, then
    // again only after a typed write went out; a paste going out stops there.
    std::function<void(uint32_t error)> m_typedWriteFailed;

    void Paste(const QString& text);
    // The context menu: the standard one of a read-only text plus Paste. The caller owns it.
    QMenu* CreateContextMenu();
    // The long paste going out, if any.
    PasteSender* pasteInProgress() const { return m_paste; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Tab is a key to send, not a way out of the text area.
    bool focusNextPrevChild(bool) override { return false; }

private:
    // Keys as characters: CR stands for Enter and BS for Backspace.
    void Type(std::u16string_view keys);
    void Write(std::u16string_view key);
    Bytes KeyBytes(std::u16string_view key) const;
    void OnTypedWritten(uint32_t error);
    std::size_t TypedByteCount(std::u16string_view keys) const;
    bool PortOpen() const { return m_port != nullptr && m_port->IsOpen(); }

    QPointer<PasteSender> m_paste;
    bool m_typedFailureTold = false;
};

} // namespace wirevane
