#pragma once

#include "core/terminal_sink.h"

#include <string>

namespace wirevane::test {

// Keeps everything appended as one text.
class RecordingTerminal final : public TerminalSink {
public:
    void AppendText(std::u16string_view text) override { m_text += text; }
    bool IsLocalEcho() const override { return m_localEcho; }

    void setLocalEcho(bool on) { m_localEcho = on; }
    const std::u16string& text() const { return m_text; }
    void clear() { m_text.clear(); }

private:
    bool m_localEcho = false;
    std::u16string m_text;
};

} // namespace wirevane::test
