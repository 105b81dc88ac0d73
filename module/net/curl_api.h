#pragma once

#include <curl/curl.h>

namespace quorstat {

class SharedLibrary;

// The libcurl functions the program calls, from the library opened at the first transfer:
// linked, libcurl would load its TLS, Kerberos and LDAP libraries before the first window shows.
struct CurlApi {
    decltype(&curl_easy_init) easyInit = nullptr;
    decltype(&curl_easy_setopt) easySetopt = nullptr;
    decltype(&curl_easy_perform) easyPerform = nullptr;
    decltype(&curl_easy_getinfo) easyGetinfo = nullptr;
    decltype(&curl_easy_cleanup) easyCleanup = nullptr;
    decltype(&curl_slist_append) slistAppend = nullptr;
    decltype(&curl_slist_free_all) slistFreeAll = nullptr;
    decltype(&curl_multi_init) multiInit = nullptr;
    decltype(&curl_multi_add_handle) multiAddHandle = nullptr;
    decltype(&curl_multi_perform) multiPerform = nullptr;
    decltype(&curl_multi_poll) multiPoll = nullptr;
    decltype(&curl_multi_info_read) multiInfoRead = nullptr;
    decltype(&curl_multi_remove_handle) multiRemoveHandle = nullptr;
    decltype(&curl_multi_cleanup) multiCleanup = nullptr;

    // Also initialises the library, whose global state then lasts as long as the process.
    bool resolve(const SharedLibrary& library);
};

// libcurl, opened and initialised on the first call; null when it cannot be loaded, and then
// every transfer fails as an unreachable service would.
const CurlApi* Curl();

}  // namespace quorstat
