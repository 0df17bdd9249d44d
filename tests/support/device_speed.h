#pragma once

#include <cstdint>

namespace wirevane::test {

// The output speed the kernel holds for the terminal, in bits per second, also when it was set
// as a custom rate; 0 when it cannot be read.
uint32_t DeviceOutputSpeed(int fd);
// The input speed, the same way.
uint32_t DeviceInputSpeed(int fd);
// Whether both speeds are held as a number of their own (BOTHER) rather than one of the
// kernel's fixed rate codes.
bool DeviceSpeedIsCustom(int fd);

} // namespace wirevane::test
