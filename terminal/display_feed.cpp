#include "terminal/display_feed.h"

#include <array>

namespace wirevane {

std::u16string_view ControlMarkLabel(char16_t control)
{
    static constexpr std::array<std::u16string_view, 32> kNames = {
        u"NUL", u"SOH", u"STX", u"ETX", u"EOT", u"ENQ", u"ACK", u"BEL", u"BS",  u"HT",  u"LF",
        u"VT",  u"FF",  u"CR",  u"SO",  u"SI",  u"DLE", u"DC1", u"DC2", u"DC3", u"DC4", u"NAK",
        u"SYN", u"ETB", u"CAN", u"EM",  u"SUB", u"ESC", u"FS",  u"GS",  u"RS",  u"US"};
    return control < kNames.size() ? kNames[control] : std::u16string_view();
}

void DisplayFeed::Reset(std::size_t column, bool endsInLoneCr)
{
    m_column = column;
    m_endsInLoneCr = endsInLoneCr;
}

void DisplayFeed::Put(std::vector<DisplayOp>& ops, DisplayOp::Kind kind, char16_t ch)
{
    if (m_column >= m_pieceLength) {
        ops.push_back({DisplayOp::WrapBreak, {}});
        m_column = 0;
    }
    ++m_column;
    if (kind == DisplayOp::Text && !ops.empty() && ops.back().kind == DisplayOp::Text)
        ops.back().text += ch;
    else
        ops.push_back({kind, std::u16string(1, ch)});
}

std::vector<DisplayOp> DisplayFeed::Feed(std::u16string_view lineForm,
                                         std::span<const std::size_t> ownLineBreaks)
{
    std::vector<DisplayOp> ops;
    const auto breakAt = [&](std::size_t offset) {
        while (!ownLineBreaks.empty() && ownLineBreaks.front() <= offset) {
            ops.push_back({DisplayOp::OwnLineBreak, {}});
            m_column = 0;
            ownLineBreaks = ownLineBreaks.subspan(1);
        }
    };
    for (std::size_t i = 0; i < lineForm.size(); ++i) {
        breakAt(i);
        const char16_t ch = lineForm[i];
        if (ch == u'\n' && m_endsInLoneCr) {
            ops.push_back({DisplayOp::RetractMark, {}});
            ops.push_back({DisplayOp::LineBreak, {}});
            m_column = 0;
        } else if (ch == u'\r' && i + 1 < lineForm.size() && lineForm[i + 1] == u'\n') {
            ops.push_back({DisplayOp::LineBreak, {}});
            m_column = 0;
            ++i;
        } else {
            Put(ops, IsMarkedControl(ch) ? DisplayOp::Mark : DisplayOp::Text, ch);
        }
        m_endsInLoneCr = false;
    }
    breakAt(lineForm.size());
    m_endsInLoneCr = !lineForm.empty() && lineForm.back() == u'\r' && !ops.empty() &&
                     ops.back().kind == DisplayOp::Mark;
    return ops;
}

} // namespace wirevane
