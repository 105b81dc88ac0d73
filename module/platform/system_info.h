#pragma once

#include <string>

// Facts about the machine that are sent at login and bind saved accounts to it.
struct SystemFacts {
    int osMajor = 0;
    int osMinor = 0;
    int screenWidth = 0;
    int screenHeight = 0;
    std::string machineLabel;  // at most 11 characters; may be empty
};

// Kernel version, primary screen, and the label of the root file system (the machine id when it
// has none).
SystemFacts ReadSystemFacts();
