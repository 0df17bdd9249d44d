#pragma once

#include "core/text_encoding.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace wirevane {

// The report lines of a row that could not be sent, without the brackets the terminal adds.
std::u16string WriteFailureText(std::u16string_view portName, uint32_t error);
std::u16string UnencodableRowText(int row, char32_t character, TextEncoding encoding);

} // namespace wirevane
