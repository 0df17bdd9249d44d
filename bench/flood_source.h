#pragma once

#include "support/pty_pair.h"
#include "terminal/terminal_rig.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <thread>

namespace wirevane::bench {

// Numbered lines of 80 bytes with their ending, as many as fit in `bytes`: the shape of a
// device reporting values, and each line differs so that a lost one would show.
inline std::string NumberedLines(std::size_t bytes, std::string_view ending)
{
    std::string all;
    all.reserve(bytes);
    for (std::size_t i = 0; all.size() + 80 <= bytes; ++i) {
        std::string line = "VALUE=" + std::to_string(i);
        line.resize(80 - ending.size(), '.');
        all += line;
        all += ending;
    }
    return all;
}

// Connects the rig's terminal to the slave side of `device`; says why on standard output when
// it cannot, under the benchmark case's name.
inline bool ConnectRig(test::TerminalRig& rig, test::PtyPair& device, const char* name)
{
    rig.port().SetDeviceName(device.slavePathU16());
    if (rig.connection().OpenSelected())
        return true;
    std::printf("%s: cannot open the pseudo-terminal\n", name);
    return false;
}

// Writes `sent` from the device side in 64 KiB pieces on a thread of its own, as fast as the
// pseudo-terminal takes it; the caller joins it once the terminal has read the last byte.
inline std::thread SendFromDevice(test::PtyPair& device, const std::string& sent)
{
    return std::thread([&device, &sent] {
        for (std::size_t at = 0; at < sent.size(); at += 64 * 1024)
            device.WriteMaster(std::string_view(sent).substr(at, 64 * 1024));
    });
}

} // namespace wirevane::bench
