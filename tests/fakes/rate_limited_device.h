#pragma once

#include "fakes/forwarding_device.h"
#include "platform/serial_codes.h"

#include <memory>
#include <utility>

namespace wirevane::test {

// A real device behind a driver that cannot go above a rate, as a USB adapter's chip cannot:
// asked for more, it sets its highest rate instead (what the port reads back and refuses), and
// a rate it was told to refuse outright fails the call with the system's words. A pseudo-
// terminal takes every rate, so the refusals of real drivers are played here.
class RateLimitedDevice final : public ForwardingDevice {
public:
    RateLimitedDevice(std::unique_ptr<platform::SerialDevice> inner, uint32_t highestRate,
                      uint32_t refusedRate)
        : ForwardingDevice(std::move(inner)), m_highestRate(highestRate), m_refusedRate(refusedRate)
    {
    }

    uint32_t SetLineSettings(const platform::LineSettings& settings) override
    {
        m_refusal = {};
        if (settings.baudRate == m_refusedRate) {
            m_refusal.systemText = "Invalid argument";
            return ERROR_INVALID_PARAMETER;
        }
        if (settings.baudRate > m_highestRate) {
            m_refusal.driverBaudRate = m_highestRate;
            return ERROR_INVALID_PARAMETER;
        }
        return ForwardingDevice::SetLineSettings(settings);
    }
    platform::LineSettingsRefusal LastLineSettingsRefusal() const override { return m_refusal; }

private:
    uint32_t m_highestRate;
    uint32_t m_refusedRate;
    platform::LineSettingsRefusal m_refusal;
};

} // namespace wirevane::test
