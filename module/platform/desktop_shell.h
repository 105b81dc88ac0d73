#pragma once

#include "platform/shell.h"

// Opens pages in the desktop's browser and starts programs detached.
class DesktopShell : public Shell {
public:
    bool openUrl(const QString& url) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
};
