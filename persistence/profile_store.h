#pragma once

#include "persistence/profile_files.h"
#include "platform/file_error.h"
#include "platform/ini_document.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane {

class ProfileSession;
class ProfileRedirect;

// The program's INI access: every read and write goes to one file, the active profile path,
// which names the settings file except inside a ProfileRedirect scope.
//
// A file is read once and written at most once per operation: a ProfileSession (or a
// ProfileRedirect, which holds one) loads the active file when it opens, reads and writes go to
// that copy in memory, and the outermost session of the file writes it back, whole and atomic,
// when it ends. Sessions opened inside one on the same file join it, so a save made of several
// steps (the table, then the column layout) is still one write. Reads and writes outside any
// session open one for themselves; a write then writes the file at once.
//
// A file that exists but cannot be read is never written over: a session on it reports the read
// error instead of replacing the file with what little it knew.
class ProfileStore {
public:
    ProfileStore(std::filesystem::path settingsPath, ProfileFiles& files);
    ~ProfileStore();
    ProfileStore(const ProfileStore&) = delete;
    ProfileStore& operator=(const ProfileStore&) = delete;

    const std::filesystem::path& settingsPath() const { return m_settingsPath; }
    const std::filesystem::path& activePath() const { return m_activePath; }

    std::u16string readString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view fallback);
    int32_t readInt(std::u16string_view section, std::u16string_view key, int32_t fallback);
    // Whether the file holds the key at all, for settings that a file leaves as they are when
    // it does not name them.
    bool hasKey(std::u16string_view section, std::u16string_view key);

    // Inside a session these edit the session's copy and answer the session's state so far (a
    // read error of its file); outside, they write the file and answer the write's result.
    platform::FileError writeString(std::u16string_view section, std::u16string_view key,
                                    std::u16string_view value);
    platform::FileError writeInt(std::u16string_view section, std::u16string_view key,
                                 int32_t value);
    platform::FileError deleteSection(std::u16string_view section);
    // Removes the key; the section goes with its last key, so that a key written once and
    // removed again leaves the file as it was.
    platform::FileError deleteKey(std::u16string_view section, std::u16string_view key);

private:
    friend class ProfileSession;
    friend class ProfileRedirect;

    struct OpenFile {
        std::filesystem::path path;
        platform::IniDocument document;
        platform::FileError readError;
        bool missing = false;
        bool modified = false;
        int sessions = 0;
    };

    OpenFile* findOpen(const std::filesystem::path& path);
    OpenFile& join();
    platform::FileError leave(OpenFile& file);
    template <typename Edit> platform::FileError edit(Edit change);

    std::filesystem::path m_settingsPath;
    std::filesystem::path m_activePath;
    ProfileFiles& m_files;
    std::vector<std::unique_ptr<OpenFile>> m_open;
};

// One INI operation on the active profile path (see ProfileStore). End it with commit() to learn
// whether the file was written; a session that goes out of scope uncommitted commits then and
// drops the result.
class ProfileSession {
public:
    explicit ProfileSession(ProfileStore& store);
    ~ProfileSession();
    ProfileSession(const ProfileSession&) = delete;
    ProfileSession& operator=(const ProfileSession&) = delete;

    // The outermost session of the file writes it if anything changed; an inner session leaves
    // the write to it and answers only a read error of the file. Further calls answer nothing.
    platform::FileError commit();
    // Why the file could not be read (nothing when it was read or does not exist); reads then
    // answer their defaults and the file is not written over.
    platform::FileError readError() const;
    // The file did not exist when the session opened it: reads answer their defaults, and
    // the first write creates it.
    bool fileMissing() const;

private:
    ProfileStore& m_store;
    ProfileStore::OpenFile* m_file;
};

// Points the active profile path at another file for one operation and back at the previous
// path when the scope ends, on every way out. The operation is one session on that file.
class ProfileRedirect {
public:
    ProfileRedirect(ProfileStore& store, std::filesystem::path file);
    ~ProfileRedirect();
    ProfileRedirect(const ProfileRedirect&) = delete;
    ProfileRedirect& operator=(const ProfileRedirect&) = delete;

    platform::FileError commit() { return m_session->commit(); }
    platform::FileError readError() const { return m_session->readError(); }
    bool fileMissing() const { return m_session->fileMissing(); }

private:
    ProfileStore& m_store;
    std::filesystem::path m_previous;
    std::optional<ProfileSession> m_session;
};

} // namespace wirevane
