#pragma once

#include "serial/serial.h"

#include <QWidget>

class QButtonGroup;

namespace wirevane {

struct RadioGroup;

// "Settings" page: line settings and flow control. Selects the radio buttons from what the
// port holds when built; Apply writes the choice to the port and answers false (the sheet then
// stays open) when the port refuses either part.
class CPageComSettings : public QWidget {
    Q_OBJECT
public:
    CPageComSettings(CSerial* port, QWidget* parent = nullptr);

    bool Apply();

private:
    QButtonGroup* AddGroup(const QString& title, const RadioGroup& group, const QStringList& texts,
                           uint32_t current, int row, int column);
    uint32_t Chosen(const QButtonGroup* buttons, const RadioGroup& group) const;

    CSerial* m_port;
    QButtonGroup* m_baud = nullptr;
    QButtonGroup* m_dataBits = nullptr;
    QButtonGroup* m_handshake = nullptr;
    QButtonGroup* m_parity = nullptr;
    QButtonGroup* m_stopBits = nullptr;
};

} // namespace wirevane
