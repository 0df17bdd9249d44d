#include "platform/codepage.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace wirevane::platform {

namespace {

// One converter per direction and thread: iconv descriptors carry state and are not thread-safe.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        // iconv_open's failure value is the pointer-sized -1 its interface defines.
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    iconv_t get()
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return m_cd;
    }

private:
    iconv_t m_cd;
};

Converter& FromCp932()
{
    thread_local Converter converter("UTF-16LE", "CP932");
    return converter;
}

// The form of every BMP unit: one byte (0x00-0xFF), two bytes (the lead byte, 0x81 or above, in
// the high half), or kNoForm. Code page 932 has no state between characters, so a text's form is
// its units' forms one after the other. Asking iconv once a unit costs each unit without a form a
// failed call and a reset (~0.3 us): a terminal record of a device's noise, millions of U+FFFD,
// would keep the window waiting seconds on its save. The table is asked of iconv once, in ~4 ms.
constexpr uint16_t kNoForm = 0xFFFF;

std::vector<uint16_t> AskForms()
{
    std::vector<uint16_t> forms(0x10000, kNoForm);
    Converter converter("CP932", "UTF-16LE");
    for (uint32_t unit = 0; unit < 0x10000; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF)
            continue;
        const char16_t in16 = static_cast<char16_t>(unit);
        char* in = const_cast<char*>(reinterpret_cast<const char*>(&in16));
        std::size_t inLeft = sizeof in16;
        unsigned char bytes[4] = {};
        char* out = reinterpret_cast<char*>(bytes);
        std::size_t outLeft = sizeof bytes;
        if (iconv(converter.get(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
            continue;
        const std::size_t length = sizeof bytes - outLeft;
        if (length == 1)
            forms[unit] = bytes[0];
        else if (length == 2)
            forms[unit] = static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
    }
    return forms;
}

const std::vector<uint16_t>& Forms()
{
    static const std::vector<uint16_t> forms = AskForms();
    return forms;
}

bool IsSurrogatePair(std::u16string_view text, std::size_t at)
{
    return at + 1 < text.size() && text[at] >= 0xD800 && text[at] <= 0xDBFF &&
           text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF;
}

// The text's form; a unit without one (a surrogate pair counts as one unit, as it has none)
// becomes one '?' when replacing, and makes the whole encoding nothing when not.
std::optional<std::vector<uint8_t>> Encode(std::u16string_view text, bool replacing)
{
    const std::vector<uint16_t>& forms = Forms();
    std::vector<uint8_t> out;
    out.reserve(text.size() * 2);
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool pair = IsSurrogatePair(text, at);
        const uint16_t form = pair ? kNoForm : forms[text[at]];
        at += pair ? 1 : 0;
        if (form == kNoForm) {
            if (!replacing)
                return std::nullopt;
            out.push_back('?');
        } else if (form > 0xFF) {
            out.push_back(static_cast<uint8_t>(form >> 8));
            out.push_back(static_cast<uint8_t>(form & 0xFF));
        } else {
            out.push_back(static_cast<uint8_t>(form));
        }
    }
    return out;
}

// ASCII is the same units in code page 932 both ways. It is most of what a device protocol
// carries, and a row's text, delay and expected answer are encoded each time the row runs, so
// such text skips the table.
template <typename Units> bool IsAscii(const Units& units)
{
    return std::all_of(units.begin(), units.end(), [](auto unit) { return unit < 0x80; });
}

class IconvCodePage932 final : public CodePage932 {
public:
    std::optional<std::vector<uint8_t>> EncodeStrict(std::u16string_view text) const override
    {
        if (IsAscii(text))
            return std::vector<uint8_t>(text.begin(), text.end());
        return Encode(text, false);
    }

    std::vector<uint8_t> EncodeReplacing(std::u16string_view text) const override
    {
        if (IsAscii(text))
            return std::vector<uint8_t>(text.begin(), text.end());
        return *Encode(text, true);
    }

    std::u16string Decode(std::span<const uint8_t> bytes) const override
    {
        if (IsAscii(bytes))
            return std::u16string(bytes.begin(), bytes.end());
        // Every byte gives at most one UTF-16 unit, so the output never needs to grow.
        std::u16string out(bytes.size(), u'\0');
        iconv_t cd = FromCp932().get();
        char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
        std::size_t inLeft = bytes.size();
        char* o = reinterpret_cast<char*>(out.data());
        std::size_t oLeft = out.size() * 2;
        while (inLeft > 0) {
            if (iconv(cd, &in, &inLeft, &o, &oLeft) != static_cast<std::size_t>(-1) ||
                errno == E2BIG)
                break;
            // An undecodable byte, or a lead byte cut off at the end, becomes one U+FFFD and
            // decoding goes on with the next byte.
            const char16_t replacement = u'\uFFFD';
            std::memcpy(o, &replacement, sizeof replacement);
            o += sizeof replacement;
            oLeft -= sizeof replacement;
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(out.size() - oLeft / 2);
        return out;
    }
};

} // namespace

const CodePage932& GetCodePage932()
{
    static const IconvCodePage932 instance;
    return instance;
}

} // namespace wirevane::platform
