#pragma once

#include "core/text_encoding.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace wirevane {

// The report lines of answer checks, without the brackets the terminal adds. The same words in
// the window and in the headless runner.
inline constexpr std::size_t kReceivedShownChars = 80;

// "Row 7 check failed: expected "OK\r", received "ERR 12\r"." The received bytes are decoded in
// the table's encoding, control bytes written as escapes, and cut after kReceivedShownChars
// characters with "…"; reason, when given, says why the expectation could not be checked.
std::u16string CheckFailedText(int row, std::u16string_view expected,
                               std::span<const uint8_t> received, TextEncoding encoding,
                               std::u16string_view reason);

// The received bytes as the report line shows them, without the cut.
std::u16string EscapedAnswer(std::span<const uint8_t> received, TextEncoding encoding);

// "Checks: 12 passed, 1 failed."
std::u16string ChecksCountedText(int64_t passed, int64_t failed);

// "Row 5 is not sent: {R7.1} has no value; no passing check of this run gave it."
std::u16string ValueMissingText(int row, std::u16string_view reference);

} // namespace wirevane
