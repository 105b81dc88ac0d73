#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The smallest shell link (".lnk") that names a local target and its arguments:
//   header, 76 bytes: size 0x4C, the shell-link class id, flags HasLinkInfo | HasArguments |
//     IsUnicode, attribute ARCHIVE, times, size, icon 0, show command 1, no hot key, reserved;
//   link info: sizes, flag VolumeIDAndLocalBasePath, a volume id (fixed drive, serial, empty
//     label), the local base path in the ANSI code page with its zero, an empty path suffix;
//   the arguments as a count of UTF-16 units followed by the units, little-endian;
//   the terminal block (four zero bytes).
class ShellLinkFile {
public:
    static std::string bytes(std::string_view ansiTarget, std::u16string_view arguments) {
        ShellLinkFile file;
        file.header();
        file.linkInfo(ansiTarget);
        file.u16(static_cast<std::uint16_t>(arguments.size()));
        for (const char16_t unit : arguments)
            file.u16(static_cast<std::uint16_t>(unit));
        file.u32(0);
        return file.out_;
    }

private:
    static constexpr std::uint32_t kHasLinkInfo = 0x02;
    static constexpr std::uint32_t kHasArguments = 0x20;
    static constexpr std::uint32_t kIsUnicode = 0x80;
    static constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
    static constexpr std::uint32_t kVolumeIdSize = 0x11;

    void u16(std::uint16_t value) {
        out_ += static_cast<char>(value & 0xFF);
        out_ += static_cast<char>(value >> 8);
    }
    void u32(std::uint32_t value) {
        u16(static_cast<std::uint16_t>(value & 0xFFFF));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    void header() {
        u32(0x4C);
        out_ += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
        u32(kHasLinkInfo | kHasArguments | kIsUnicode);
        u32(0x20);
        out_.append(24, '\0');  // creation, access and write times
        u32(0);                 // target size
        u32(0);                 // icon index
        u32(1);                 // show normal
        u16(0);                 // hot key
        out_.append(10, '\0');  // reserved
    }
    void linkInfo(std::string_view target) {
        const auto pathSize = static_cast<std::uint32_t>(target.size() + 1);
        const std::uint32_t pathOffset = kLinkInfoHeaderSize + kVolumeIdSize;
        u32(pathOffset + pathSize + 1);
        u32(kLinkInfoHeaderSize);
        u32(1);
        u32(kLinkInfoHeaderSize);
        u32(pathOffset);
        u32(0);
        u32(pathOffset + pathSize);
        u32(kVolumeIdSize);
        u32(3);  // fixed drive
        u32(0x1234ABCD);
        u32(0x10);
        out_ += '\0';
        out_ += target;
        out_ += '\0';
        out_ += '\0';
    }

    std::string out_;
};
