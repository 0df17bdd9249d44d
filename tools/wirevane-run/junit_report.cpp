#include "tools/wirevane-run/junit_report.h"

#include "core/check_report_text.h"
#include "platform/atomic_file.h"
#include "platform/command_line.h"
#include "platform/utf_text.h"

#include <algorithm>
#include <cstdio>

namespace wirevane::runner {

namespace {

// XML 1.0 has no form for most control characters, even as references; a cell's text may hold
// them, so they are written as the escapes the report lines use.
std::string XmlText(std::u16string_view text)
{
    std::vector<uint8_t> utf8;
    platform::AppendUtf8(text, utf8);
    std::string out;
    for (const uint8_t byte : utf8) {
        switch (byte) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (byte < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\x%02X", byte);
                out += escape;
            } else {
                out += static_cast<char>(byte);
            }
        }
    }
    return out;
}

std::string Seconds(int64_t us)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(std::max<int64_t>(us, 0)) / 1e6);
    return text;
}

std::u16string Number(int value)
{
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

} // namespace

std::string JunitXml(const std::filesystem::path& tableFile, const CheckTally& checks,
                     TextEncoding encoding)
{
    const std::string path = platform::Utf8FromPath(tableFile.filename());
    const std::vector<uint8_t> pathBytes(path.begin(), path.end());
    const std::string suite = XmlText(platform::DecodeUtf8(pathBytes));

    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites>\n";
    out += "  <testsuite name=\"" + suite + "\" tests=\"" + std::to_string(checks.count()) +
           "\" failures=\"" + std::to_string(checks.failed()) + "\" errors=\"0\" time=\"" +
           Seconds(checks.turnaroundUs()) + "\">\n";
    for (const CheckedRow& check : checks.listed()) {
        const std::u16string name = u"row " + Number(check.row) + u": " + check.data;
        out += "    <testcase name=\"" + XmlText(name) + "\" classname=\"" + suite + "\" time=\"" +
               Seconds(check.turnaroundUs) + "\"";
        if (check.passed) {
            out += "/>\n";
            continue;
        }
        const std::u16string received = EscapedAnswer(check.received, encoding);
        out += ">\n      <failure message=\"" + XmlText(check.report) +
               "\">expected: " + XmlText(check.expect) + "\nreceived: " + XmlText(received) +
               "</failure>\n    </testcase>\n";
    }
    if (const int64_t unlisted = checks.unlisted(); unlisted > 0) {
        const int64_t failed = checks.unlistedFailed();
        out += "    <system-out>" + std::to_string(unlisted) + " more checks after the first " +
               std::to_string(checks.listed().size()) +
               " are counted in this suite but not listed: " + std::to_string(unlisted - failed) +
               " passed, " + std::to_string(failed) + " failed.</system-out>\n";
    }
    out += "  </testsuite>\n</testsuites>\n";
    return out;
}

platform::FileError WriteJunit(const std::filesystem::path& file,
                               const std::filesystem::path& tableFile, const CheckTally& checks,
                               TextEncoding encoding)
{
    const std::string xml = JunitXml(tableFile, checks, encoding);
    return platform::ReplaceFileAtomically(
        file, std::span(reinterpret_cast<const uint8_t*>(xml.data()), xml.size()));
}

} // namespace wirevane::runner
