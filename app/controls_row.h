#pragma once

#include "app/command_registry.h"

class QCheckBox;
class QComboBox;
class QWidget;

namespace wirevane {

// The row under the send table: repeat and step boxes, the line-end and encoding lists with
// their labels, and the push buttons that the window keeps hidden (their commands are on the
// toolbars; the enabling rules reach them too).
struct ControlsRow {
    QWidget* widget = nullptr;
    QCheckBox* cyclic = nullptr;
    QCheckBox* step = nullptr;
    QComboBox* lineEnd = nullptr;
    QComboBox* encoding = nullptr;
};

ControlsRow BuildControlsRow(QWidget* parent, CommandRegistry& commands);

} // namespace wirevane
