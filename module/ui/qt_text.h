#pragma once

#include <QString>
#include <string_view>

// The core speaks UTF-8 in standard strings; windows speak QString.
inline QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
