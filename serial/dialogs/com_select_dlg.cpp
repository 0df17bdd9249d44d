#include "serial/dialogs/com_select_dlg.h"

#include <QComboBox>
#include <QGroupBox>
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
    m_list->setObjectName(QStringLiteral("1140"));
    m_list->setEditable(true);
    m_list->setInsertPolicy(QComboBox::NoInsert);
    m_list->setMinimumWidth(260);
    for (const PortChoice& choice : m_ports)
        m_list->addItem(QString::fromStdU16String(PortListText(choice)));
    m_list->setCurrentIndex(
        PreselectedPort(m_ports, port != nullptr ? port->DeviceName() : std::u16string()));
    groupLayout->addWidget(m_list);
    layout->addWidget(group);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CComSelectDlg::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

void CComSelectDlg::accept()
{
    const int index = m_list->currentIndex();
    // A name typed into the field is not a listed port, even if it starts like one.
    if (index < 0 || m_list->currentText() != m_list->itemText(index))
        return;
    m_selectedPort = m_ports[static_cast<std::size_t>(index)].portName;
    QDialog::accept();
}

} // namespace wirevane
