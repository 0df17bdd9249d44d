#pragma once

#include "platform/serial_device.h"

#include <cstdint>
#include <string>

namespace wirevane::runner {

// A port error value in words for a one-line message, with the value itself so a report can
// be matched with the port layer's documentation.
std::string PortErrorText(uint32_t error);

// Why the port at path (shown to the user as name) did not open, for the one line that ends
// the run: the system's own reason where the failed open (openError) tells one (a permission
// the user lacks, a program that holds the port), else error, what Open answered, in words.
std::string PortOpenErrorText(const std::string& name, const std::string& path, uint32_t error,
                              const platform::PortOpenError& openError);

} // namespace wirevane::runner
