#pragma once

#include <filesystem>
#include <string>

namespace wirevane::platform {

// Empty when the folder is one no other user could put a file into before this one: a real
// folder (not a link to one), this user's, and writable by no one else. Otherwise the reason,
// for the user to read.
std::string WhyNotPrivate(const std::filesystem::path& folder);

// Makes the folder and any missing parents for this user alone (mode 0700); an existing one is
// left as it is, for WhyNotPrivate to judge. 0 or the errno of the step that failed.
int MakePrivateFolders(const std::filesystem::path& folder);

} // namespace wirevane::platform
