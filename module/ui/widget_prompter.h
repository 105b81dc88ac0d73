#pragma once

#include "ui/prompter.h"

// Shows real message boxes and dialogs.
class WidgetPrompter : public Prompter {
public:
    QMessageBox::StandardButton message(QWidget* parent, const QString& text,
                                        const QString& caption, Icon icon,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override;
    void prompt(QWidget* parent, const QString& text, int closeAfterMs) override;
    int exec(QDialog& dialog) override;
    QAction* popupMenu(QMenu& menu, const QPoint& at) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    QStringList openFileNames(QWidget* parent, const QString& caption, const QString& dir,
                              const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter, const QString& defaultSuffix) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
};
