#pragma once

#include "serial/dialogs/port_list.h"
#include "serial/serial.h"

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;

namespace wirevane {

// "COM port selection": lists the given ports in their order, preselects the port object's
// current port, and on OK holds the chosen bare port name. A name typed into the field is taken
// when it leads to a device the user may open; otherwise a message says why and the dialog
// stays open. Cancel, Escape and the close box leave the name empty and try nothing.
class CComSelectDlg : public QDialog {
    Q_OBJECT
public:
    CComSelectDlg(QWidget* parent, CSerial* port, std::vector<PortChoice> ports);

    const std::u16string& selectedPort() const { return m_selectedPort; }

    void accept() override;

private:
    std::u16string m_selectedPort;
    std::vector<PortChoice> m_ports;
    QComboBox* m_list = nullptr;
};

} // namespace wirevane
