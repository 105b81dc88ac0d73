#pragma once

#include <QColor>
#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <optional>

class QAction;
class QDialog;
class QMenu;
class QPoint;
class QWidget;

// Every modal interaction of host and module goes through here, so tests can answer it.
class Prompter {
public:
    enum class Icon { Information, Warning, Error, Question };

    virtual ~Prompter() = default;

    virtual QMessageBox::StandardButton message(
        QWidget* parent, const QString& text, const QString& caption = defaultCaption(),
        Icon icon = Icon::Information, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;
    // A small topmost window with one text that closes itself after `closeAfterMs`.
    virtual void prompt(QWidget* parent, const QString& text, int closeAfterMs = 800) = 0;
    // Runs one of our own modal dialogs; returns its result code.
    virtual int exec(QDialog& dialog) = 0;
    // Pops a menu up at a global position; the action chosen, or null when none was.
    virtual QAction* popupMenu(QMenu& menu, const QPoint& at) = 0;
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    // Several existing files at once; empty when cancelled.
    virtual QStringList openFileNames(QWidget* parent, const QString& caption, const QString& dir,
                                      const QString& filter) = 0;
    // Asks before overwriting; a name typed without a suffix gets `defaultSuffix`.
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter, const QString& defaultSuffix = {}) = 0;
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;

    static QString defaultCaption() { return QStringLiteral("提示信息"); }

    static Prompter& instance();
    // Installs a prompter (tests); null restores the one that shows real windows.
    static void install(Prompter* prompter);
};
