#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace wirevane::platform {

// How the bytes of an INI file hold its text. Files without a byte-order mark are code page 932,
// as the native program writes them, except one that is well-formed UTF-8 with at least one
// character of three bytes or more: that is a file saved by a UTF-8 editor, and reading it as
// code page 932 would garble it and the next save would destroy it. Such a file is read and
// written back as UTF-8 without a mark.
enum class IniTextForm { CodePage932, Utf8, Utf8Bom, Utf16LeBom };

// One INI file in memory, read and edited with the semantics of the native private-profile
// functions: section and key names match without regard to ASCII letter case, the first section
// and the first key of a name win, white space around a value is not part of it, a replaced key
// keeps its place, a new key goes after the last line of its section and a new section at the
// end. Lines that are neither a section header nor a key line (comments, blank lines, anything
// else) and lines that are not edited come out exactly as they went in, byte for byte.
//
// Values are stored so that they read back exactly as written: a value with white space at
// either end, or that begins and ends with the same quote character, is written inside one more
// pair of double quotes, and reading trims the value and then strips one enclosing pair of
// matching quotes (as the native functions do). Line breaks and NUL cannot be held on one line
// and are written as blanks.
//
// A code page 932 file that is given a value code page 932 cannot hold, or can hold only as
// the code of another character, is written back as
// UTF-16LE with a byte-order mark, which the native functions also read, rather than losing the
// characters.
class IniDocument {
public:
    // Far more lines than any settings file holds. A line in memory costs some two hundred bytes
    // whatever its length, so a file of nothing but line breaks took two hundred times its size:
    // several gigabytes for one that passes the read's size limit.
    static constexpr size_t kLineLimit = 100'000;

    IniDocument() = default;
    // Reads at most kLineLimit lines; complete() says whether that was all of them.
    static IniDocument parse(std::span<const uint8_t> bytes);
    std::vector<uint8_t> serialize() const;

    IniTextForm form() const { return m_form; }
    // False when the bytes held more than kLineLimit lines: the rest was not read, and the
    // document is no copy of the file to write back.
    bool complete() const { return m_complete; }

    // The value, or nothing when the section or the key is missing.
    std::optional<std::u16string> value(std::u16string_view section, std::u16string_view key) const;
    std::u16string readString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view fallback) const;
    // The value's leading decimal number (0 when it has none), or the fallback when the key is
    // missing or its value empty.
    int32_t readInt(std::u16string_view section, std::u16string_view key, int32_t fallback) const;

    void writeString(std::u16string_view section, std::u16string_view key,
                     std::u16string_view value);
    void writeInt(std::u16string_view section, std::u16string_view key, int32_t value);
    // Removes the section header and every line up to the next section.
    void deleteSection(std::u16string_view section);
    // Removes every line of the key from the section; the other lines stay as they are.
    void deleteKey(std::u16string_view section, std::u16string_view key);

    // Names as they stand in the file, in file order, each name once.
    std::vector<std::u16string> sectionNames() const;
    std::vector<std::u16string> keyNames(std::u16string_view section) const;

private:
    struct Line {
        std::u16string text;
        // The line's bytes as read, written back while the line is unchanged so that bytes
        // the decoder could not map survive. An ASCII line needs none: its text is its bytes.
        std::optional<std::vector<uint8_t>> original;
        bool isKey = false;
        std::u16string key;
        // Where the value stands in text after the equals sign, trimmed; a place rather than a
        // copy, so that a long value is held once.
        size_t valueBegin = 0;
        size_t valueLength = 0;

        std::u16string_view storedValue() const
        {
            return std::u16string_view(text).substr(valueBegin, valueLength);
        }
    };
    struct Section {
        bool hasHeader = false; // false only for the lines before the first header
        std::u16string name;
        Line header;
        std::vector<Line> lines;
        // Lower-cased key name -> index in lines of its first key line. New keys go after the
        // last line that is not blank, so no key line ever moves and the index stays valid.
        std::unordered_map<std::u16string, size_t> keyIndex;

        const Line* findKey(std::u16string_view key) const;
        void addLine(Line line);
    };

    static Line parseLine(std::u16string text, std::optional<std::vector<uint8_t>> original);
    static Section makeSection(Line header);
    Section* findSection(std::u16string_view name);
    const Section* findSection(std::u16string_view name) const;
    void rebuildIndex();

    IniTextForm m_form = IniTextForm::CodePage932;
    bool m_crlf = true;
    bool m_complete = true;
    std::vector<Section> m_sections;
    // Lower-cased section name -> index of its first section in m_sections.
    std::unordered_map<std::u16string, size_t> m_index;
};

// The text that stands in the file for the value, and back; exposed for tests and the fuzzer.
std::u16string EncodeIniValue(std::u16string_view value);
std::u16string DecodeIniValue(std::u16string_view stored);

} // namespace wirevane::platform
