#pragma once

#include "persistence/profile_store.h"
#include "platform/file_error.h"

#include <cstdint>

namespace wirevane {

// The program's own options for the run and the port, kept in the section of its own. A key is
// in the file only while its option differs from its default.
struct PortOptions {
    // How long a row that waits for an answer may wait, in ms; 0 waits without limit.
    int32_t answerTimeoutMs = 0;
    // After a lost port, watch for the same device to come back and reopen it.
    bool autoReconnect = false;
    // Ask a USB adapter to hand over received bytes at once rather than after its latency
    // timer; on unless turned off, since otherwise every answer comes up to 16 ms late.
    bool lowLatency = true;
    // Run the engine's and the port's threads at realtime priority while a run is active, so a
    // busy neighbour cannot make a row late; off unless the user asks, as it puts the program
    // before every other one.
    bool realtime = false;

    bool operator==(const PortOptions&) const = default;
};

// The longest answer time-out taken: a day, far below what a timer period holds.
inline constexpr int32_t kLongestAnswerTimeoutMs = 86'400'000;

// From the active profile file; a value out of range counts as off.
PortOptions ReadPortOptions(ProfileStore& store);
// Writes the keys that differ from the stored ones: an option at its default is removed
// rather than written, so that a file whose options are off is what it was without them.
platform::FileError WritePortOptions(ProfileStore& store, const PortOptions& options);

} // namespace wirevane
