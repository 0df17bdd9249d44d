#pragma once

#include "core/text_encoding.h"
#include "platform/file_error.h"
#include "tools/wirevane-run/run_driver.h"

#include <filesystem>
#include <span>
#include <string>

namespace wirevane::runner {

// The checks of a run as the JUnit XML that CI servers read: one testsuite named after the table
// file, one testcase per checked row and cycle, a failure element with the expected and the
// received text for each failed one.
std::string JunitXml(const std::filesystem::path& tableFile, std::span<const CheckedRow> checks,
                     TextEncoding encoding);

// Written whole or not at all.
platform::FileError WriteJunit(const std::filesystem::path& file,
                               const std::filesystem::path& tableFile,
                               std::span<const CheckedRow> checks, TextEncoding encoding);

} // namespace wirevane::runner
