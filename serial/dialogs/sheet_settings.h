#pragma once

#include "serial/serial.h"

#include <QDialog>

class QTabWidget;

namespace wirevane {

class CPageComEvents;
class CPageComSettings;

// "COM Settings": the "Settings" and "Events" pages over one port, with OK and Cancel only.
// OK checks every page the user has shown, then applies them, the first page always; a page
// that refuses keeps the sheet open on that page with the port as it was before OK. Cancel
// changes nothing on the port.
class CSheetSettings : public QDialog {
    Q_OBJECT
public:
    CSheetSettings(CSerial* port, QWidget* parent = nullptr);

    void accept() override;

private:
    QTabWidget* m_tabs = nullptr;
    CPageComSettings* m_settingsPage = nullptr;
    CPageComEvents* m_eventsPage = nullptr;
    bool m_eventsShown = false;
};

} // namespace wirevane
