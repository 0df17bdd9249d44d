#include "buttons/file/button_file.h"

#include "core/decimal_text.h"

#include <algorithm>
#include <string>

namespace wirevane {
namespace {

constexpr std::u16string_view kGroupSection = u"BUTTON_GROUP";
constexpr std::u16string_view kCurrentGroup = u"N_BUTTON_GROUP";
constexpr std::u16string_view kPathKey = u"BUTTON_FILE_PATH";
constexpr std::u16string_view kTextKey = u"BUTTON_TEXT";
constexpr std::u16string_view kArraySection = u"BUTTON_ARRAY";
constexpr std::u16string_view kLoadRun = u"LOAD_RUN";

// "TITLE_%d"
std::u16string titleKey(int group)
{
    return u"TITLE_" + DecimalText(group);
}

// "GROUPE%d_INDEX%d", spelled as the native files have it.
std::u16string slotSection(int group, int button)
{
    return u"GROUPE" + DecimalText(group) + u"_INDEX" + DecimalText(button);
}

std::filesystem::path folderOf(const std::filesystem::path& programDir)
{
    return programDir.has_filename() ? programDir : programDir.parent_path();
}

} // namespace

ButtonFile::ButtonFile(ProfileStore& store, std::filesystem::path buttonFilePath)
    : m_store(store), m_path(std::move(buttonFilePath))
{
}

void ButtonFile::LoadButtonFile()
{
    ProfileRedirect redirect(m_store, m_path);
    currentGroup = m_store.readInt(kGroupSection, kCurrentGroup, 0);
    if (currentGroup < 0 || currentGroup >= kGroupCount) {
        currentGroup = 0;
    }
    for (int g = 0; g < kGroupCount; ++g) {
        groupTitles[g] = m_store.readString(kGroupSection, titleKey(g), u"");
    }
    for (int g = 0; g < kGroupCount; ++g) {
        for (int b = 0; b < kButtonsPerGroup; ++b) {
            std::u16string section = slotSection(g, b);
            ButtonSlot& slot = buttonSlots[slotIndex(g, b)];
            slot.path = m_store.readString(section, kPathKey, u"");
            slot.text = m_store.readString(section, kTextKey, u"");
        }
    }
    loadAndSend = m_store.readInt(kArraySection, kLoadRun, 1);
}

platform::FileError ButtonFile::SaveButtonFile()
{
    ProfileRedirect redirect(m_store, m_path);
    m_store.writeInt(kGroupSection, kCurrentGroup, currentGroup);
    for (int g = 0; g < kGroupCount; ++g) {
        m_store.writeString(kGroupSection, titleKey(g), groupTitles[g]);
    }
    for (int g = 0; g < kGroupCount; ++g) {
        for (int b = 0; b < kButtonsPerGroup; ++b) {
            std::u16string section = slotSection(g, b);
            const ButtonSlot& slot = buttonSlots[slotIndex(g, b)];
            m_store.writeString(section, kPathKey, slot.path);
            m_store.writeString(section, kTextKey, slot.text);
        }
    }
    m_store.writeInt(kArraySection, kLoadRun, loadAndSend);
    return redirect.commit();
}

std::u16string MakeRelativePath(const std::filesystem::path& programDir,
                                const std::filesystem::path& file)
{
    std::filesystem::path from = folderOf(programDir).lexically_normal();
    std::filesystem::path to = file.lexically_normal();
    if (from.is_absolute() != to.is_absolute() || from.root_name() != to.root_name()) {
        return {};
    }
    std::filesystem::path relative = to.lexically_relative(from);
    if (relative.empty()) {
        return {};
    }
    if (*relative.begin() != "..") {
        relative = std::filesystem::path(".") / relative;
    }
    // The platform's own separator, as its other programs would write the path: .\a.ini on
    // Windows, ./a.ini here.
    return relative.make_preferred().u16string();
}

std::u16string SlotPathFor(const std::filesystem::path& programDir,
                           const std::filesystem::path& file)
{
    // A relative file name means the current folder, which need not be the program's folder;
    // the stored path must name the file wherever the program later runs from.
    std::error_code ignored;
    std::filesystem::path absolute = std::filesystem::absolute(file, ignored).lexically_normal();
    std::u16string relative = MakeRelativePath(programDir, absolute);
    return relative.empty() ? absolute.u16string() : relative;
}

std::filesystem::path ResolveSlotPath(const std::filesystem::path& programDir,
                                      std::u16string_view stored)
{
    std::u16string text(stored);
    // On this platform a backslash could be part of a name, but a stored path that has one
    // comes from the Windows program, where it separates folders.
    std::replace(text.begin(), text.end(), u'\\', u'/');
    std::filesystem::path path(text);
    if (path.is_absolute()) {
        return path.lexically_normal();
    }
    return (folderOf(programDir) / path).lexically_normal();
}

} // namespace wirevane
