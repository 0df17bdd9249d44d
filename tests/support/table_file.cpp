#include "support/table_file.h"

#include <fstream>

namespace wirevane::test {

void WriteTableFile(const std::filesystem::path& file, const std::vector<TableRow>& rows,
                    const TableFrame& frame)
{
    std::ofstream out(file, std::ios::binary);
    out << "[SERIAL]\r\n"
        << frame.serial << "[CONSOLE]\r\nCYCLIC=" << frame.cyclic
        << "\r\nTERNINATOR=" << frame.lineEnd << "\r\nENCODE=0\r\n";
    for (const TableRow& row : rows) {
        out << "[DATA_INDEX" << row.index << "]\r\nSELECT=1\r\nDATA=" << row.data
            << "\r\nWAIT_RX=" << row.wait << "\r\nHALT=" << row.halt << "\r\nDELAY=" << row.delay
            << "\r\n";
        if (!row.expect.empty())
            out << "EXPECT=" << row.expect << "\r\n";
    }
}

} // namespace wirevane::test
