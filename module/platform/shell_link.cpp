#include "platform/shell_link.h"

#include <memory>
#include <vector>

#include "platform/lnk_api.h"

namespace quorstat {
namespace {

struct FileCloser {
    const LnkApi* lnk;
    void operator()(liblnk_file_t* file) const {
        lnk->close(file, nullptr);
        lnk->free(&file, nullptr);
    }
};
using LinkFile = std::unique_ptr<liblnk_file_t, FileCloser>;

// The UTF-8 text of one field; empty when the link has none or it cannot be read.
std::string linkText(liblnk_file_t* file, LnkApi::SizeGetter getSize, LnkApi::TextGetter getText) {
    std::size_t size = 0;
    if (getSize(file, &size, nullptr) != 1 || size == 0)
        return {};
    std::vector<uint8_t> text(size);
    if (getText(file, text.data(), size, nullptr) != 1)
        return {};
    return std::string(reinterpret_cast<const char*>(text.data()), size - 1);
}

LinkFile openLink(const LnkApi& lnk, const std::filesystem::path& path) {
    liblnk_file_t* file = nullptr;
    if (lnk.initialize(&file, nullptr) != 1)
        return LinkFile(nullptr, FileCloser{&lnk});
    lnk.setAsciiCodepage(file, LIBLNK_CODEPAGE_WINDOWS_936, nullptr);
    if (lnk.open(file, path.c_str(), LIBLNK_OPEN_READ, nullptr) != 1) {
        lnk.free(&file, nullptr);
        return LinkFile(nullptr, FileCloser{&lnk});
    }
    return LinkFile(file, FileCloser{&lnk});
}

}  // namespace

std::optional<ShellLink> ReadShellLink(const std::filesystem::path& path) {
    const LnkApi* lnk = Lnk();
    if (!lnk)
        return std::nullopt;
    const LinkFile file = openLink(*lnk, path);
    if (!file)
        return std::nullopt;
    ShellLink link;
    link.targetPath = linkText(file.get(), lnk->localPathSize, lnk->localPath);
    if (link.targetPath.empty())
        link.targetPath = linkText(file.get(), lnk->networkPathSize, lnk->networkPath);
    if (link.targetPath.empty())
        return std::nullopt;
    link.arguments = linkText(file.get(), lnk->argumentsSize, lnk->arguments);
    return link;
}

}  // namespace quorstat
