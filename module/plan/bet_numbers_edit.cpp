#include "plan/bet_numbers_edit.h"

#include <QMimeData>

BetNumbersEdit::BetNumbersEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("betNumbers"));
    setTabChangesFocus(true);
}

bool BetNumbersEdit::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText();
}

void BetNumbersEdit::insertFromMimeData(const QMimeData* source) {
    if (source->hasText())
        emit pasteRequested(source->text());
}
