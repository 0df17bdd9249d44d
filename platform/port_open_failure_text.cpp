#include "platform/port_open_failure.h"

#include <cstdio>

namespace wirevane::platform {

namespace {

std::string Octal(unsigned mode)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04o", mode & 07777u);
    return text;
}

std::string PermissionText(const PortOpenFacts& facts)
{
    const std::string start = "Permission denied for " + facts.path + ": ";
    if (facts.groupMayUse && !facts.userInGroup)
        return start + "your user is not in the group that owns it (" + facts.groupName +
               "). Add it with: sudo usermod -aG " + facts.groupName + " " + facts.userName +
               ", then log in again.";
    if (facts.groupMayUse && !facts.sessionHasGroup)
        return start + "your user was added to the group that owns it (" + facts.groupName +
               ") after this session began. Log in again.";
    return start + "the device (owner " + facts.ownerName + ", group " + facts.groupName +
           ", mode " + Octal(facts.mode) + ") does not let " + facts.userName +
           " read and write it.";
}

std::string BusyText(const PortOpenFacts& facts)
{
    const std::string start = facts.path + " is busy: ";
    if (facts.holders.empty())
        return start + "another program holds it.";
    std::string text = start + "held by ";
    for (std::size_t i = 0; i < facts.holders.size(); ++i) {
        if (i > 0)
            text += i + 1 == facts.holders.size() ? " and " : ", ";
        text += facts.holders[i].name + " (process " + std::to_string(facts.holders[i].pid) + ")";
    }
    return text + ".";
}

} // namespace

std::string PortOpenFailureText(const PortOpenFacts& facts)
{
    return facts.cause == PortOpenFacts::Cause::Permission ? PermissionText(facts)
                                                           : BusyText(facts);
}

} // namespace wirevane::platform
