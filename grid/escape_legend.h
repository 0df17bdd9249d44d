#pragma once

#include "core/text_encoding.h"

#include <QString>
#include <span>
#include <string_view>

namespace wirevane {

// The escape notation a row text may carry, as the user is shown it: each escape, the byte it
// stands for, and an example row text. The example's bytes are not written here; they are what
// the encoding rules make of the example, so the legend cannot drift from what is sent.
struct EscapeLegendLine {
    const char16_t* escape;
    const char* byte; // a source text of the translation
    const char16_t* example;
};

std::span<const EscapeLegendLine> EscapeLegend();
// What the line's escape stands for, in the interface's language.
QString EscapeLineByte(const EscapeLegendLine& line);

// The bytes a row text sends in Shift_JIS mode, as hexadecimal pairs ("41 54 0D").
QString ExampleBytes(std::u16string_view example);

// The legend as a tooltip: a table of escape, byte and example with its bytes, and the
// remark that UTF-8 sends escapes as written.
QString EscapeLegendToolTip();

// In UTF-8 mode a row text goes out as written: a backslash in it stays a backslash, and the
// cell says so.
bool EscapesStayAsWritten(std::u16string_view text, TextEncoding encoding);

// Why a backslash in a text stays as written in UTF-8 mode.
QString Utf8EscapeNote();
// The short form of the note, drawn in the cell beside such a text.
QString Utf8EscapeMark();

} // namespace wirevane
