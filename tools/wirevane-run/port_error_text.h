#pragma once

#include <cstdint>
#include <string>

namespace wirevane::runner {

// A port error value in words for a one-line message, with the value itself so a report can
// be matched with the port layer's documentation.
std::string PortErrorText(uint32_t error);

} // namespace wirevane::runner
