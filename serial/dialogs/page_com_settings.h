#pragma once

#include "serial/serial.h"

#include <QWidget>

class QButtonGroup;
class QComboBox;

namespace wirevane {

struct RadioGroup;

// "Settings" page: line settings and flow control. Shows what the port holds when built: the
// rate in an editable field that lists the usual rates and takes any other typed one, the rest
// as radio buttons. Apply writes the choice to the port; a typed rate that is no rate at all is
// refused with a message before anything reaches the port. When the port refuses a value, the
// page puts back what the port held when the page was built, tells the user which value was
// refused (for the rate, with the driver's own answer), and answers false (the sheet then stays
// open). Restore puts those old values back after a successful Apply, for a sheet whose later
// page failed.
class CPageComSettings : public QWidget {
    Q_OBJECT
public:
    CPageComSettings(CSerial* port, QWidget* parent = nullptr);

    bool Apply();
    void Restore();

private:
    // One radio group, or the rate field, with what the port held when the page was built.
    struct Group {
        QString title;
        const RadioGroup* choices = nullptr;
        QButtonGroup* buttons = nullptr;
        uint32_t old = 0;
        QComboBox* field = nullptr;
    };

    Group AddGroup(const QString& title, const RadioGroup& group, const QStringList& texts,
                   uint32_t current, int row, int column);
    Group AddBaudField(uint32_t current);
    uint32_t Chosen(const Group& group) const;
    bool ValidateBaudRate();
    // The first line value, in the port's argument order, that the port refuses on top of the
    // values before it; the port holds the old settings again afterwards.
    const Group* FindRefusedLineValue(QString& driverAnswer);
    void ReportRefused(const Group& group, const QString& driverAnswer = {});
    QString DriverAnswer() const;

    CSerial* m_port;
    Group m_baud;
    Group m_dataBits;
    Group m_parity;
    Group m_stopBits;
    Group m_handshake;
};

} // namespace wirevane
