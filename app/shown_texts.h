#pragma once

#include <QString>
#include <string_view>

namespace wirevane {

// The connection state as the status bars show it. The connection code words it in the
// program's source language ("未接続", "接続 ttyUSB0: 9600BPS-8BIT-1-NONE"); the words are
// translated, the port's name and figures kept as they are.
QString ShownConnectionStatus(std::u16string_view status);

// A title or question the settings commands give their dialogs, translated; a text they do not
// use (a file's name) is shown as it is.
QString ShownCommandText(std::u16string_view text);

} // namespace wirevane
