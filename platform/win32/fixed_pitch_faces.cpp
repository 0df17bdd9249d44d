#include "platform/fixed_pitch_faces.h"

namespace wirevane::platform {

namespace {

// Every Windows has it, and it draws U+005C as a backslash whatever the system's language.
constexpr const char* kFaces[] = {"Courier New"};

} // namespace

std::span<const char* const> LatinFixedPitchFaces()
{
    return kFaces;
}

} // namespace wirevane::platform
