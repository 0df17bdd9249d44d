#include "platform/message_target.h"

#include <map>
#include <mutex>
#include <string>

namespace wirevane::platform {

uint32_t RegisterMessageName(std::u16string_view name)
{
    static std::mutex lock;
    static std::map<std::u16string, uint32_t, std::less<>> ids;
    std::lock_guard guard(lock);
    auto found = ids.find(name);
    if (found != ids.end())
        return found->second;
    const uint32_t id = 0xC000 + static_cast<uint32_t>(ids.size());
    ids.emplace(std::u16string(name), id);
    return id;
}

} // namespace wirevane::platform
