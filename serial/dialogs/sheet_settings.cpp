#include "serial/dialogs/sheet_settings.h"

#include "serial/dialogs/page_com_events.h"
#include "serial/dialogs/page_com_settings.h"
#include "serial/dialogs/port_dialog_ids.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace wirevane {

CSheetSettings::CSheetSettings(CSerial* port, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("COM Settings"));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_settingsPage = new CPageComSettings(port, m_tabs);
    m_eventsPage = new CPageComEvents(port, m_tabs);
    m_tabs->addTab(m_settingsPage, QStringLiteral("Settings"));
    m_tabs->addTab(m_eventsPage, QStringLiteral("Events"));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_tabs->widget(index) == m_eventsPage)
            m_eventsShown = true;
    });
    layout->addWidget(m_tabs);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QString::number(port_dialog::kOkButton));
    buttons->button(QDialogButtonBox::Cancel)
        ->setObjectName(QString::number(port_dialog::kCancelButton));
    connect(buttons, &QDialogButtonBox::accepted, this, &CSheetSettings::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSheetSettings::reject);
    layout->addWidget(buttons);
}

void CSheetSettings::accept()
{
    // Every page is checked before any reaches the port, so a refused page leaves the port as
    // it was, and Cancel afterwards changes nothing.
    if (m_eventsShown && !m_eventsPage->Validate()) {
        m_tabs->setCurrentWidget(m_eventsPage);
        return;
    }
    if (!m_settingsPage->Apply()) {
        m_tabs->setCurrentWidget(m_settingsPage);
        return;
    }
    if (m_eventsShown && !m_eventsPage->Apply()) {
        m_settingsPage->Restore();
        m_tabs->setCurrentWidget(m_eventsPage);
        return;
    }
    QDialog::accept();
}

} // namespace wirevane
