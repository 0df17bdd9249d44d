#include "platform/ini_document.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

using wirevane::platform::IniDocument;

namespace {

struct Found {
    std::u16string section;
    std::u16string key;
};

std::vector<Found> everyKey(const IniDocument& doc)
{
    std::vector<Found> found;
    for (const std::u16string& section : doc.sectionNames()) {
        for (const std::u16string& key : doc.keyNames(section)) {
            found.push_back({section, key});
        }
    }
    return found;
}

IniDocument reparsed(const IniDocument& doc)
{
    std::vector<uint8_t> bytes = doc.serialize();
    return IniDocument::parse(bytes);
}

// What a value reads back as once written: a line cannot hold a line break or NUL, and the
// document writes those as blanks.
std::u16string asWritten(std::u16string value)
{
    std::replace_if(
        value.begin(), value.end(), [](char16_t c) { return c == u'\r' || c == u'\n' || c == 0; },
        u' ');
    return value;
}

std::u16string folded(std::u16string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    });
    return text;
}

std::u16string decimal(size_t n)
{
    std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

// Arbitrary bytes as an INI file: parsing never fails, saving the unchanged document keeps
// every value, and every key found reads back exactly what is written to it, whether the new
// value needs quoting or not, along with a key added to each section and a section added at the
// end.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IniDocument doc = IniDocument::parse(std::span(data, size));
    const std::vector<Found> keys = everyKey(doc);

    const IniDocument unchanged = reparsed(doc);
    for (const Found& k : keys) {
        require(unchanged.value(k.section, k.key) == doc.value(k.section, k.key));
    }

    // The last value written to each name, names folded as the document matches them.
    std::map<std::pair<std::u16string, std::u16string>, std::pair<Found, std::u16string>> written;
    auto record = [&written](const Found& k, const std::u16string& value) {
        written[{folded(k.section), folded(k.key)}] = {k, asWritten(value)};
    };
    size_t n = 0;
    for (const Found& k : keys) {
        std::u16string old = doc.value(k.section, k.key).value_or(u"");
        // None of these adds a ']', which could turn a key line that begins with '[' into a
        // section header, as it would for the native reader.
        const std::u16string variants[] = {old, old + u"x", u" " + old + u"\t", u"\"" + old + u"\"",
                                           u"'" + old + u"'"};
        const std::u16string& value = variants[n++ % std::size(variants)];
        doc.writeString(k.section, k.key, value);
        record(k, value);
    }
    const std::u16string tail(data, data + std::min<size_t>(size, 40));
    for (const std::u16string& section : doc.sectionNames()) {
        doc.writeString(section, u"FuzzAdded", tail);
        record({section, u"FuzzAdded"}, tail);
    }
    doc.writeInt(u"Fuzz New Section", u"Number", -7 - static_cast<int32_t>(size));
    record({u"Fuzz New Section", u"Number"}, u"-" + decimal(7 + size));

    const IniDocument back = reparsed(doc);
    for (const auto& [name, entry] : written) {
        const auto& [k, value] = entry;
        require(doc.value(k.section, k.key) == value);
        require(back.value(k.section, k.key) == value);
    }
    return 0;
}
