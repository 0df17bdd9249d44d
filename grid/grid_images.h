#pragma once

#include <QIcon>

namespace wirevane {

// The send table's pictures, drawn as vector shapes for whatever size and pixel ratio a view asks
// for, so they stay sharp at any scale.
//
// Row markers: 1 "sent", 2 "waiting for reception", 3 "halted by step mode", 4 "halted",
// 5 "answer passed its check", 6 "answer failed its check"; any other index (0 included) is the
// null icon, which draws nothing.
QIcon MarkerIcon(int index);

// The check cells' box, empty or ticked.
QIcon CheckBoxIcon(bool ticked);

} // namespace wirevane
