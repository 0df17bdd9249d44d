#pragma once

#include <QIcon>
#include <QPainter>
#include <functional>

namespace wirevane {

// Paints an icon's shapes into the given rectangle, in logical pixels.
using VectorDrawing = std::function<void(QPainter& painter, const QRectF& area)>;

// An icon drawn by code for each size and pixel ratio it is asked for (each one drawn once,
// then reused), so it stays sharp on any screen and never shows a scaled-up bitmap.
QIcon VectorIcon(VectorDrawing drawing);

} // namespace wirevane
