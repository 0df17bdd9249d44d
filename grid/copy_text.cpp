#include "grid/copy_text.h"

namespace wirevane {
namespace {

void AppendFields(std::u16string& out, const std::vector<std::u16string>& fields)
{
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += u'\t';
        }
        out += fields[i];
    }
}

} // namespace

std::u16string CopyTextOfRows(const std::vector<std::u16string>& titles,
                              const std::vector<std::vector<std::u16string>>& rows)
{
    std::u16string out;
    AppendFields(out, titles);
    for (const auto& row : rows) {
        out += u"\r\n";
        AppendFields(out, row);
    }
    return out;
}

} // namespace wirevane
