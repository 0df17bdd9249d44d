#pragma once

#include "platform/serial_device.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wirevane::platform {

// A process that has the device open.
struct PortHolder {
    int pid = 0;
    std::string name;
};

// What the system tells about a device that would not open, gathered right after the attempt.
struct PortOpenFacts {
    enum class Cause {
        // The system's permission check refused the user.
        Permission,
        // Another program, or another port object of this one, holds the device.
        Busy,
    };
    Cause cause = Cause::Busy;
    std::string path;
    // The user the program runs as, and the owner, group and permission bits of the device.
    std::string userName;
    std::string ownerName;
    std::string groupName;
    unsigned mode = 0;
    // The group's bits let its members read and write the device.
    bool groupMayUse = false;
    // The user belongs to the group in the system's group list, and this session has it too:
    // a user added to a group gets it only with the next login.
    bool userInGroup = false;
    bool sessionHasGroup = false;
    // Those of the device's holders the system lets this user see.
    std::vector<PortHolder> holders;
};

// The reason in words, naming what the user can do about it: the group to join and the
// command that adds the user, or the program that holds the device.
std::string PortOpenFailureText(const PortOpenFacts& facts);

// Why the open of the device at path failed, when the system gives a reason worth more than
// the port error value: a refused permission or a device in use. The port error value says
// "access denied" for both, as Windows does; the system code of the failed open tells them
// apart. Empty otherwise.
std::string DescribePortOpenFailure(const std::string& path, const PortOpenError& error);

} // namespace wirevane::platform
