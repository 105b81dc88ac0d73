#include "net/curl_api.h"

#include "core/loaded_api.h"

namespace quorstat {

bool CurlApi::resolve(const SharedLibrary& library) {
    decltype(&curl_global_init) globalInit = nullptr;
    return library.resolve(globalInit, "curl_global_init") &&
           library.resolve(easyInit, "curl_easy_init") &&
           library.resolve(easySetopt, "curl_easy_setopt") &&
           library.resolve(easyPerform, "curl_easy_perform") &&
           library.resolve(easyGetinfo, "curl_easy_getinfo") &&
           library.resolve(easyCleanup, "curl_easy_cleanup") &&
           library.resolve(slistAppend, "curl_slist_append") &&
           library.resolve(slistFreeAll, "curl_slist_free_all") &&
           library.resolve(multiInit, "curl_multi_init") &&
           library.resolve(multiAddHandle, "curl_multi_add_handle") &&
           library.resolve(multiPerform, "curl_multi_perform") &&
           library.resolve(multiPoll, "curl_multi_poll") &&
           library.resolve(multiInfoRead, "curl_multi_info_read") &&
           library.resolve(multiRemoveHandle, "curl_multi_remove_handle") &&
           library.resolve(multiCleanup, "curl_multi_cleanup") &&
           globalInit(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

const CurlApi* Curl() {
    // A function-local static: made once, safely, whichever thread asks first.
    static const LoadedApi<CurlApi> curl("libcurl.so.4");
    return curl.get();
}

}  // namespace quorstat
