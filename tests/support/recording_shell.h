#pragma once

#include <QStringList>

#include "platform/shell.h"

// Keeps what it is asked to open or start instead of doing it; installs itself for its lifetime.
class RecordingShell : public Shell {
public:
    RecordingShell() { Shell::install(this); }
    ~RecordingShell() override { Shell::install(nullptr); }
    RecordingShell(const RecordingShell&) = delete;
    RecordingShell& operator=(const RecordingShell&) = delete;

    bool openUrl(const QString& url) override {
        urls << url;
        return true;
    }
    bool startProgram(const QString& program, const QStringList&) override {
        programs << program;
        return true;
    }

    QStringList urls;
    QStringList programs;
};
