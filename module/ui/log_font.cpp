#include "ui/log_font.h"

#include <QFontInfo>
#include <algorithm>
#include <cstdlib>

#include "core/text_codec.h"

namespace {

constexpr std::size_t kFaceNameBytes = 31;  // the face name field of a font description
constexpr int kNormalWeight = 400;

}  // namespace

QFont MakeFont(const QString& family, int pixelSize, int weight) {
    QFont font(family);
    font.setFamilies(
        {family, QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei")});
    if (pixelSize > 0)
        font.setPixelSize(pixelSize);
    // Weight 0 leaves the choice to the system, which takes a normal weight.
    font.setWeight(static_cast<QFont::Weight>(weight > 0 ? std::min(weight, 1000) : kNormalWeight));
    return font;
}

// A negative height is the character height, a positive one the cell height; both are taken as
// the pixel size, and 0 keeps the default size.
QFont FontFromLogFont(const quorstat::Settings::LogFont& logFont) {
    QFont font = MakeFont(QString::fromStdString(logFont.faceName), std::abs(logFont.height),
                          logFont.weight);
    font.setItalic(logFont.italic != 0);
    font.setUnderline(logFont.underline != 0);
    font.setStrikeOut(logFont.strikeOut != 0);
    return font;
}

// Stored as a character height, as a Windows font chooser stores it.
quorstat::Settings::LogFont LogFontFromFont(const QFont& font, quorstat::Settings::LogFont kept) {
    kept.faceName = quorstat::TruncateAnsi(font.family().toStdString(), kFaceNameBytes);
    kept.height = -QFontInfo(font).pixelSize();
    kept.weight = font.weight();
    kept.italic = font.italic() ? 1 : 0;
    kept.underline = font.underline() ? 1 : 0;
    kept.strikeOut = font.strikeOut() ? 1 : 0;
    return kept;
}

QColor FromColorRef(unsigned value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

unsigned ToColorRef(const QColor& colour) {
    return static_cast<unsigned>(colour.red()) | static_cast<unsigned>(colour.green()) << 8 |
           static_cast<unsigned>(colour.blue()) << 16;
}
