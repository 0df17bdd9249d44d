#pragma once

#include "core/answer_window.h"
#include "core/text_encoding.h"
#include "core/wait_kind.h"

#include <cstdint>

namespace wirevane {

// An on/off option that a settings file stores as a number. Any number but 0 is on, and the
// number read is written back as it was until the option is set, so a file holding CYCLIC=3
// saves as it loaded.
class StoredFlag {
public:
    StoredFlag() = default;
    // Implicit, so that setting the option reads as setting a bool.
    StoredFlag(bool on) : m_stored(on ? 1 : 0) {}
    static StoredFlag FromStored(int32_t stored)
    {
        StoredFlag flag;
        flag.m_stored = stored;
        return flag;
    }
    explicit operator bool() const { return m_stored != 0; }
    int32_t Stored() const { return m_stored; }

private:
    int32_t m_stored = 0;
};

// The run fields of the main window that the engine and the receive handler share. All of them
// are touched on the window thread only.
struct RunState {
    int32_t currentRow = 0;   // the row to send next, 0..99
    bool running = false;     // a run is active
    bool endReached = false;  // passed the last ticked row; next Send starts from the top
    uint64_t passesEnded = 0; // how often the run passed its last ticked row, cleared or not
    StoredFlag cyclic;        // repeat the table
    LineEndSuffix lineEnd = LineEndSuffix::CrLf; // appended to every sent row
    WaitKind waitKind = WaitKind::None;          // the pending wait
    bool rxDone = false;                         // the awaited byte has arrived
    uint8_t matchByte = 0;                       // the byte that ends a CR or NL wait
    bool stepMode = false;
    bool detailView = false;
    bool testerMode = false;
    bool stopOnFail = true; // a failed answer check stops the run on its row
    AnswerWindow answer;    // the answer of the checked row in progress
    TextEncoding encoding = TextEncoding::Sjis;

    // A row's answer is awaited: it waits for a byte, or its answer is being checked.
    bool AwaitsAnswer() const { return waitKind != WaitKind::None || answer.IsOpen(); }
};

} // namespace wirevane
