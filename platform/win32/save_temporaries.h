#pragma once

#include <filesystem>

namespace wirevane::platform {

// The file a save writes beside its target before it puts it in the target's place: hidden by its
// leading dot, and named for the target, the process and a counter, so that two saves of this
// process or of two copies never share one, and the name says whose it was.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target, unsigned attempt);

// Removes what killed saves of the target left: temporaries of the target's name whose process no
// longer runs. A save that runs, in this process or another, keeps its temporary; so do names off
// the pattern, folders, links and files with a second name.
void RemoveStaleTemporaries(const std::filesystem::path& target);

} // namespace wirevane::platform
