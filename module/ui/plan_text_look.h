#pragma once

#include <QColor>
#include <QFont>

#include "core/settings.h"

class QWidget;

// How plan texts are shown: the user's font, text colour and background (the plan-text brush).
struct PlanTextLook {
    QFont font;
    QColor text;
    QColor background;

    static PlanTextLook FromSettings(const quorstat::Settings& settings);
    // Gives a plan-text edit or sample the look; its own style sheet, so a page's or dialog's
    // sheet cannot cover it.
    void applyTo(QWidget& widget) const;

    bool operator==(const PlanTextLook&) const = default;
};
