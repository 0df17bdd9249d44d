#pragma once

#include "tools/wirevane-sim/append_log.h"
#include "tools/wirevane-sim/device_modes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace wirevane::sim {

// The device side of the port: the master end, and the slave end kept open so the master
// never reads EIO while no program has the port open.
struct Pty {
    int master = -1;
    int slave = -1;
    std::string path;

    void Close();
};

// Where received bytes are copied: a raw log and a hexadecimal one, each only when asked for.
struct ReceiveLogs {
    AppendLog raw;
    AppendLog hex;

    // On failure returns false and sets message.
    bool Open(const SimOptions& options, std::string& message);
    void Write(std::string_view bytes);
    bool failed() const { return raw.failed() || hex.failed(); }
};

// Runs the device on the port until it finishes, a signal stops it or the close-after count is
// reached (0), or polling fails (1, said on standard error).
int RunDevice(const SimOptions& options, const Pty& pty, int signals, ReceiveLogs& logs,
              std::unique_ptr<Behaviour> behaviour);

} // namespace wirevane::sim
