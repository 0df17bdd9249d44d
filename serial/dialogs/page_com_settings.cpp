#include "serial/dialogs/page_com_settings.h"

#include "serial/dialogs/com_settings_choices.h"
#include "serial/dialogs/port_dialog_ids.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace wirevane {

CPageComSettings::CPageComSettings(CSerial* port, QWidget* parent) : QWidget(parent), m_port(port)
{
    new QGridLayout(this);
    // Each value is read once, in the order the port's queries are listed.
    const uint32_t baud = m_port->GetBaudRate();
    const uint32_t dataBits = m_port->GetDataBits();
    const uint32_t parity = m_port->GetParity();
    const uint32_t stopBits = m_port->GetStopBits();
    const uint32_t handshake = m_port->GetHandshake();

    m_baud = AddBaudField(baud);
    m_dataBits = AddGroup(QStringLiteral("&Databits"), kDataBitsGroup,
                          {QStringLiteral("5 bits"), QStringLiteral("6 bits"),
                           QStringLiteral("7 bits"), QStringLiteral("8 bits")},
                          dataBits, 0, 1);
    m_parity = AddGroup(QStringLiteral("&Parity"), kParityGroup,
                        {QStringLiteral("None"), QStringLiteral("Odd"), QStringLiteral("Even"),
                         QStringLiteral("Mark"), QStringLiteral("Space")},
                        parity, 0, 2);
    m_stopBits =
        AddGroup(QStringLiteral("&Stopbits"), kStopBitsGroup,
                 {QStringLiteral("1 bit"), QStringLiteral("1.5 bit"), QStringLiteral("2 bits")},
                 stopBits, 1, 1);
    m_handshake = AddGroup(QStringLiteral("&Handshaking"), kHandshakeGroup,
                           {QStringLiteral("Off"), QStringLiteral("Software (XON/XOFF)"),
                            QStringLiteral("Hardware (RTS/CTS)")},
                           handshake, 1, 2);
    // Only an adapter that holds received bytes for a timer gets the line: the value read back
    // tells whether the low-latency request took.
    if (const std::optional<uint32_t> timer = m_port->UsbLatencyTimerMs()) {
        auto* label = new QLabel(tr("USB レイテンシタイマー: %1 ms").arg(*timer), this);
        label->setObjectName(QString::number(port_dialog::kLatencyTimerText));
        static_cast<QGridLayout*>(layout())->addWidget(label, 1, 0, Qt::AlignTop);
    }
}

CPageComSettings::Group CPageComSettings::AddGroup(const QString& title, const RadioGroup& group,
                                                   const QStringList& texts, uint32_t current,
                                                   int row, int column)
{
    auto* box = new QGroupBox(title, this);
    auto* boxLayout = new QVBoxLayout(box);
    auto* buttons = new QButtonGroup(this);
    const int selected = group.IdForValue(current);
    for (std::size_t i = 0; i < group.choices.size(); ++i) {
        const int id = group.choices[i].id;
        auto* radio = new QRadioButton(texts.at(static_cast<int>(i)), box);
        radio->setObjectName(QString::number(id));
        buttons->addButton(radio, id);
        boxLayout->addWidget(radio);
        if (id == selected)
            radio->setChecked(true);
    }
    boxLayout->addStretch(1);
    static_cast<QGridLayout*>(layout())->addWidget(box, row, column);
    QString shownTitle = title;
    shownTitle.remove(QLatin1Char('&'));
    return Group{shownTitle, &group, buttons, current};
}

CPageComSettings::Group CPageComSettings::AddBaudField(uint32_t current)
{
    const QString title = QStringLiteral("&Baudrate");
    auto* box = new QGroupBox(title, this);
    auto* boxLayout = new QVBoxLayout(box);
    auto* field = new QComboBox(box);
    field->setObjectName(QString::number(port_dialog::kBaudRateField));
    field->setEditable(true);
    field->setInsertPolicy(QComboBox::NoInsert);
    for (const uint32_t rate : kListedBaudRates)
        field->addItem(QString::number(rate));
    field->setEditText(QString::number(ShownBaudRate(current)));
    boxLayout->addWidget(field);
    boxLayout->addStretch(1);
    static_cast<QGridLayout*>(layout())->addWidget(box, 0, 0);
    QString shownTitle = title;
    shownTitle.remove(QLatin1Char('&'));
    return Group{shownTitle, nullptr, nullptr, current, field};
}

uint32_t CPageComSettings::Chosen(const Group& group) const
{
    if (group.field != nullptr)
        return ParseBaudRate(group.field->currentText().toStdU16String())
            .value_or(kNoRadioSelected);
    return group.choices->ValueForId(group.buttons->checkedId());
}

bool CPageComSettings::ValidateBaudRate()
{
    if (ParseBaudRate(m_baud.field->currentText().toStdU16String()))
        return true;
    QMessageBox::warning(this, window()->windowTitle(),
                         tr("ボーレートには %1 から %2 までの整数を入力してください。")
                             .arg(kLowestBaudRate)
                             .arg(kHighestBaudRate));
    m_baud.field->setFocus();
    m_baud.field->lineEdit()->selectAll();
    return false;
}

bool CPageComSettings::Apply()
{
    if (!ValidateBaudRate())
        return false;
    if (m_port->SetLineSettings(Chosen(m_baud), Chosen(m_dataBits), Chosen(m_parity),
                                Chosen(m_stopBits)) != 0) {
        QString driverAnswer;
        if (const Group* refused = FindRefusedLineValue(driverAnswer))
            ReportRefused(*refused, driverAnswer);
        return false;
    }
    if (m_port->SetHandshake(Chosen(m_handshake)) != 0) {
        Restore();
        ReportRefused(m_handshake);
        return false;
    }
    return true;
}

void CPageComSettings::Restore()
{
    m_port->SetLineSettings(m_baud.old, m_dataBits.old, m_parity.old, m_stopBits.old);
    m_port->SetHandshake(m_handshake.old);
}

const CPageComSettings::Group* CPageComSettings::FindRefusedLineValue(QString& driverAnswer)
{
    const Group* order[] = {&m_baud, &m_dataBits, &m_parity, &m_stopBits};
    uint32_t values[] = {m_baud.old, m_dataBits.old, m_parity.old, m_stopBits.old};
    const Group* refused = nullptr;
    for (std::size_t i = 0; i < 4 && refused == nullptr; ++i) {
        values[i] = Chosen(*order[i]);
        if (m_port->SetLineSettings(values[0], values[1], values[2], values[3]) != 0) {
            refused = order[i];
            // Taken now: putting the old settings back replaces the driver's answer.
            driverAnswer = DriverAnswer();
        }
    }
    Restore();
    return refused;
}

QString CPageComSettings::DriverAnswer() const
{
    const platform::LineSettingsRefusal refusal = m_port->LastLineSettingsRefusal();
    if (refusal.driverBaudRate != 0)
        return tr("ドライバーの応答: %1 bps に設定").arg(refusal.driverBaudRate);
    if (!refusal.systemText.empty())
        return tr("ドライバーの応答: %1").arg(QString::fromStdString(refusal.systemText));
    return {};
}

void CPageComSettings::ReportRefused(const Group& group, const QString& driverAnswer)
{
    QString value;
    if (group.field != nullptr) {
        value = group.field->currentText().trimmed();
    } else {
        const QAbstractButton* chosen = group.buttons->checkedButton();
        value = chosen != nullptr ? chosen->text() : tr("(未選択)");
    }
    QString message = tr("ポートが %1 「%2」を受け付けませんでした。\n"
                         "以前の設定のままです。")
                          .arg(group.title, value);
    if (!driverAnswer.isEmpty())
        message += QLatin1Char('\n') + driverAnswer;
    QMessageBox::warning(this, window()->windowTitle(), message);
}

} // namespace wirevane
