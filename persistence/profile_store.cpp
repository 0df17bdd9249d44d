#include "persistence/profile_store.h"

#include <algorithm>

namespace wirevane {
namespace {

// Two spellings of one file must share one open copy, or the later write would undo the
// earlier one.
std::filesystem::path sameFileKey(const std::filesystem::path& path)
{
    std::error_code ignored;
    std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return (ignored ? path : absolute).lexically_normal();
}

} // namespace

ProfileStore::ProfileStore(std::filesystem::path settingsPath, ProfileFiles& files)
    : m_settingsPath(std::move(settingsPath)), m_activePath(m_settingsPath), m_files(files)
{
}

ProfileStore::~ProfileStore() = default;

ProfileStore::OpenFile* ProfileStore::findOpen(const std::filesystem::path& path)
{
    std::filesystem::path key = sameFileKey(path);
    for (auto& file : m_open) {
        if (file->path == key) {
            return file.get();
        }
    }
    return nullptr;
}

ProfileStore::OpenFile& ProfileStore::join()
{
    OpenFile* file = findOpen(m_activePath);
    if (file == nullptr) {
        auto opened = std::make_unique<OpenFile>();
        opened->path = sameFileKey(m_activePath);
        std::vector<uint8_t> bytes;
        platform::FileError error = m_files.Read(m_activePath, bytes);
        if (error.ok()) {
            opened->document = platform::IniDocument::parse(bytes);
            if (!opened->document.complete()) {
                opened->document = {};
                static_assert(platform::IniDocument::kLineLimit == 100'000);
                opened->readError = platform::FileError::TooLarge(
                    "Too many lines: a settings file never holds more than 100,000");
            }
        } else if (error.notFound()) {
            opened->missing = true;
        } else {
            opened->readError = error;
        }
        file = opened.get();
        m_open.push_back(std::move(opened));
    }
    ++file->sessions;
    return *file;
}

platform::FileError ProfileStore::leave(OpenFile& file)
{
    if (--file.sessions > 0) {
        return file.readError;
    }
    platform::FileError result;
    if (file.modified) {
        if (!file.readError.ok()) {
            result = file.readError;
        } else {
            std::vector<uint8_t> bytes = file.document.serialize();
            result = m_files.Replace(file.path, bytes);
        }
    }
    std::erase_if(m_open,
                  [&file](const std::unique_ptr<OpenFile>& open) { return open.get() == &file; });
    return result;
}

std::u16string ProfileStore::readString(std::u16string_view section, std::u16string_view key,
                                        std::u16string_view fallback)
{
    ProfileSession session(*this);
    return findOpen(m_activePath)->document.readString(section, key, fallback);
}

int32_t ProfileStore::readInt(std::u16string_view section, std::u16string_view key,
                              int32_t fallback)
{
    ProfileSession session(*this);
    return findOpen(m_activePath)->document.readInt(section, key, fallback);
}

bool ProfileStore::hasKey(std::u16string_view section, std::u16string_view key)
{
    ProfileSession session(*this);
    return findOpen(m_activePath)->document.value(section, key).has_value();
}

template <typename Edit> platform::FileError ProfileStore::edit(Edit change)
{
    ProfileSession session(*this);
    OpenFile* file = findOpen(m_activePath);
    change(file->document);
    file->modified = true;
    return session.commit();
}

platform::FileError ProfileStore::writeString(std::u16string_view section, std::u16string_view key,
                                              std::u16string_view value)
{
    return edit([&](platform::IniDocument& doc) { doc.writeString(section, key, value); });
}

platform::FileError ProfileStore::writeInt(std::u16string_view section, std::u16string_view key,
                                           int32_t value)
{
    return edit([&](platform::IniDocument& doc) { doc.writeInt(section, key, value); });
}

platform::FileError ProfileStore::deleteSection(std::u16string_view section)
{
    return edit([&](platform::IniDocument& doc) { doc.deleteSection(section); });
}

platform::FileError ProfileStore::deleteKey(std::u16string_view section, std::u16string_view key)
{
    return edit([&](platform::IniDocument& doc) {
        doc.deleteKey(section, key);
        if (doc.keyNames(section).empty())
            doc.deleteSection(section);
    });
}

ProfileSession::ProfileSession(ProfileStore& store) : m_store(store), m_file(&store.join()) {}

ProfileSession::~ProfileSession()
{
    commit();
}

platform::FileError ProfileSession::commit()
{
    if (m_file == nullptr) {
        return {};
    }
    ProfileStore::OpenFile* file = m_file;
    m_file = nullptr;
    return m_store.leave(*file);
}

platform::FileError ProfileSession::readError() const
{
    return m_file == nullptr ? platform::FileError{} : m_file->readError;
}

bool ProfileSession::fileMissing() const
{
    return m_file != nullptr && m_file->missing;
}

ProfileRedirect::ProfileRedirect(ProfileStore& store, std::filesystem::path file)
    : m_store(store), m_previous(store.m_activePath)
{
    m_store.m_activePath = std::move(file);
    m_session.emplace(m_store);
}

ProfileRedirect::~ProfileRedirect()
{
    m_session.reset();
    m_store.m_activePath = std::move(m_previous);
}

} // namespace wirevane
