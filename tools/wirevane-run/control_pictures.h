#pragma once

#include <string>
#include <string_view>

namespace wirevane::runner {

// Appends text with its control characters made harmless to a terminal: a device's ESC, BEL or
// CSI would otherwise move the cursor, retitle the window or make the terminal answer into the
// shell's input. Tab, line feed and carriage return keep their work; the other C0 characters
// and DEL become their Unicode pictures (ESC shows as U+241B), the C1 characters, which have
// none, the replacement character.
void AppendWithControlPictures(std::u16string_view text, std::u16string& out);

} // namespace wirevane::runner
