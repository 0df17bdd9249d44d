#pragma once

#include "platform/file_error.h"

#include <filesystem>

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

} // namespace wirevane::platform
