#pragma once

#include <QWidget>

// The module's central window, a child filling the host window. Its panels come with the
// console's own work; until then it is an empty, painted area.
class CConsoleDialog : public QWidget {
    Q_OBJECT
public:
    explicit CConsoleDialog(QWidget* host);

    // The status panel's account menu (switch account, log out).
    void showAccountMenu();
};
