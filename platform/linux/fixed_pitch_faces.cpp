#include "platform/fixed_pitch_faces.h"

namespace wirevane::platform {

namespace {

// "Courier New" is seldom installed here, and what fontconfig offers in its place follows the
// desktop's language: on a Japanese desktop a Japanese face that draws U+005C as a yen sign.
constexpr const char* kFaces[] = {"DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono",
                                  "Nimbus Mono PS"};

} // namespace

std::span<const char* const> LatinFixedPitchFaces()
{
    return kFaces;
}

} // namespace wirevane::platform
