#pragma once

#include "core/terminal_sink.h"

#include <cstdio>
#include <string>
#include <vector>

namespace wirevane::runner {

// The terminal of a headless run, as UTF-8 on a stream. Appended text is held in the stream's
// buffer until Flush, which the run calls each time its loop is about to wait: a reader of the
// stream (a pipe, a log, a person) still sees the traffic as it happens, but the write to the
// stream no longer stands between an answer and the next row. Local echo is fixed for the run.
// On a terminal the control characters are shown as pictures; into a pipe or a file the text
// goes as it came, for the programs that read it.
class Utf8OutputSink final : public TerminalSink {
public:
    Utf8OutputSink(std::FILE* stream, bool localEcho, bool controlPictures);

    void AppendText(std::u16string_view text) override;
    bool IsLocalEcho() const override { return m_localEcho; }
    void Flush();
    // The first error met in writing the stream, 0 when none. A reader that has gone away (the
    // output piped into head) is not one: it ends nothing the user asked for.
    int writeError() const { return m_writeError; }

private:
    void NoteFailure(int error);

    std::FILE* m_stream;
    bool m_localEcho;
    bool m_controlPictures;
    std::u16string m_pictured;
    std::vector<uint8_t> m_buffer;
    int m_writeError = 0;
};

} // namespace wirevane::runner
