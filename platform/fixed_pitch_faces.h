#pragma once

#include <span>

namespace wirevane::platform {

// Installed faces that draw Latin text in fixed pitch, with U+005C as a backslash, in the order
// they are asked for. Characters they lack (Japanese ones) are drawn by the system's fallback.
std::span<const char* const> LatinFixedPitchFaces();

} // namespace wirevane::platform
