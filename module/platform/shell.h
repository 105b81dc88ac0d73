#pragma once

#include <QString>
#include <QStringList>

// Starts programs and opens web pages, never through a command interpreter.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool openUrl(const QString& url) = 0;
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;

    static Shell& instance();
    // Installs a shell (tests); null restores the desktop's.
    static void install(Shell* shell);
};
