#pragma once

#include <string>

#include "platform/os_version.h"

// Facts about the machine that are sent at login and bind saved accounts to it.
struct SystemFacts {
    quorstat::OsVersion os;
    int screenWidth = 0;
    int screenHeight = 0;
    std::string machineLabel;  // at most 11 characters; may be empty
};

// Kernel version, primary screen, and the label of the root file system (the machine id when it
// has none).
SystemFacts ReadSystemFacts();
