#include "release_check.h"

#include "net/curl_api.h"

namespace {

std::size_t appendBody(char* data, std::size_t size, std::size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

std::optional<std::string> firstLine(std::string text) {
    text += "\r\n";
    const std::string line = text.substr(0, text.find("\r\n"));
    if (line.empty())
        return std::nullopt;
    return line;
}

}  // namespace

ReleaseCheck::ReleaseCheck(std::string updateServer, long limitMs)
    : updateServer_(std::move(updateServer)), limitMs_(limitMs) {}

std::optional<std::string> ReleaseCheck::fetchList(std::string_view location) const {
    const quorstat::CurlApi* api = quorstat::Curl();
    CURL* curl = api ? api->easyInit() : nullptr;
    if (!curl)
        return std::nullopt;
    const std::string url = "http://" + updateServer_ + std::string(location) + "DetailList.zip";
    std::string body;
    curl_slist* headers = api->slistAppend(nullptr, "Cache-Control: no-cache");
    headers = api->slistAppend(headers, "Pragma: no-cache");
    api->easySetopt(curl, CURLOPT_URL, url.c_str());
    api->easySetopt(curl, CURLOPT_USERAGENT, "Download");
    api->easySetopt(curl, CURLOPT_HTTPHEADER, headers);
    api->easySetopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limitMs_);
    api->easySetopt(curl, CURLOPT_TIMEOUT_MS, limitMs_);
    api->easySetopt(curl, CURLOPT_NOSIGNAL, 1L);
    api->easySetopt(curl, CURLOPT_WRITEFUNCTION, appendBody);
    api->easySetopt(curl, CURLOPT_WRITEDATA, &body);
    const CURLcode result = api->easyPerform(curl);
    long status = 0;
    curl_off_t announced = -1;
    api->easyGetinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    api->easyGetinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
    api->slistFreeAll(headers);
    api->easyCleanup(curl);
    const bool complete = result == CURLE_OK && status == 200 && announced > 0 &&
                          static_cast<curl_off_t>(body.size()) == announced;
    return complete ? std::optional(body) : std::nullopt;
}

bool ReleaseCheck::newerReleaseAvailable(std::string_view currentVersion) const {
    if (updateServer_.empty())
        return false;
    const auto first = fetchList(kFirstLocation);
    if (!first)
        return false;
    return IsNewerRelease(first, fetchList(kSecondLocation), currentVersion);
}

bool IsNewerRelease(const std::optional<std::string>& firstList,
                    const std::optional<std::string>& secondList, std::string_view currentVersion) {
    if (!firstList || !secondList)
        return false;
    const auto first = firstLine(*firstList);
    const auto second = firstLine(*secondList);
    if (!first || !second)
        return false;
    const std::string& chosen = *first > *second ? *first : *second;
    return chosen > currentVersion;
}
