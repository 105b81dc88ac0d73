#include "platform/shell_link.h"

#include <liblnk.h>

#include <memory>
#include <vector>

namespace quorstat {
namespace {

struct FileCloser {
    void operator()(liblnk_file_t* file) const {
        liblnk_file_close(file, nullptr);
        liblnk_file_free(&file, nullptr);
    }
};
using LinkFile = std::unique_ptr<liblnk_file_t, FileCloser>;

using SizeGetter = int (*)(liblnk_file_t*, size_t*, liblnk_error_t**);
using TextGetter = int (*)(liblnk_file_t*, uint8_t*, size_t, liblnk_error_t**);

// The UTF-8 text of one field; empty when the link has none or it cannot be read.
std::string linkText(liblnk_file_t* file, SizeGetter getSize, TextGetter getText) {
    std::size_t size = 0;
    if (getSize(file, &size, nullptr) != 1 || size == 0)
        return {};
    std::vector<uint8_t> text(size);
    if (getText(file, text.data(), size, nullptr) != 1)
        return {};
    return std::string(reinterpret_cast<const char*>(text.data()), size - 1);
}

LinkFile openLink(const std::filesystem::path& path) {
    liblnk_file_t* file = nullptr;
    if (liblnk_file_initialize(&file, nullptr) != 1)
        return nullptr;
    liblnk_file_set_ascii_codepage(file, LIBLNK_CODEPAGE_WINDOWS_936, nullptr);
    if (liblnk_file_open(file, path.c_str(), LIBLNK_OPEN_READ, nullptr) != 1) {
        liblnk_file_free(&file, nullptr);
        return nullptr;
    }
    return LinkFile(file);
}

}  // namespace

std::optional<ShellLink> ReadShellLink(const std::filesystem::path& path) {
    const LinkFile file = openLink(path);
    if (!file)
        return std::nullopt;
    ShellLink link;
    link.targetPath =
        linkText(file.get(), liblnk_file_get_utf8_local_path_size, liblnk_file_get_utf8_local_path);
    if (link.targetPath.empty())
        link.targetPath = linkText(file.get(), liblnk_file_get_utf8_network_path_size,
                                   liblnk_file_get_utf8_network_path);
    if (link.targetPath.empty())
        return std::nullopt;
    link.arguments = linkText(file.get(), liblnk_file_get_utf8_command_line_arguments_size,
                              liblnk_file_get_utf8_command_line_arguments);
    return link;
}

}  // namespace quorstat
