#include "platform/port_open_failure.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace wirevane::platform {

namespace {

std::string UserName(uid_t uid)
{
    if (const passwd* entry = getpwuid(uid); entry != nullptr && entry->pw_name != nullptr)
        return entry->pw_name;
    return std::to_string(uid);
}

std::string GroupName(gid_t gid)
{
    if (const group* entry = getgrgid(gid); entry != nullptr && entry->gr_name != nullptr)
        return entry->gr_name;
    return std::to_string(gid);
}

bool SessionHasGroup(gid_t gid)
{
    if (getegid() == gid)
        return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    if (getgroups(count, groups.data()) != count)
        return false;
    return std::find(groups.begin(), groups.end(), gid) != groups.end();
}

// Membership as the group database has it now, which a session started earlier lacks.
bool UserInGroup(uid_t uid, gid_t gid)
{
    const passwd* entry = getpwuid(uid);
    if (entry == nullptr)
        return SessionHasGroup(gid);
    const std::string name = entry->pw_name;
    const gid_t primary = entry->pw_gid;
    int count = 64;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    if (getgrouplist(name.c_str(), primary, groups.data(), &count) < 0) {
        groups.resize(static_cast<std::size_t>(count));
        if (getgrouplist(name.c_str(), primary, groups.data(), &count) < 0)
            return SessionHasGroup(gid);
    }
    groups.resize(static_cast<std::size_t>(count));
    return std::find(groups.begin(), groups.end(), gid) != groups.end();
}

// Every process whose open files include the device, found by the device number so that a
// holder that opened it through another name (a by-id link) is found too. Processes of other
// users stay hidden unless the system shows their files to this one.
std::vector<PortHolder> Holders(dev_t device)
{
    std::vector<PortHolder> holders;
    std::error_code error;
    for (const auto& process : std::filesystem::directory_iterator("/proc", error)) {
        const std::string pidText = process.path().filename().string();
        if (pidText.empty() || !std::all_of(pidText.begin(), pidText.end(),
                                            [](unsigned char c) { return std::isdigit(c); }))
            continue;
        std::error_code unreadable;
        for (const auto& fd :
             std::filesystem::directory_iterator(process.path() / "fd", unreadable)) {
            struct stat info {};
            if (stat(fd.path().c_str(), &info) != 0 || !S_ISCHR(info.st_mode) ||
                info.st_rdev != device)
                continue;
            std::string name;
            std::getline(std::ifstream(process.path() / "comm"), name);
            holders.push_back({std::atoi(pidText.c_str()), name});
            break;
        }
    }
    std::sort(holders.begin(), holders.end(),
              [](const PortHolder& a, const PortHolder& b) { return a.pid < b.pid; });
    return holders;
}

} // namespace

std::string DescribePortOpenFailure(const std::string& path, const PortOpenError& error)
{
    const int cause = error.systemCode;
    PortOpenFacts facts;
    facts.path = path;
    struct stat node {};
    const bool known = stat(path.c_str(), &node) == 0;
    if (cause == EACCES || cause == EPERM) {
        if (!known)
            return {};
        facts.cause = PortOpenFacts::Cause::Permission;
        facts.userName = UserName(geteuid());
        facts.ownerName = UserName(node.st_uid);
        facts.groupName = GroupName(node.st_gid);
        facts.mode = node.st_mode & 07777u;
        facts.groupMayUse = (node.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
        facts.userInGroup = UserInGroup(geteuid(), node.st_gid);
        facts.sessionHasGroup = SessionHasGroup(node.st_gid);
    } else if (cause == EBUSY || cause == EWOULDBLOCK) {
        facts.cause = PortOpenFacts::Cause::Busy;
        if (known && S_ISCHR(node.st_mode))
            facts.holders = Holders(node.st_rdev);
    } else {
        return {};
    }
    return PortOpenFailureText(facts);
}

} // namespace wirevane::platform
