#pragma once

#include <liblnk.h>

namespace quorstat {

class SharedLibrary;

// The liblnk functions that read a shortcut, from the library opened at the first shortcut read:
// the messenger's shortcuts are read only when a group send needs them.
struct LnkApi {
    using SizeGetter = int (*)(liblnk_file_t*, size_t*, liblnk_error_t**);
    using TextGetter = int (*)(liblnk_file_t*, uint8_t*, size_t, liblnk_error_t**);

    decltype(&liblnk_file_initialize) initialize = nullptr;
    decltype(&liblnk_file_set_ascii_codepage) setAsciiCodepage = nullptr;
    decltype(&liblnk_file_open) open = nullptr;
    decltype(&liblnk_file_close) close = nullptr;
    decltype(&liblnk_file_free) free = nullptr;
    SizeGetter localPathSize = nullptr;
    TextGetter localPath = nullptr;
    SizeGetter networkPathSize = nullptr;
    TextGetter networkPath = nullptr;
    SizeGetter argumentsSize = nullptr;
    TextGetter arguments = nullptr;

    bool resolve(const SharedLibrary& library);
};

// liblnk, opened on the first call; null when it cannot be loaded, and then no shortcut reads.
const LnkApi* Lnk();

}  // namespace quorstat
