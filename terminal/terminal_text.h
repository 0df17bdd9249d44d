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

// The terminal keeps its text in "line form": only a CR LF pair breaks a line, as in the text
// the user saves, while a lone CR or a lone LF stays inside its line. The edit widget breaks a
// line at either of them, so its document holds a CR LF pair as one paragraph break and each
// lone CR or LF as a stand-in character that does not break. The stand-ins are noncharacters
// the widget does not use itself (it keeps U+FDD0 and U+FDD1 for its frames).
inline constexpr char16_t kLoneCrStandIn = u'\uFDD2';
inline constexpr char16_t kLoneLfStandIn = u'\uFDD3';

struct EditFormText {
    std::u16string text;
    // The text starts with the LF of a CR that ends the document: the caller replaces the CR's
    // stand-in by the paragraph break and inserts the text without its first character.
    bool joinsPreviousCr = false;
};

EditFormText ToEditForm(std::u16string_view lineForm, bool documentEndsInLoneCr);

// Back from the document's plain text (paragraph breaks as LF) to line form.
std::u16string FromEditForm(std::u16string_view editForm);

} // namespace wirevane
