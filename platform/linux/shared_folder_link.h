#pragma once

#include "platform/file_error.h"

#include <filesystem>
#include <sys/stat.h>

namespace wirevane::platform {

// A file written through a symbolic link is the file the link names. A link in a folder that
// every user may write to and that keeps entries to their owners (the sticky bit, as on /tmp)
// is followed only when it is this user's or the folder owner's: one that another user left
// there may name any file of this user's, which the write would then replace or fill. The
// kernel's protected_symlinks applies the same rule, where it is on, to the links it follows.
//
// Looks at every link the path passes, in its folders as in its last part and in the chains
// they start, and refuses the first such one; a path that passes no link, or whose rest is not
// there yet, passes.
FileError RefuseLinksOfOtherUsers(const std::filesystem::path& path);

// A file another user made in such a folder (and not its owner) is theirs: they read what is
// written into it and change it afterwards, and a save that replaced it would hand the new file
// to them. The kernel's protected_regular refuses such a file to an open that may create it,
// where it is on; here it is refused to every writing. info is the file's own stat (through
// any links); the folder looked at is the one the file really is in.
FileError RefuseFilesOfOtherUsers(const std::filesystem::path& file, const struct stat& info);

} // namespace wirevane::platform
