#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// Root writes into any directory; while this lives the process sets aside that right
// (CAP_DAC_OVERRIDE), so a directory's mode binds it as it binds any user.
class DirectoryModesApply {
public:
    DirectoryModesApply() {
        saved_ok_ = syscall(SYS_capget, &header_, saved_) == 0;
        if (!saved_ok_)
            return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        syscall(SYS_capset, &header_, reduced);
    }
    ~DirectoryModesApply() {
        if (saved_ok_)
            syscall(SYS_capset, &header_, saved_);
    }
    DirectoryModesApply(const DirectoryModesApply&) = delete;
    DirectoryModesApply& operator=(const DirectoryModesApply&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool saved_ok_ = false;
};
