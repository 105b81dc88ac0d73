#include "ui/plan_text_look.h"

#include <QWidget>

#include "ui/log_font.h"

PlanTextLook PlanTextLook::FromSettings(const quorstat::Settings& settings) {
    return {FontFromLogFont(settings.planTextFont), FromColorRef(settings.planTextFore),
            FromColorRef(settings.planTextBack)};
}

void PlanTextLook::applyTo(QWidget& widget) const {
    widget.setFont(font);
    widget.setStyleSheet(
        QStringLiteral("color: %1; background-color: %2;").arg(text.name(), background.name()));
}
