#pragma once

#include "platform/serial_device.h"

#include <memory>
#include <utility>

namespace wirevane::test {

// A real device with every call passed through, for fakes that change or watch one or two calls
// of a pseudo-terminal's device and leave the rest to it.
class ForwardingDevice : public platform::SerialDevice {
public:
    explicit ForwardingDevice(std::unique_ptr<platform::SerialDevice> inner)
        : m_inner(std::move(inner))
    {
    }

    uint32_t SetQueueSizes(uint32_t input, uint32_t output) override
    {
        return m_inner->SetQueueSizes(input, output);
    }
    uint32_t GetLineSettings(platform::LineSettings& settings) override
    {
        return m_inner->GetLineSettings(settings);
    }
    uint32_t SetLineSettings(const platform::LineSettings& settings) override
    {
        return m_inner->SetLineSettings(settings);
    }
    platform::LineSettingsRefusal LastLineSettingsRefusal() const override
    {
        return m_inner->LastLineSettingsRefusal();
    }
    uint32_t GetHandshake(uint32_t& mode) override { return m_inner->GetHandshake(mode); }
    uint32_t SetHandshake(uint32_t mode) override { return m_inner->SetHandshake(mode); }
    uint32_t GetEventCharacter(uint8_t& character) override
    {
        return m_inner->GetEventCharacter(character);
    }
    uint32_t SetEventCharacter(uint8_t character) override
    {
        return m_inner->SetEventCharacter(character);
    }
    uint32_t SetEventMask(uint32_t mask) override { return m_inner->SetEventMask(mask); }
    uint32_t WaitForEvent(uint32_t& events, uint32_t timeoutMs) override
    {
        return m_inner->WaitForEvent(events, timeoutMs);
    }
    uint32_t ClearErrors(uint32_t& errors) override { return m_inner->ClearErrors(errors); }
    uint32_t SetReadBlocking(bool blocking) override { return m_inner->SetReadBlocking(blocking); }
    uint32_t Read(std::span<uint8_t> buffer, std::size_t& bytesRead, uint32_t timeoutMs) override
    {
        return m_inner->Read(buffer, bytesRead, timeoutMs);
    }
    uint32_t Write(std::span<const uint8_t> bytes, std::size_t& bytesWritten,
                   uint32_t timeoutMs) override
    {
        return m_inner->Write(bytes, bytesWritten, timeoutMs);
    }
    uint32_t WriteWithoutWaiting(std::span<const uint8_t> bytes, std::size_t& bytesWritten) override
    {
        return m_inner->WriteWithoutWaiting(bytes, bytesWritten);
    }
    void SetWriteGrace(std::chrono::milliseconds grace) override { m_inner->SetWriteGrace(grace); }
    void CancelWrite() override { m_inner->CancelWrite(); }
    void ClearWriteCancel() override { m_inner->ClearWriteCancel(); }
    uint32_t GetModemStatus(uint32_t& status) override { return m_inner->GetModemStatus(status); }
    uint32_t SetBreak(bool on) override { return m_inner->SetBreak(on); }
    uint32_t SetLowLatency(bool on) override { return m_inner->SetLowLatency(on); }

private:
    std::unique_ptr<platform::SerialDevice> m_inner;
};

} // namespace wirevane::test
