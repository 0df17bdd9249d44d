#pragma once

#include "serial/serial.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace wirevane {

// "Events" page: the events the port watches and the event character. Apply checks the
// character (a whole number 0..255, else a message and the page stays), then writes the mask
// and the character to the port, and answers false when the port refuses either.
class CPageComEvents : public QWidget {
    Q_OBJECT
public:
    CPageComEvents(CSerial* port, QWidget* parent = nullptr);

    bool Apply();

private:
    void UpdateCharacterEnabling();

    CSerial* m_port;
    QCheckBox* m_boxes[9] = {};
    QCheckBox* m_eventCharBox = nullptr;
    QGroupBox* m_characterGroup = nullptr;
    QLabel* m_characterLabel = nullptr;
    QLineEdit* m_character = nullptr;
};

} // namespace wirevane
