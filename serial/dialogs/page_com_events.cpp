#include "serial/dialogs/page_com_events.h"

#include "platform/serial_codes.h"
#include "serial/dialogs/port_dialog_ids.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace wirevane {

namespace {

struct EventBox {
    int id;
    const char16_t* text;
    uint32_t bit;
};

constexpr EventBox kEventBoxes[9] = {
    {port_dialog::kBreakEventBox, u"A break was detected on input", EV_BREAK},
    {port_dialog::kCtsEventBox, u"The CTS signal changed state", EV_CTS},
    {port_dialog::kDsrEventBox, u"The DSR signal changed state", EV_DSR},
    {port_dialog::kErrorEventBox, u"A line-status error occurred", EV_ERR},
    {port_dialog::kRingEventBox, u"A ring indicator was detected", EV_RING},
    {port_dialog::kRlsdEventBox, u"The RLSD signal changed state", EV_RLSD},
    {port_dialog::kReceivedEventBox, u"Data is received on input", EV_RXCHAR},
    {port_dialog::kEventCharacterBox, u"Event character was received on input", EV_RXFLAG},
    {port_dialog::kSentEventBox, u"Last character on output was sent", EV_TXEMPTY},
};

} // namespace

CPageComEvents::CPageComEvents(CSerial* port, QWidget* parent) : QWidget(parent), m_port(port)
{
    const uint32_t mask = m_port->GetEventMask();
    const uint8_t character = m_port->GetEventCharacter();

    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < 9; ++i) {
        const EventBox& event = kEventBoxes[i];
        m_boxes[i] = new QCheckBox(QString::fromUtf16(event.text), this);
        m_boxes[i]->setObjectName(QString::number(event.id));
        m_boxes[i]->setChecked((mask & event.bit) != 0);
        layout->addWidget(m_boxes[i]);
    }
    m_eventCharBox = m_boxes[7];

    m_characterGroup = new QGroupBox(QStringLiteral("Event &character"), this);
    m_characterGroup->setObjectName(QString::number(port_dialog::kEventCharacterGroup));
    auto* groupLayout = new QVBoxLayout(m_characterGroup);
    m_characterLabel =
        new QLabel(QStringLiteral("Decimal representation (0-255)"), m_characterGroup);
    m_characterLabel->setObjectName(QString::number(port_dialog::kEventCharacterLabel));
    m_character = new QLineEdit(QString::number(character), m_characterGroup);
    m_character->setObjectName(QString::number(port_dialog::kEventCharacterEdit));
    groupLayout->addWidget(m_characterLabel);
    groupLayout->addWidget(m_character);
    layout->addWidget(m_characterGroup);
    layout->addStretch(1);

    connect(m_eventCharBox, &QCheckBox::clicked, this, &CPageComEvents::UpdateCharacterEnabling);
    UpdateCharacterEnabling();
}

void CPageComEvents::UpdateCharacterEnabling()
{
    const bool enabled = m_eventCharBox->isChecked();
    m_characterGroup->setEnabled(enabled);
    m_characterLabel->setEnabled(enabled);
    m_character->setEnabled(enabled);
}

bool CPageComEvents::Validate()
{
    if (Character())
        return true;
    QMessageBox::warning(this, window()->windowTitle(),
                         tr("0 から 255 までの整数を入力してください。"));
    m_character->setFocus();
    m_character->selectAll();
    return false;
}

std::optional<uint8_t> CPageComEvents::Character() const
{
    bool isNumber = false;
    const int character = m_character->text().trimmed().toInt(&isNumber, 10);
    if (!isNumber || character < 0 || character > 255)
        return std::nullopt;
    return static_cast<uint8_t>(character);
}

bool CPageComEvents::Apply()
{
    if (!Validate())
        return false;
    uint32_t mask = 0;
    for (std::size_t i = 0; i < 9; ++i) {
        if (m_boxes[i]->isChecked())
            mask |= kEventBoxes[i].bit;
    }
    if (m_port->SetEventMask(mask) != 0)
        return false;
    return m_port->SetEventCharacter(*Character(), false) == 0;
}

} // namespace wirevane
