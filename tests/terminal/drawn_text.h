#pragma once

#include "terminal/control_mark.h"
#include "terminal/record_view.h"

#include <QTextBlock>
#include <QTextDocument>
#include <string>

namespace wirevane::test {

// The view's document as one string a test can compare: blocks joined by "|" ("~" before a
// block that continues the line above, "/" before one the view started around a report line),
// control marks as <CR>, <LF>, ..., text as it is.
inline std::u16string Drawn(RecordView& view)
{
    view.FlushPending();
    std::u16string out;
    for (QTextBlock block = view.document()->firstBlock(); block.isValid(); block = block.next()) {
        if (block != view.document()->firstBlock())
            out += block.userState() == 1 ? u"~" : block.userState() == 3 ? u"/" : u"|";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const char16_t control = ControlMark::ControlOf(fragment.charFormat());
            if (control == 0) {
                out += fragment.text().toStdU16String();
                continue;
            }
            for (int i = 0; i < fragment.length(); ++i)
                out += u"<" + std::u16string(ControlMarkLabel(control)) + u">";
        }
    }
    return out;
}

} // namespace wirevane::test
