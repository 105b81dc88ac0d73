#include "scripted_prompter.h"

#include <QMenu>

namespace {

template <typename T>
std::optional<T> takeFirst(std::deque<T>& answers) {
    if (answers.empty())
        return std::nullopt;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace

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
    const std::optional<QString> choice = takeFirst(menuChoices);
    if (!choice)
        return nullptr;
    for (QAction* action : menu.actions()) {
        if (!action->isSeparator() && action->isEnabled() && action->text() == *choice)
            return action;
    }
    return nullptr;
}

QString ScriptedPrompter::nextFileName() {
    return takeFirst(fileNames).value_or(QString());
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
    return takeFirst(colors);
}

std::optional<QFont> ScriptedPrompter::chooseFont(QWidget*, const QFont&) {
    return takeFirst(fonts);
}
