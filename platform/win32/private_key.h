#pragma once

#include <filesystem>
#include <string>

namespace wirevane::platform {

// A random key of 32 hexadecimal digits kept in the file: the one the file holds, or a new
// one written there when it holds none. The file's folder is made when it is missing; the key
// is as private as that folder. Empty when no key can be read or kept.
std::string PrivateKey(const std::filesystem::path& file);

} // namespace wirevane::platform
