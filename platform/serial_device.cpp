#include "platform/serial_device.h"

#include "platform/serial_codes.h"

namespace wirevane::platform {

uint32_t SerialDevice::SetLowLatency(bool on)
{
    (void)on;
    return ERROR_INVALID_FUNCTION;
}

} // namespace wirevane::platform
