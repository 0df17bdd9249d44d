#pragma once

#include <QFont>

namespace wirevane {

// The fixed-pitch font of the send table and the terminal, at a height in pixels. The Japanese
// interface asks for "Courier New", as it always did, and so draws U+005C as its Japanese users
// are used to; any other language asks for the platform's Latin fixed-pitch faces first, so a
// backslash reads as one, and leaves only the Japanese characters to the fallback.
QFont FixedPitchFont(int pixelHeight);

} // namespace wirevane
