#pragma once

#include <string>
#include <string_view>

namespace wirevane {

// The terminal as the engine and the receive handler see it: text goes to its end, and its local
// echo box decides whether sent rows are shown too.
class TerminalSink {
public:
    virtual ~TerminalSink() = default;
    virtual void AppendText(std::u16string_view text) = 0;
    virtual bool IsLocalEcho() const = 0;
    // A line of the program's own about the port or the run ("Connection to COM3 lost."): the
    // text goes in as "[text]\n". A terminal that shows it may set it apart from the traffic.
    virtual void AppendReport(std::u16string_view text)
    {
        AppendText(u"[" + std::u16string(text) + u"]\n");
    }
    // A row's progress in detail display, in the table's own status words ("送信済",
    // " ｽﾃｯﾌﾟ停止"): the words go in as "<words>\r\n". A terminal that shows it may show the
    // words in its reader's language; what it keeps is the words as given.
    virtual void AppendProgress(std::u16string_view words)
    {
        AppendText(u"<" + std::u16string(words) + u">\r\n");
    }
};

} // namespace wirevane
