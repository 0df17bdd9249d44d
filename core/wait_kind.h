#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace wirevane {

// What a row waits for after it is sent, numbered as the settings file stores it (WAIT_RX). A
// file may hold any number; the type keeps it until the table shows the row, which turns a
// number without a name into None.
enum class WaitKind : int32_t { None = 0, Cr = 1, Nl = 2, Any = 3 };

// Every named kind, in the order of the wait column's drop-down list and its indices.
inline constexpr WaitKind kWaitKinds[] = {WaitKind::None, WaitKind::Cr, WaitKind::Nl,
                                          WaitKind::Any};

bool IsNamed(WaitKind kind);

// The text of the wait cell: "なし", "CR", "NL", "Any"; a number without a name shows "なし".
std::u16string_view WaitKindName(WaitKind kind);

// The kind a wait cell's text names, compared exactly; none for any other text.
std::optional<WaitKind> WaitKindFromName(std::u16string_view name);

// The byte that ends a CR or NL wait; 0 for the kinds that no one byte ends.
uint8_t MatchByte(WaitKind kind);

} // namespace wirevane
