#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "core/settings.h"

// The settings keep fonts as Windows font descriptions and colours as Windows colour values (red
// in the lowest byte); windows need them as QFont and QColor.

// A font of the given face and pixel size; the Windows faces are missing on most other systems,
// so a CJK face stands in.
QFont MakeFont(const QString& family, int pixelSize, int weight = 400);

QFont FontFromLogFont(const quorstat::Settings::LogFont& logFont);
// What a font chooser gave, as a description: face, size as a character height in pixels, weight
// and the three styles; the fields a QFont has no word for stay as in `kept`.
quorstat::Settings::LogFont LogFontFromFont(const QFont& font, quorstat::Settings::LogFont kept);

QColor FromColorRef(unsigned value);
unsigned ToColorRef(const QColor& colour);
