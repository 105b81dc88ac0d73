#pragma once

#include <QString>

// The host program: release check, single instance, then the window for the whole run.
class CQuorlanApp {
public:
    CQuorlanApp();

    // Returns the process exit code.
    int run();

    const QString title;
    const QString version;
    const QString exeDir;

private:
    // True when a newer release was handed to the updater (or the updater is missing): end now.
    bool handOffToUpdater() const;
};
