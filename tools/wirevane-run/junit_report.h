#pragma once

#include "core/text_encoding.h"
#include "platform/file_error.h"
#include "tools/wirevane-run/check_tally.h"

#include <filesystem>
#include <string>

namespace wirevane::runner {

// The checks of a run as the JUnit XML that CI servers read: one testsuite named after the table
// file, one testcase per checked row and cycle, a failure element with the expected and the
// received text for each failed one. The suite's counts and time take in every check; checks
// past the tally's limit are not listed, and its output says how many and how they went.
std::string JunitXml(const std::filesystem::path& tableFile, const CheckTally& checks,
                     TextEncoding encoding);

// Written whole or not at all.
platform::FileError WriteJunit(const std::filesystem::path& file,
                               const std::filesystem::path& tableFile, const CheckTally& checks,
                               TextEncoding encoding);

} // namespace wirevane::runner
