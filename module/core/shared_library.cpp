#include "core/shared_library.h"

#include <dlfcn.h>

namespace quorstat {

SharedLibrary::SharedLibrary(const char* soname)
    : handle_(::dlopen(soname, RTLD_NOW | RTLD_LOCAL)) {}

void* SharedLibrary::address(const char* name) const {
    return handle_ ? ::dlsym(handle_, name) : nullptr;
}

}  // namespace quorstat
