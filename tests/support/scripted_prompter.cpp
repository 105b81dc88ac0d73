#include "scripted_prompter.h"

#include <QMenu>

ScriptedPrompter::ScriptedPrompter() {
    Prompter::install(this);
}

ScriptedPrompter::~ScriptedPrompter() {
    Prompter::install(nullptr);
}

QMessageBox::StandardButton ScriptedPrompter::message(QWidget*, const QString& text,
                                                      const QString& caption, Icon icon,
                                                      QMessageBox::StandardButtons buttons,
                                                      QMessageBox::StandardButton defaultButton) {
    messages.push_back({caption, text, icon, buttons, defaultButton});
    if (answers.empty())
        return QMessageBox::Ok;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedPrompter::prompt(QWidget*, const QString& text, int) {
    prompts << text;
}

int ScriptedPrompter::exec(QDialog& dialog) {
    dialogTitles << dialog.windowTitle();
    if (dialogScripts.empty())
        return QDialog::Rejected;
    auto script = std::move(dialogScripts.front());
    dialogScripts.pop_front();
    return script(dialog);
}

QAction* ScriptedPrompter::popupMenu(QMenu& menu, const QPoint&) {
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    menus << texts;
    if (menuChoices.empty())
        return nullptr;
    const QString choice = menuChoices.front();
    menuChoices.pop_front();
    for (QAction* action : menu.actions()) {
        if (!action->isSeparator() && action->isEnabled() && action->text() == choice)
            return action;
    }
    return nullptr;
}

QString ScriptedPrompter::nextFileName() {
    if (fileNames.empty())
        return {};
    QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString ScriptedPrompter::openFileName(QWidget*, const QString&, const QString&, const QString&) {
    return nextFileName();
}

QStringList ScriptedPrompter::openFileNames(QWidget*, const QString&, const QString&,
                                            const QString&) {
    if (fileLists.empty())
        return {};
    QStringList names = fileLists.front();
    fileLists.pop_front();
    return names;
}

QString ScriptedPrompter::saveFileName(QWidget*, const QString&, const QString& dir,
                                       const QString& filter, const QString& defaultSuffix) {
    saveDialogs.push_back({dir, filter, defaultSuffix});
    return nextFileName();
}

std::optional<QColor> ScriptedPrompter::chooseColor(QWidget*, const QColor&) {
    return std::nullopt;
}

std::optional<QFont> ScriptedPrompter::chooseFont(QWidget*, const QFont&) {
    return std::nullopt;
}
