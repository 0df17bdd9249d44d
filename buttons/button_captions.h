#pragma once

#include "buttons/file/button_file.h"

#include <QCoreApplication>
#include <QString>

namespace wirevane {

// What the side buttons do; 0 hides them.
enum SlotMode : int32_t {
    kSlotModeHidden = 0,
    kSlotModeRegister = 1,
    kSlotModeUnregister = -1,
    kSlotModeRename = 2,
};

inline QString ButtonCaption(const ButtonSlot& slot)
{
    return slot.text.empty() ? QCoreApplication::translate("ButtonCaptions", "<未登録>")
                             : QString::fromStdU16String(slot.text);
}

// "<g+1> title"; an empty title leaves the number and one blank.
inline QString GroupItemText(int group, const std::u16string& title)
{
    return QStringLiteral("<%1> %2").arg(group + 1).arg(QString::fromStdU16String(title));
}

inline QString SideButtonCaption(int32_t mode)
{
    switch (mode) {
    case kSlotModeRegister:
        return QCoreApplication::translate("ButtonCaptions", "登録");
    case kSlotModeUnregister:
        return QCoreApplication::translate("ButtonCaptions", "解除");
    case kSlotModeRename:
        return QCoreApplication::translate("ButtonCaptions", "ボタン名");
    default:
        return QStringLiteral("----");
    }
}

} // namespace wirevane
