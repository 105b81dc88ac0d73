#include "net/curl_api.h"

#include "core/shared_library.h"

namespace quorstat {
namespace {

class LoadedCurl {
public:
    LoadedCurl() : library_("libcurl.so.4") {
        decltype(&curl_global_init) globalInit = nullptr;
        complete_ = library_.resolve(globalInit, "curl_global_init") &&
                    library_.resolve(globalCleanup_, "curl_global_cleanup") && resolveAll() &&
                    globalInit(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    }
    ~LoadedCurl() {
        if (complete_)
            globalCleanup_();
    }
    LoadedCurl(const LoadedCurl&) = delete;
    LoadedCurl& operator=(const LoadedCurl&) = delete;

    const CurlApi* api() const { return complete_ ? &api_ : nullptr; }

private:
    bool resolveAll() {
        return library_.resolve(api_.easyInit, "curl_easy_init") &&
               library_.resolve(api_.easySetopt, "curl_easy_setopt") &&
               library_.resolve(api_.easyPerform, "curl_easy_perform") &&
               library_.resolve(api_.easyGetinfo, "curl_easy_getinfo") &&
               library_.resolve(api_.easyCleanup, "curl_easy_cleanup") &&
               library_.resolve(api_.slistAppend, "curl_slist_append") &&
               library_.resolve(api_.slistFreeAll, "curl_slist_free_all") &&
               library_.resolve(api_.multiInit, "curl_multi_init") &&
               library_.resolve(api_.multiAddHandle, "curl_multi_add_handle") &&
               library_.resolve(api_.multiPerform, "curl_multi_perform") &&
               library_.resolve(api_.multiPoll, "curl_multi_poll") &&
               library_.resolve(api_.multiInfoRead, "curl_multi_info_read") &&
               library_.resolve(api_.multiRemoveHandle, "curl_multi_remove_handle") &&
               library_.resolve(api_.multiCleanup, "curl_multi_cleanup");
    }

    SharedLibrary library_;
    CurlApi api_;
    decltype(&curl_global_cleanup) globalCleanup_ = nullptr;
    bool complete_ = false;
};

}  // namespace

const CurlApi* Curl() {
    // A function-local static: thread-safe on first use from the request worker or the UI.
    static const LoadedCurl curl;
    return curl.api();
}

}  // namespace quorstat
