#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace wirevane::test {

// One ticked row of a settings file; data is code page 932 bytes, as the file holds them.
struct TableRow {
    int index;
    std::string data;
    int wait = 0;
    int halt = 0;
    int delay = 0;
    std::string expect{}; // the EXPECT key, written when not empty
};

// What a settings file holds around its rows: the SERIAL keys (CR LF lines) and the console's.
struct TableFrame {
    std::string serial = "BAUD=115200\r\n";
    int cyclic = 0;
    int lineEnd = 1;
};

// Writes a settings file as the native program does (CR LF, shift JIS): the frame, then a
// section for each row, ticked.
void WriteTableFile(const std::filesystem::path& file, const std::vector<TableRow>& rows,
                    const TableFrame& frame = {});

} // namespace wirevane::test
