#pragma once

#include "platform/file_error.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

namespace wirevane::platform {

// Reads the whole file into bytes. A missing file reports notFound() and leaves bytes empty.
// Only a regular file (a link to one included) of at most 64 MiB is read: a FIFO, a device or a
// larger file is refused with a message saying why, without blocking and without reading it.
FileError ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes);

// Called with the finished, flushed temporary file just before it replaces the target; a failure
// it returns aborts the replacement as if the rename had failed. Lets tests interrupt a write at
// its most delicate moment.
using BeforeReplaceHook = std::function<FileError(const std::filesystem::path& temporary)>;

// Replaces the file with the bytes so that the file is at every moment either the old whole file
// or the new whole file: the bytes go to a temporary file in the same folder, are flushed to the
// disk and renamed over the target. On failure the temporary file is removed and the old file
// is untouched. A missing folder is not created. A target whose permission bits do not let
// this user write it is refused as accessDenied(), as writing it in place would be; the new file
// keeps the old one's owner, group and mode as far as the user may set them.
// Only a regular file is replaced; through a link, the file it names is replaced and the link
// stays. A device, a FIFO, anything else that is not a regular file, and a link that names
// nothing are refused with a message saying why and left exactly as they were.
// On Linux a successful replacement also removes the temporary files of the same target that an
// earlier save, killed before its rename, left in the folder: only files of this function's own
// name pattern that are regular files of this user's with no other name and that no running
// save holds. Elsewhere they stay.
FileError ReplaceFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                                const BeforeReplaceHook& beforeReplace = {});

// Whether ReplaceFileAtomically could write the file now, asked before long work whose result
// goes there so that a wrong name is said at once rather than after the work: the same refusals,
// and a temporary file made and removed again in the folder. The target is left untouched.
FileError CheckReplaceable(const std::filesystem::path& path);

} // namespace wirevane::platform
