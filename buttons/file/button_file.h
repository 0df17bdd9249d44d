#pragma once

#include "persistence/profile_store.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace wirevane {

// One of the 96 buttons of the button array: the settings file it loads (as stored: relative to
// the program's folder, or absolute) and its caption. Both empty: nothing bound.
struct ButtonSlot {
    std::u16string path;
    std::u16string text;
};

// The button array's bindings, group titles, group on show and load mode, kept in the button
// file. The button array window owns one and changes the fields; LoadButtonFile and
// SaveButtonFile move all of them at once, each as one operation on that file.
class ButtonFile {
public:
    static constexpr int kGroupCount = 8;
    static constexpr int kButtonsPerGroup = 12;
    static constexpr int kSlotCount = kGroupCount * kButtonsPerGroup;

    ButtonFile(ProfileStore& store, std::filesystem::path buttonFilePath);

    // Missing keys read as: group 0, empty titles and slots, load and send on. A stored group
    // outside 0..7 reads as 0, since every use takes it as an index.
    void LoadButtonFile();
    platform::FileError SaveButtonFile();

    static int slotIndex(int group, int button) { return group * kButtonsPerGroup + button; }

    std::array<ButtonSlot, kSlotCount> buttonSlots{};
    std::array<std::u16string, kGroupCount> groupTitles{};
    int32_t currentGroup = 0;
    int32_t loadAndSend = 1;

private:
    ProfileStore& m_store;
    std::filesystem::path m_path;
};

// The path of the file relative to the program's folder (which ends in a separator and stands
// for the folder itself): ./a.ini for a file in the folder, ../tests/a.ini elsewhere, with the
// platform's separator (.\a.ini on Windows). Empty when no relative path exists (one path
// relative and the other absolute, or different roots).
std::u16string MakeRelativePath(const std::filesystem::path& programDir,
                                const std::filesystem::path& file);

// What a slot stores for a chosen file: the relative path, or the absolute one when there is no
// relative path, so that the button still finds its file.
std::u16string SlotPathFor(const std::filesystem::path& programDir,
                           const std::filesystem::path& file);

// The file a stored slot path names, for a program whose current folder is the program's
// folder. Paths stored by the Windows program (.\a.ini, ..\tests\a.ini) resolve as well.
std::filesystem::path ResolveSlotPath(const std::filesystem::path& programDir,
                                      std::u16string_view stored);

} // namespace wirevane
