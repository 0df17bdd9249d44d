#pragma once

#include "serial/serial.h"

#include <QWidget>
#include <cstdint>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace wirevane {

// "Events" page: the events the port watches and the event character. Validate checks the
// character (a whole number 0..255, else a message and the page stays) without touching the
// port; Apply validates, then writes the mask and the character to the port, and answers false
// when the port refuses either.
class CPageComEvents : public QWidget {
    Q_OBJECT
public:
    CPageComEvents(CSerial* port, QWidget* parent = nullptr);

    bool Validate();
    bool Apply();

private:
    void UpdateCharacterEnabling();
    std::optional<uint8_t> Character() const;

    CSerial* m_port;
    QCheckBox* m_boxes[9] = {};
    QCheckBox* m_eventCharBox = nullptr;
    QGroupBox* m_characterGroup = nullptr;
    QLabel* m_characterLabel = nullptr;
    QLineEdit* m_character = nullptr;
};

} // namespace wirevane
