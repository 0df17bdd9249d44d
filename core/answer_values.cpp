#include "core/answer_values.h"

#include <algorithm>

namespace wirevane {

namespace {

struct Reference {
    std::size_t begin; // the opening brace
    std::size_t end;   // past the closing brace
    std::optional<int> row;
    int group = 0;
};

// One to three digits at `at`, which moves past them.
std::optional<int> ReadNumber(std::u16string_view text, std::size_t& at)
{
    const std::size_t start = at;
    int value = 0;
    while (at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
        value = value * 10 + (text[at] - u'0');
        if (++at - start > 3)
            return std::nullopt;
    }
    if (at == start)
        return std::nullopt;
    return value;
}

std::optional<Reference> ReferenceAt(std::u16string_view text, std::size_t brace)
{
    Reference reference{brace, 0, std::nullopt};
    std::size_t at = brace + 1;
    if (at < text.size() && text[at] == u'R') {
        ++at;
        reference.row = ReadNumber(text, at);
        if (!reference.row || at >= text.size() || text[at] != u'.')
            return std::nullopt;
        ++at;
    }
    const std::optional<int> group = ReadNumber(text, at);
    if (!group || *group == 0 || at >= text.size() || text[at] != u'}')
        return std::nullopt;
    reference.group = *group;
    reference.end = at + 1;
    return reference;
}

// The characters an escape takes. Escapes are read from the row's encoded bytes (Shift_JIS
// ones for EUC-JP too, which is converted after): "\xHH" takes the two bytes after "\x" and
// "\oOOO" three, so a double-byte character stands for two digits; any other escape takes one
// character. A brace among them is the escape's.
std::size_t EscapeLength(std::u16string_view text, std::size_t backslash, TextEncoding encoding)
{
    if (backslash + 1 >= text.size())
        return 1;
    const char16_t kind = text[backslash + 1];
    if (kind != u'x' && kind != u'o')
        return 2;
    const TextEncoding escapesRead =
        encoding == TextEncoding::Utf8 ? TextEncoding::Utf8 : TextEncoding::Sjis;
    std::size_t digitBytes = kind == u'x' ? 2 : 3;
    std::size_t at = backslash + 2;
    while (digitBytes > 0 && at < text.size()) {
        const std::size_t units = UnitsOfCharacterAt(text, at);
        digitBytes -=
            std::min(digitBytes, TypedCharToBytes(text.substr(at, units), escapesRead).size());
        at += units;
    }
    return at - backslash;
}

std::vector<Reference> References(std::u16string_view text, TextEncoding encoding)
{
    std::vector<Reference> found;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == u'\\') {
            at += EscapeLength(text, at, encoding);
        } else if (const auto reference = text[at] == u'{' ? ReferenceAt(text, at) : std::nullopt) {
            found.push_back(*reference);
            at = reference->end;
        } else {
            ++at;
        }
    }
    return found;
}

} // namespace

void AnswerValues::Keep(int row, Groups groups)
{
    m_latest = groups;
    if (row >= 0 && row < SendTable::kRowCount)
        m_rows[static_cast<std::size_t>(row)] = std::move(groups);
}

void AnswerValues::Clear()
{
    for (Groups& groups : m_rows)
        groups.clear();
    m_latest.clear();
}

const Bytes* AnswerValues::Find(std::optional<int> row, int group) const
{
    if (row && (*row < 0 || *row >= SendTable::kRowCount))
        return nullptr;
    const Groups& groups = row ? m_rows[static_cast<std::size_t>(*row)] : m_latest;
    const auto index = static_cast<std::size_t>(group - 1);
    if (group < 1 || index >= groups.size() || !groups[index])
        return nullptr;
    return &*groups[index];
}

RowData RowDataWithValues(std::u16string_view text, TextEncoding encoding,
                          const AnswerValues& values)
{
    const std::vector<Reference> references = References(text, encoding);
    if (references.empty())
        return {RowTextToBytes(text, encoding), std::u16string(text), {}};
    RowData data;
    auto addText = [&](std::u16string_view piece) {
        const Bytes bytes = RowTextToBytes(piece, encoding);
        data.bytes.insert(data.bytes.end(), bytes.begin(), bytes.end());
        data.shown += piece;
    };
    std::size_t at = 0;
    for (const Reference& reference : references) {
        addText(text.substr(at, reference.begin - at));
        const Bytes* value = values.Find(reference.row, reference.group);
        if (value == nullptr)
            return {{},
                    {},
                    std::u16string(text.substr(reference.begin, reference.end - reference.begin))};
        data.bytes.insert(data.bytes.end(), value->begin(), value->end());
        data.shown += DecodeForDisplay(*value, ShownEncoding(encoding));
        at = reference.end;
    }
    addText(text.substr(at));
    return data;
}

} // namespace wirevane
