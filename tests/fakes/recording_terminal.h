#pragma once

#include "core/terminal_sink.h"

#include <string>
#include <vector>

namespace wirevane::test {

// Keeps everything appended, as one text and as the list of separate appends.
class RecordingTerminal final : public TerminalSink {
public:
    void AppendText(std::u16string_view text) override
    {
        m_text += text;
        m_appends.emplace_back(text);
    }
    bool IsLocalEcho() const override { return m_localEcho; }

    void setLocalEcho(bool on) { m_localEcho = on; }
    const std::u16string& text() const { return m_text; }
    const std::vector<std::u16string>& appends() const { return m_appends; }
    void clear()
    {
        m_text.clear();
        m_appends.clear();
    }

private:
    bool m_localEcho = false;
    std::u16string m_text;
    std::vector<std::u16string> m_appends;
};

} // namespace wirevane::test
