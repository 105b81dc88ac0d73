#include "platform/system_info.h"

#include <sys/stat.h>
#include <sys/utsname.h>

#include <QGuiApplication>
#include <QScreen>
#include <filesystem>
#include <fstream>

namespace {

constexpr std::size_t kLabelLength = 11;

quorstat::OsVersion kernelVersion() {
    utsname name{};
    if (::uname(&name) != 0)
        return {};
    return quorstat::OsVersionFromKernelRelease(name.release);
}

std::string rootFileSystemLabel() {
    struct stat root {};
    std::error_code error;
    if (::stat("/", &root) != 0)
        return {};
    for (const auto& entry : std::filesystem::directory_iterator("/dev/disk/by-label", error)) {
        struct stat device {};
        if (::stat(entry.path().c_str(), &device) == 0 && device.st_rdev == root.st_dev)
            return entry.path().filename().string();
    }
    return {};
}

std::string machineId() {
    std::ifstream in("/etc/machine-id");
    std::string id;
    in >> id;
    return id;
}

}  // namespace

SystemFacts ReadSystemFacts() {
    SystemFacts facts;
    facts.os = kernelVersion();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        facts.screenWidth = screen->size().width();
        facts.screenHeight = screen->size().height();
    }
    std::string label = rootFileSystemLabel();
    if (label.empty())
        label = machineId();
    facts.machineLabel = label.substr(0, kLabelLength);
    return facts;
}
