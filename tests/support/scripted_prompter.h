#pragma once

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

#include "ui/prompter.h"

// Answers every modal interaction from a script and records what was shown; installs itself for
// its lifetime.
class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter();
    ~ScriptedPrompter() override;
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;

    // What a dialog run through exec() does before it "closes"; returns the dialog's result.
    using DialogScript = std::function<int(QDialog&)>;

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

    std::deque<QMessageBox::StandardButton> answers;  // message answers; Ok when empty
    std::deque<DialogScript> dialogScripts;           // rejected when empty
    std::deque<QString> fileNames;                    // cancelled when empty
    std::deque<QColor> colors;                        // cancelled when empty
    std::deque<QFont> fonts;                          // cancelled when empty
    std::deque<QStringList> fileLists;                // for openFileNames; cancelled when empty
    std::deque<QString> menuChoices;  // the text of the item to choose; none chosen when empty

    struct Shown {
        QString caption;
        QString text;
        Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
    };
    std::vector<Shown> messages;
    struct SaveDialog {
        QString dir;
        QString filter;
        QString defaultSuffix;
    };
    std::vector<SaveDialog> saveDialogs;
    QStringList prompts;
    QStringList dialogTitles;
    QList<QStringList> menus;  // the item texts of each menu popped up, separators left out

private:
    QString nextFileName();
};
