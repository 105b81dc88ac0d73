#pragma once

#include "core/shared_library.h"

namespace quorstat {

// A table of functions from a library opened at its first use. `Api` holds the function pointers
// and fills them in `bool resolve(const SharedLibrary&)`, false when one is missing.
template <class Api>
class LoadedApi {
public:
    explicit LoadedApi(const char* soname) : library_(soname) {
        complete_ = library_.isLoaded() && api_.resolve(library_);
    }

    // Null when the library or one of its functions is missing.
    const Api* get() const { return complete_ ? &api_ : nullptr; }

private:
    SharedLibrary library_;
    Api api_;
    bool complete_ = false;
};

}  // namespace quorstat
