#pragma once

#include "core/terminal_sink.h"

#include <cstdio>
#include <vector>

namespace wirevane::runner {

// The terminal of a headless run: every appended text goes out at once as UTF-8, so a reader of
// the stream (a pipe, a log, a person) sees the traffic as it happens. Local echo is fixed for
// the run.
class Utf8OutputSink final : public TerminalSink {
public:
    Utf8OutputSink(std::FILE* stream, bool localEcho);

    void AppendText(std::u16string_view text) override;
    bool IsLocalEcho() const override { return m_localEcho; }

private:
    std::FILE* m_stream;
    bool m_localEcho;
    std::vector<uint8_t> m_buffer;
};

} // namespace wirevane::runner
