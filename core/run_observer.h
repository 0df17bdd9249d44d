#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace wirevane {

// The window side of a run: the enabling of the run commands, and the button array's status line
// that shows the last sent text.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void UpdateRunControls(bool running) = 0;
    virtual void SetStatusText(std::u16string_view text) = 0;
    // A row could not be sent and the run stopped on it; report is the terminal's line for it.
    // The window has said it in the terminal already; a runner without one says it itself.
    virtual void RowFailed(int /*row*/, std::u16string_view /*report*/) {}
    // The end of a run (its last row, a stop or a halt) of a table with a checked row: the
    // count of passed and failed checks in that run, every cycle counted.
    virtual void ChecksCounted(int64_t /*passed*/, int64_t /*failed*/) {}
    // A checked row's verdict, with the answer it was decided on; report is the terminal's line
    // of a failed check (empty on a pass).
    virtual void RowChecked(int /*row*/, bool /*passed*/, std::span<const uint8_t> /*answer*/,
                            std::u16string_view /*report*/)
    {
    }
};

} // namespace wirevane
