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

Converter& ToCp932()
{
    thread_local Converter converter("CP932", "UTF-16LE");
    return converter;
}

Converter& FromCp932()
{
    thread_local Converter converter("UTF-16LE", "CP932");
    return converter;
}

// Encodes as much of the text as has a code page 932 form, appending to out; answers how many
// UTF-16 units were consumed.
std::size_t EncodeRun(iconv_t cd, std::u16string_view text, std::vector<uint8_t>& out)
{
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
    std::size_t inLeft = text.size() * 2;
    const std::size_t start = out.size();
    out.resize(start + text.size() * 2 + 4);
    char* o = reinterpret_cast<char*>(out.data() + start);
    std::size_t oLeft = out.size() - start;
    iconv(cd, &in, &inLeft, &o, &oLeft);
    out.resize(out.size() - oLeft);
    return text.size() - inLeft / 2;
}

// ASCII is the same units in code page 932 both ways. It is most of what a device protocol
// carries, and a row's text, delay and expected answer are encoded each time the row runs, so
// such text skips the converter.
template <typename Units> bool IsAscii(const Units& units)
{
    return std::all_of(units.begin(), units.end(), [](auto unit) { return unit < 0x80; });
}

bool IsSurrogatePair(std::u16string_view text)
{
    return text.size() >= 2 && text[0] >= 0xD800 && text[0] <= 0xDBFF && text[1] >= 0xDC00 &&
           text[1] <= 0xDFFF;
}

class IconvCodePage932 final : public CodePage932 {
public:
    std::optional<std::vector<uint8_t>> EncodeStrict(std::u16string_view text) const override
    {
        if (IsAscii(text))
            return std::vector<uint8_t>(text.begin(), text.end());
        std::vector<uint8_t> out;
        if (EncodeRun(ToCp932().get(), text, out) != text.size())
            return std::nullopt;
        return out;
    }

    std::vector<uint8_t> EncodeReplacing(std::u16string_view text) const override
    {
        if (IsAscii(text))
            return std::vector<uint8_t>(text.begin(), text.end());
        std::vector<uint8_t> out;
        iconv_t cd = ToCp932().get();
        while (!text.empty()) {
            text.remove_prefix(EncodeRun(cd, text, out));
            if (text.empty())
                break;
            out.push_back('?');
            text.remove_prefix(IsSurrogatePair(text) ? 2 : 1);
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
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
