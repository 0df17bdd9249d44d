#pragma once

#include "core/terminal_sink.h"

#include <cstdint>

namespace wirevane::bench {

// A terminal that only counts the characters shown, so a benchmark measures the receive path
// rather than a growing text.
class CountingTerminal final : public TerminalSink {
public:
    void AppendText(std::u16string_view text) override { m_characters += text.size(); }
    bool IsLocalEcho() const override { return false; }
    uint64_t characters() const { return m_characters; }

private:
    uint64_t m_characters = 0;
};

} // namespace wirevane::bench
