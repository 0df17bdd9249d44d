#pragma once

#include "grid/layout/view_config_section.h"
#include "platform/atomic_file.h"
#include "platform/ini_document.h"

#include <filesystem>
#include <string>

namespace wirevane::test {

// The settings file as the layout sections read it.
inline platform::IniDocument IniFile(const std::filesystem::path& file)
{
    std::vector<uint8_t> bytes;
    platform::ReadWholeFile(file, bytes);
    return platform::IniDocument::parse(bytes);
}

// A layout stored in a section, as "id:width" of each entry.
inline std::string StoredLayout(const platform::IniDocument& saved, const std::u16string& section)
{
    std::string text;
    for (int n = 0; n < saved.readInt(section, u"ColumnCount", 0); ++n) {
        const std::u16string suffix = CViewConfigSection::ConvertInt(n);
        text += std::to_string(saved.readInt(section, u"ColumnData_" + suffix, -1)) + ":" +
                std::to_string(saved.readInt(section, u"ColumnWidth_" + suffix, -1)) + " ";
    }
    return text;
}

} // namespace wirevane::test
