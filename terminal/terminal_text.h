#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wirevane {

// The receive line-end conversion chosen in the terminal's bottom row.
inline constexpr int32_t kReceiveUnchanged = 0;
inline constexpr int32_t kReceiveCrToCrLf = 1;
inline constexpr int32_t kReceiveLfToCrLf = 2;

// One left-to-right pass: conversion 1 turns every CR into CR LF, 2 every LF into CR LF; any
// other value leaves the text as it came.
std::u16string ApplyReceiveConversion(std::u16string_view text, int32_t conversion);

// Pasted text as the keys that would type it: every line break (CR LF, a lone CR or a lone LF)
// becomes one Enter, written here as CR.
std::u16string PastedAsTyped(std::u16string_view pasted);

} // namespace wirevane
