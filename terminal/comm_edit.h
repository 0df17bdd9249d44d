#pragma once

#include "core/port_access.h"
#include "core/text_encoding.h"

#include <QPlainTextEdit>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

namespace wirevane {

// The terminal's text area. Every character typed into it goes to the port at once, one write
// per character (Enter by the send line end), and acts on the text only with local echo on.
// Text from the program is appended at the end, whatever the user's caret, and is gathered
// until the window thread is next idle so that a flood of small receive chunks costs one
// insertion rather than thousands. The text is kept in line form (see terminal_text.h); when an
// insertion would take it past the text limit, the whole text is cleared instead.
class CCommEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CCommEdit(QWidget* parent = nullptr);

    PortAccess* m_port = nullptr;
    bool m_localEcho = false;
    int32_t m_sendLineEnd = 1;
    TextEncoding m_encoding = kEncodingSjis;

    // Line-form text, already through the receive conversion.
    void AppendAtEnd(std::u16string_view lineForm);
    void Clear();
    // The whole text in line form, pending appends included.
    std::u16string LineFormText();
    // Characters in line form; a CR LF pair counts two.
    qint64 LineFormLength() const;

    void SetTextLimit(qint64 limit) { m_textLimit = limit; }
    qint64 TextLimit() const { return m_textLimit; }

    // Puts the gathered appends into the document now.
    void FlushPending();

signals:
    // An insertion would have passed the text limit.
    void MaxTextReached();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void WriteTyped(char16_t ch);
    void SelectLastCharacter();
    bool DocumentEndsInLoneCr() const;

    qint64 m_textLimit = 0xFFFFFFFFLL;
    std::u16string m_pending;
    bool m_flushQueued = false;
};

} // namespace wirevane
