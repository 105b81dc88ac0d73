#pragma once

#include <QPlainTextEdit>

// The multi-line numbers field. Whatever would put text into it — Ctrl+V, the context menu's
// paste, a drop — is handed on as a paste request instead, so pasted text always goes through
// the paste procedure.
class BetNumbersEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit BetNumbersEdit(QWidget* parent = nullptr);

signals:
    void pasteRequested(const QString& text);

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
