#include "serial/qt/qt_serial_port.h"

#include "platform/qt/qt_message_target.h"

namespace wirevane {

QtSerialPort::QtSerialPort()
    : CSerialMFC([this](std::function<void()> call) {
          QMetaObject::invokeMethod(&m_completions, std::move(call), Qt::QueuedConnection);
      })
{
}

QtSerialPort::~QtSerialPort()
{
    QtSerialPort::Close();
}

uint32_t QtSerialPort::Open(const std::u16string& path, QObject* window, uint32_t message,
                            intptr_t messageParam, uint32_t inputQueueSize,
                            uint32_t outputQueueSize)
{
    return CSerialMFC::Open(path,
                            window ? std::make_unique<platform::QtMessageTarget>(window) : nullptr,
                            message, messageParam, inputQueueSize, outputQueueSize);
}

} // namespace wirevane
