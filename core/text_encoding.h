#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane {

using Bytes = std::vector<uint8_t>;

// The encoding of text on the line, shared by the main window and the terminal, numbered as the
// settings file stores it (ENCODE). A file may hold any number; the type keeps it, and each
// operation says what it does with a number without a name.
enum class TextEncoding : int32_t { Sjis = 0, Utf8 = 1, Euc = 2 };

// Every named encoding, in the order of both windows' encoding lists and menu items.
inline constexpr TextEncoding kTextEncodings[] = {TextEncoding::Sjis, TextEncoding::Utf8,
                                                  TextEncoding::Euc};

bool IsNamed(TextEncoding encoding);

// The encoding the windows show and the terminal decodes with: a number without a name is
// shown, and received text decoded, as Shift_JIS.
TextEncoding ShownEncoding(TextEncoding encoding);

// The text of the encoding's list item and menu item: "SJIS", "UTF-8", "EUC".
std::u16string_view TextEncodingName(TextEncoding encoding);

// Bytes appended to every sent row, numbered as the settings file stores them (TERNINATOR). A
// file may hold any number; the suffix keeps it, and any value not named here sends CR+NL.
enum class LineEndSuffix : int32_t { None = 0, Cr = 1, CrLf = 2, Lf = 3 };

// Every named suffix, in the order of the main window's line-end list.
inline constexpr LineEndSuffix kLineEndSuffixes[] = {LineEndSuffix::None, LineEndSuffix::Cr,
                                                     LineEndSuffix::CrLf, LineEndSuffix::Lf};

bool IsNamed(LineEndSuffix suffix);

// What the terminal's Enter key sends, numbered as its list shows them; any other value sends
// CR+NL. Not the same numbering as LineEndSuffix.
enum class EnterKeyEnd : int32_t { Cr = 0, CrLf = 1, Lf = 2 };

// Every Enter key end, in the order of the terminal's send line-end list.
inline constexpr EnterKeyEnd kEnterKeyEnds[] = {EnterKeyEnd::Cr, EnterKeyEnd::CrLf,
                                                EnterKeyEnd::Lf};

// The bytes written for one row's text, before the line-end suffix. Empty: nothing to write.
// In Shift_JIS and EUC-JP a row with a character that code page 932 lacks cannot be written as
// it stands; RowTextToBytes then answers empty and RowTextUnencodable names that character.
Bytes RowTextToBytes(std::u16string_view text, TextEncoding encoding);

// The first character (a whole code point) of the text that the encoding cannot carry; none in
// UTF-8, where every character has a form.
std::optional<char32_t> RowTextUnencodable(std::u16string_view text, TextEncoding encoding);

// Expands the backslash escapes of a row text's code page 932 bytes. Never longer than input.
Bytes ExpandEscapes(std::span<const uint8_t> in);

// JIS X 0208 code of a Shift_JIS pair (IBM extensions moved to their NEC codes first), 0 when
// the pair has none.
uint16_t SjisToJis(uint8_t lead, uint8_t trail);
// Shift_JIS code of a JIS X 0208 code, 0 when either byte is outside 0x21..0x7E.
uint16_t JisToSjis(uint16_t jis);

// Shift_JIS to EUC-JP and back. The results carry no terminator; conversion of the input stops
// at its end, not at a zero byte.
Bytes SjisToEuc(std::span<const uint8_t> in);
Bytes EucToSjis(std::span<const uint8_t> in);

// UTF-8 (read up to its first zero byte) to code page 932, "?" for what code page 932 lacks.
Bytes Utf8ToAnsi(std::span<const uint8_t> in);

std::span<const uint8_t> LineEndBytes(LineEndSuffix suffix);

// How many UTF-16 units the character at text[at] takes: 2 where a surrogate pair starts, else 1.
std::size_t UnitsOfCharacterAt(std::u16string_view text, std::size_t at);

// The bytes of one typed character, a single UTF-16 unit or a surrogate pair; never a
// terminator. A character beyond 16 bits is one character on the line, never two halves.
Bytes TypedCharToBytes(std::u16string_view character, TextEncoding encoding);

Bytes EnterKeyBytes(EnterKeyEnd end);

// How many bytes make up the character that starts with this byte (1..4). For an encoding
// outside 0..2 received data is not decoded at all; the answer is then 1.
int CharLength(uint8_t first, TextEncoding encoding);

// The text of a run of whole characters in the given encoding.
std::u16string DecodeForDisplay(std::span<const uint8_t> run, TextEncoding encoding);

} // namespace wirevane
