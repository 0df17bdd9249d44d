#include "serial/dialogs/com_select_dlg.h"

#include "serial/dialogs/port_dialog_ids.h"
#include "serial/dialogs/typed_port.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace wirevane {

CComSelectDlg::CComSelectDlg(QWidget* parent, CSerial* port, std::vector<PortChoice> ports)
    : QDialog(parent), m_ports(std::move(ports))
{
    setWindowTitle(QStringLiteral("COM port selection"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("COM port selection"), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_list = new QComboBox(group);
    m_list->setObjectName(QString::number(port_dialog::kPortList));
    m_list->setEditable(true);
    m_list->setInsertPolicy(QComboBox::NoInsert);
    m_list->setMinimumWidth(260);
    for (const PortChoice& choice : m_ports)
        m_list->addItem(QString::fromStdU16String(PortListText(choice)));
    m_list->setCurrentIndex(
        PreselectedPort(m_ports, port != nullptr ? port->DeviceName() : std::u16string()));
    groupLayout->addWidget(m_list);
    layout->addWidget(group);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QString::number(port_dialog::kOkButton));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CComSelectDlg::accept);
    buttons->addWidget(ok);
    auto* cancel = new QPushButton(tr("キャンセル"), this);
    cancel->setObjectName(QString::number(port_dialog::kCancelButton));
    connect(cancel, &QPushButton::clicked, this, &CComSelectDlg::reject);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
}

void CComSelectDlg::accept()
{
    const int index = m_list->currentIndex();
    if (index >= 0 && m_list->currentText() == m_list->itemText(index)) {
        m_selectedPort = m_ports[static_cast<std::size_t>(index)].portName;
        QDialog::accept();
        return;
    }
    // A name typed into the field, even one that starts like a listed port, is tried as the
    // runner tries its --port: as a path or a name. What cannot be a port is said here, where
    // the user can still correct it.
    const TypedPort typed = ResolveTypedPort(m_list->currentText().toStdU16String());
    const QString problem = TypedPortProblem(typed);
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), problem);
        m_list->setFocus();
        return;
    }
    m_selectedPort = typed.name;
    QDialog::accept();
}

} // namespace wirevane
