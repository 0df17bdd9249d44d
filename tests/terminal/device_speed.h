#pragma once

#include <cstdint>

namespace wirevane::test {

// The output speed the kernel holds for the terminal, in bits per second, also when it was set
// as a custom rate; 0 when it cannot be read.
uint32_t DeviceOutputSpeed(int fd);

} // namespace wirevane::test
