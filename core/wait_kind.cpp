#include "core/wait_kind.h"

#include <iterator>

namespace wirevane {

namespace {

constexpr std::u16string_view kWaitKindNames[] = {u"なし", u"CR", u"NL", u"Any"};

static_assert(std::size(kWaitKindNames) == std::size(kWaitKinds));

} // namespace

bool IsNamed(WaitKind kind)
{
    return kind >= WaitKind::None && kind <= WaitKind::Any;
}

std::u16string_view WaitKindName(WaitKind kind)
{
    return kWaitKindNames[static_cast<std::size_t>(IsNamed(kind) ? kind : WaitKind::None)];
}

std::optional<WaitKind> WaitKindFromName(std::u16string_view name)
{
    for (WaitKind kind : kWaitKinds) {
        if (WaitKindName(kind) == name)
            return kind;
    }
    return std::nullopt;
}

uint8_t MatchByte(WaitKind kind)
{
    switch (kind) {
    case WaitKind::Cr:
        return 0x0D;
    case WaitKind::Nl:
        return 0x0A;
    default:
        return 0;
    }
}

} // namespace wirevane
