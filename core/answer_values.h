#pragma once

#include "core/send_table.h"
#include "core/text_encoding.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane {

// The group texts that passing "re:" checks of one run kept for later rows' send data. "{1}"
// names group 1 of the most recent passing pattern check, "{R7.1}" group 1 of row 7's most
// recent one; groups count from 1. A value is the answer's bytes as they arrived.
class AnswerValues {
public:
    using Groups = std::vector<std::optional<Bytes>>;

    // A passing pattern check of the row; its groups replace what it and the latest had.
    void Keep(int row, Groups groups);
    void Clear();

    // The value of a reference; null when no passing check of this run gave it. row: none for
    // the most recent check.
    const Bytes* Find(std::optional<int> row, int group) const;

private:
    std::array<Groups, SendTable::kRowCount> m_rows;
    Groups m_latest;
};

// A row's send data with each reference to a kept value replaced by it.
struct RowData {
    Bytes bytes;
    // The text as the local echo shows it: each value read in the table's encoding.
    std::u16string shown;
    // The first reference without a value, as written ("{R7.1}"); then nothing may be sent,
    // and bytes and shown are empty.
    std::u16string missing;
};

// A reference is "{n}" or "{Rr.n}": n a group from 1, r a row number, each of one to three
// digits. The text around references is converted as send data always is; a value goes out as
// it was received, never read for escapes. A brace inside an escape ("\{1}", "\x7B1}") and any
// other brace stay as written.
RowData RowDataWithValues(std::u16string_view text, TextEncoding encoding,
                          const AnswerValues& values);

} // namespace wirevane
