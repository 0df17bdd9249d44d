#pragma once

#include "serial/serial.h"

#include <QWidget>

class QButtonGroup;

namespace wirevane {

struct RadioGroup;

// "Settings" page: line settings and flow control. Selects the radio buttons from what the
// port holds when built; Apply writes the choice to the port. When the port refuses a value, the
// page puts back what the port held when the page was built, tells the user which value was
// refused, and answers false (the sheet then stays open). Restore puts those old values back
// after a successful Apply, for a sheet whose later page failed.
class CPageComSettings : public QWidget {
    Q_OBJECT
public:
    CPageComSettings(CSerial* port, QWidget* parent = nullptr);

    bool Apply();
    void Restore();

private:
    // One radio group with what the port held when the page was built.
    struct Group {
        QString title;
        const RadioGroup* choices = nullptr;
        QButtonGroup* buttons = nullptr;
        uint32_t old = 0;
    };

    Group AddGroup(const QString& title, const RadioGroup& group, const QStringList& texts,
                   uint32_t current, int row, int column);
    uint32_t Chosen(const Group& group) const;
    // The first line value, in the port's argument order, that the port refuses on top of the
    // values before it; the port holds the old settings again afterwards.
    const Group* FindRefusedLineValue();
    void ReportRefused(const Group& group);

    CSerial* m_port;
    Group m_baud;
    Group m_dataBits;
    Group m_parity;
    Group m_stopBits;
    Group m_handshake;
};

} // namespace wirevane
