#include "platform/ini_document.h"

#include "platform/codepage.h"
#include "platform/utf_text.h"

#include <algorithm>
#include <utility>

namespace wirevane::platform {
namespace {

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

std::u16string_view trimmed(std::u16string_view text)
{
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char16_t foldCase(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

std::u16string folded(std::u16string_view name)
{
    std::u16string out(name);
    std::transform(out.begin(), out.end(), out.begin(), foldCase);
    return out;
}

bool sameName(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return foldCase(x) == foldCase(y); });
}

bool isQuote(char16_t c)
{
    return c == u'"' || c == u'\'';
}

bool isAscii(std::span<const uint8_t> bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b < 0x80; });
}

bool isAscii(std::u16string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

// A file without a byte-order mark is UTF-8 only when it is well-formed UTF-8 and holds a
// sequence of three bytes or more, as every kana and kanji in UTF-8 is. Well-formedness alone
// is not enough: half-width katakana pairs in code page 932 ("\xC3\xBD" for "ｽ" after "ﾃ")
// are also valid two-byte UTF-8 sequences of Latin letters, while a three-byte sequence needs
// a lead byte that code page 932 uses only for rarer kanji followed by two bytes of 80..BF.
bool readsAsUnmarkedUtf8(std::span<const uint8_t> bytes)
{
    bool longSequence = false;
    for (size_t i = 0; i < bytes.size();) {
        const Utf8Step step = DecodeUtf8Step(bytes, i);
        if (!step.valid) {
            return false;
        }
        longSequence = longSequence || step.length >= 3;
        i += step.length;
    }
    return longSequence;
}

std::u16string decodeCodePage932Line(std::span<const uint8_t> bytes)
{
    if (isAscii(bytes)) {
        return std::u16string(bytes.begin(), bytes.end());
    }
    return GetCodePage932().Decode(bytes);
}

// The code page 932 bytes of the text when they decode to the same text. Several characters
// share one code (U+00A5 YEN SIGN becomes the backslash byte, U+2212 MINUS SIGN and U+FF0D
// FULLWIDTH HYPHEN-MINUS both become 81 7C), and writing one of them would read back as another
// character, in a row text even as the escape backslash.
std::optional<std::vector<uint8_t>> faithfulCodePage932(std::u16string_view text)
{
    std::optional<std::vector<uint8_t>> encoded = GetCodePage932().EncodeStrict(text);
    if (encoded && GetCodePage932().Decode(*encoded) != text) {
        return std::nullopt;
    }
    return encoded;
}

// Calls onLine(begin, end) for each line of a byte form, while it returns true; CR LF, LF and a
// lone CR end a line. Returns whether the first line break is CR LF (true when there is none).
template <typename Unit, typename OnLine>
bool splitLines(std::span<const Unit> units, OnLine onLine)
{
    bool crlf = true;
    bool seenBreak = false;
    size_t start = 0;
    for (size_t i = 0; i < units.size(); ++i) {
        if (units[i] != '\r' && units[i] != '\n') {
            continue;
        }
        if (!onLine(start, i)) {
            return crlf;
        }
        bool pair = units[i] == '\r' && i + 1 < units.size() && units[i + 1] == '\n';
        if (!seenBreak) {
            crlf = pair;
            seenBreak = true;
        }
        if (pair) {
            ++i;
        }
        start = i + 1;
    }
    if (start < units.size()) {
        onLine(start, units.size());
    }
    return crlf;
}

std::u16string oneLine(std::u16string_view value)
{
    std::u16string out(value);
    std::replace_if(
        out.begin(), out.end(), [](char16_t c) { return c == u'\r' || c == u'\n' || c == 0; },
        u' ');
    return out;
}

} // namespace

std::u16string EncodeIniValue(std::u16string_view value)
{
    bool quote = !value.empty() &&
                 (isBlank(value.front()) || isBlank(value.back()) ||
                  (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front()));
    if (!quote) {
        return std::u16string(value);
    }
    std::u16string out;
    out.reserve(value.size() + 2);
    out.push_back(u'"');
    out.append(value);
    out.push_back(u'"');
    return out;
}

std::u16string DecodeIniValue(std::u16string_view stored)
{
    std::u16string_view value = trimmed(stored);
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::u16string(value);
}

IniDocument::Line IniDocument::parseLine(std::u16string text,
                                         std::optional<std::vector<uint8_t>> original)
{
    Line line;
    std::u16string_view view = text;
    if (size_t equals = view.find(u'='); equals != std::u16string_view::npos) {
        std::u16string_view key = trimmed(view.substr(0, equals));
        if (!key.empty()) {
            line.isKey = true;
            line.key = std::u16string(key);
            const std::u16string_view value = trimmed(view.substr(equals + 1));
            line.valueBegin = static_cast<size_t>(value.data() - view.data());
            line.valueLength = value.size();
        }
    }
    line.text = std::move(text);
    line.original = std::move(original);
    return line;
}

const IniDocument::Line* IniDocument::Section::findKey(std::u16string_view key) const
{
    auto found = keyIndex.find(folded(key));
    return found == keyIndex.end() ? nullptr : &lines[found->second];
}

void IniDocument::Section::addLine(Line line)
{
    if (line.isKey) {
        keyIndex.emplace(folded(line.key), lines.size());
    }
    lines.push_back(std::move(line));
}

IniDocument::Section IniDocument::makeSection(Line header)
{
    Section section;
    section.hasHeader = true;
    std::u16string_view view = trimmed(header.text);
    size_t close = view.rfind(u']');
    section.name = std::u16string(trimmed(view.substr(1, close - 1)));
    header.isKey = false;
    section.header = std::move(header);
    return section;
}

IniDocument IniDocument::parse(std::span<const uint8_t> bytes)
{
    IniDocument doc;
    doc.m_sections.emplace_back();
    size_t lines = 0;
    auto roomForLine = [&doc, &lines] {
        doc.m_complete = lines++ < kLineLimit;
        return doc.m_complete;
    };
    auto addLine = [&doc](std::u16string text, std::optional<std::vector<uint8_t>> original) {
        std::u16string_view view = trimmed(text);
        if (view.size() >= 2 && view.front() == u'[' && view.find(u']') != std::u16string::npos) {
            Line header;
            header.text = std::move(text);
            header.original = std::move(original);
            doc.m_sections.push_back(makeSection(std::move(header)));
            return;
        }
        doc.m_sections.back().addLine(parseLine(std::move(text), std::move(original)));
    };

    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        doc.m_form = IniTextForm::Utf16LeBom;
        std::u16string text = DecodeUtf16Le(bytes.subspan(2));
        std::span<const char16_t> units(text);
        doc.m_crlf = splitLines(units, [&](size_t begin, size_t end) {
            if (!roomForLine()) {
                return false;
            }
            addLine(text.substr(begin, end - begin), std::nullopt);
            return true;
        });
    } else {
        const bool marked =
            bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
        const bool unmarkedUtf8 = !marked && readsAsUnmarkedUtf8(bytes);
        doc.m_form = marked         ? IniTextForm::Utf8Bom
                     : unmarkedUtf8 ? IniTextForm::Utf8
                                    : IniTextForm::CodePage932;
        const bool utf8 = marked || unmarkedUtf8;
        std::span<const uint8_t> body = marked ? bytes.subspan(3) : bytes;
        doc.m_crlf = splitLines(body, [&](size_t begin, size_t end) {
            if (!roomForLine()) {
                return false;
            }
            std::span<const uint8_t> lineBytes = body.subspan(begin, end - begin);
            std::u16string text = utf8 ? DecodeUtf8(lineBytes) : decodeCodePage932Line(lineBytes);
            std::optional<std::vector<uint8_t>> original;
            if (!isAscii(lineBytes)) {
                original.emplace(lineBytes.begin(), lineBytes.end());
            }
            addLine(std::move(text), std::move(original));
            return true;
        });
    }
    doc.rebuildIndex();
    return doc;
}

std::vector<uint8_t> IniDocument::serialize() const
{
    std::vector<const Line*> lines;
    for (const Section& section : m_sections) {
        if (section.hasHeader) {
            lines.push_back(&section.header);
        }
        for (const Line& line : section.lines) {
            lines.push_back(&line);
        }
    }
    const std::u16string_view lineBreak = m_crlf ? u"\r\n" : u"\n";

    std::vector<uint8_t> out;
    if (m_form != IniTextForm::Utf16LeBom) {
        bool representable = true;
        if (m_form == IniTextForm::Utf8Bom) {
            out = {0xEF, 0xBB, 0xBF};
        }
        for (const Line* line : lines) {
            if (line->original) {
                out.insert(out.end(), line->original->begin(), line->original->end());
            } else if (m_form == IniTextForm::Utf8Bom || m_form == IniTextForm::Utf8) {
                AppendUtf8(line->text, out);
            } else if (isAscii(line->text)) {
                out.insert(out.end(), line->text.begin(), line->text.end());
            } else if (auto encoded = faithfulCodePage932(line->text)) {
                out.insert(out.end(), encoded->begin(), encoded->end());
            } else {
                representable = false;
                break;
            }
            out.insert(out.end(), lineBreak.begin(), lineBreak.end());
        }
        // Code page 932 bytes that happen to form UTF-8 would be read back as UTF-8, as other
        // characters: such a file is written in a form that says what it is.
        if (representable && m_form == IniTextForm::CodePage932 && readsAsUnmarkedUtf8(out)) {
            representable = false;
        }
        if (representable) {
            return out;
        }
        out.clear();
    }
    out = {0xFF, 0xFE};
    for (const Line* line : lines) {
        AppendUtf16Le(line->text, out);
        AppendUtf16Le(lineBreak, out);
    }
    return out;
}

void IniDocument::rebuildIndex()
{
    m_index.clear();
    for (size_t i = 0; i < m_sections.size(); ++i) {
        if (m_sections[i].hasHeader) {
            m_index.emplace(folded(m_sections[i].name), i);
        }
    }
}

const IniDocument::Section* IniDocument::findSection(std::u16string_view name) const
{
    auto found = m_index.find(folded(name));
    return found == m_index.end() ? nullptr : &m_sections[found->second];
}

IniDocument::Section* IniDocument::findSection(std::u16string_view name)
{
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

std::optional<std::u16string> IniDocument::value(std::u16string_view section,
                                                 std::u16string_view key) const
{
    const Section* found = findSection(section);
    const Line* line = found == nullptr ? nullptr : found->findKey(key);
    if (line == nullptr) {
        return std::nullopt;
    }
    return DecodeIniValue(line->storedValue());
}

std::u16string IniDocument::readString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view fallback) const
{
    std::optional<std::u16string> found = value(section, key);
    return found ? std::move(*found) : std::u16string(fallback);
}

int32_t IniDocument::readInt(std::u16string_view section, std::u16string_view key,
                             int32_t fallback) const
{
    std::optional<std::u16string> found = value(section, key);
    if (!found || found->empty()) {
        return fallback;
    }
    std::u16string_view text = trimmed(*found);
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    // Digits beyond 32 bits wrap, as the native reader does; unsigned arithmetic keeps that
    // defined.
    uint32_t number = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            break;
        }
        number = number * 10u + static_cast<uint32_t>(c - u'0');
    }
    return static_cast<int32_t>(negative ? 0u - number : number);
}

void IniDocument::writeString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view value)
{
    std::u16string stored = EncodeIniValue(oneLine(value));
    Section* found = findSection(section);
    if (found == nullptr) {
        Line header;
        header.text = u"[" + std::u16string(section) + u"]";
        m_sections.push_back(makeSection(std::move(header)));
        m_index.emplace(folded(m_sections.back().name), m_sections.size() - 1);
        found = &m_sections.back();
    }
    if (const Line* existing = found->findKey(key)) {
        Line& line = found->lines[static_cast<size_t>(existing - found->lines.data())];
        // A save writes back every value it read. A line whose value stays keeps its bytes: a
        // byte the code page cannot decode, or the second code of a character with two, would
        // otherwise be lost or changed by a save that edited nothing.
        if (line.storedValue() == stored)
            return;
        line = parseLine(line.key + u"=" + stored, std::nullopt);
        return;
    }
    // Blank lines at the end of a section stay between it and the next header.
    auto lastFilled = std::find_if(found->lines.rbegin(), found->lines.rend(),
                                   [](const Line& line) { return !trimmed(line.text).empty(); });
    const auto at = static_cast<size_t>(found->lines.rend() - lastFilled);
    found->keyIndex.emplace(folded(key), at);
    found->lines.insert(found->lines.begin() + static_cast<std::ptrdiff_t>(at),
                        parseLine(std::u16string(key) + u"=" + stored, std::nullopt));
}

void IniDocument::writeInt(std::u16string_view section, std::u16string_view key, int32_t value)
{
    std::string digits = std::to_string(value);
    writeString(section, key, std::u16string(digits.begin(), digits.end()));
}

void IniDocument::deleteSection(std::u16string_view section)
{
    size_t before = m_sections.size();
    std::erase_if(m_sections,
                  [section](const Section& s) { return s.hasHeader && sameName(s.name, section); });
    if (m_sections.size() != before) {
        rebuildIndex();
    }
}

void IniDocument::deleteKey(std::u16string_view section, std::u16string_view key)
{
    for (Section& found : m_sections) {
        if (!found.hasHeader || !sameName(found.name, section))
            continue;
        const size_t before = found.lines.size();
        std::erase_if(found.lines,
                      [key](const Line& line) { return line.isKey && sameName(line.key, key); });
        if (found.lines.size() == before)
            continue;
        found.keyIndex.clear();
        for (size_t i = 0; i < found.lines.size(); ++i) {
            if (found.lines[i].isKey)
                found.keyIndex.emplace(folded(found.lines[i].key), i);
        }
    }
}

std::vector<std::u16string> IniDocument::sectionNames() const
{
    std::vector<std::u16string> names;
    for (const Section& section : m_sections) {
        if (section.hasHeader && findSection(section.name) == &section) {
            names.push_back(section.name);
        }
    }
    return names;
}

std::vector<std::u16string> IniDocument::keyNames(std::u16string_view section) const
{
    std::vector<std::u16string> names;
    const Section* found = findSection(section);
    if (found == nullptr) {
        return names;
    }
    for (const Line& line : found->lines) {
        if (line.isKey && found->findKey(line.key) == &line) {
            names.push_back(line.key);
        }
    }
    return names;
}

} // namespace wirevane::platform
