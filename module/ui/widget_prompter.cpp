#include "ui/widget_prompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMenu>

#include "ui/tools_prompt_dialog.h"

namespace {

QMessageBox::Icon boxIcon(Prompter::Icon icon) {
    switch (icon) {
        case Prompter::Icon::Warning:
            return QMessageBox::Warning;
        case Prompter::Icon::Error:
            return QMessageBox::Critical;
        case Prompter::Icon::Question:
            return QMessageBox::Question;
        case Prompter::Icon::Information:
            break;
    }
    return QMessageBox::Information;
}

}  // namespace

QMessageBox::StandardButton WidgetPrompter::message(QWidget* parent, const QString& text,
                                                    const QString& caption, Icon icon,
                                                    QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton) {
    QMessageBox box(boxIcon(icon), caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void WidgetPrompter::prompt(QWidget* parent, const QString& text, int closeAfterMs) {
    CToolsPromptDialog dialog(text, closeAfterMs, parent);
    dialog.exec();
}

int WidgetPrompter::exec(QDialog& dialog) {
    return dialog.exec();
}

QAction* WidgetPrompter::popupMenu(QMenu& menu, const QPoint& at) {
    return menu.exec(at);
}

QString WidgetPrompter::openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                     const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QStringList WidgetPrompter::openFileNames(QWidget* parent, const QString& caption,
                                          const QString& dir, const QString& filter) {
    return QFileDialog::getOpenFileNames(parent, caption, dir, filter);
}

QString WidgetPrompter::saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                     const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> WidgetPrompter::chooseColor(QWidget* parent, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    return chosen.isValid() ? std::optional(chosen) : std::nullopt;
}

std::optional<QFont> WidgetPrompter::chooseFont(QWidget* parent, const QFont& initial) {
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, initial, parent);
    return accepted ? std::optional(chosen) : std::nullopt;
}
