#pragma once

#include <QIcon>
#include <QPainter>
#include <functional>

namespace wirevane {

// An icon drawn by code at whatever size and pixel ratio it is asked for, so it stays sharp on
// any screen. The function paints into a square of the given side, in logical pixels.
using IconPainter = std::function<void(QPainter& painter, qreal side)>;

QIcon PaintedIcon(IconPainter paint);

} // namespace wirevane
