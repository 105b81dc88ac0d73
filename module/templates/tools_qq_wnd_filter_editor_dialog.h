#pragma once

#include <QDialog>

class CQuorstatApp;
class QPlainTextEdit;

// The window-title filter of every user's group send (manager right): one title per line. OK
// sends it to the service, whose reply brings the filter back to every client.
class CToolsQQWndFilterEditorDialog : public QDialog {
    Q_OBJECT
public:
    explicit CToolsQQWndFilterEditorDialog(CQuorstatApp& app, QWidget* parent = nullptr);

    void accept() override;

private:
    CQuorstatApp& app_;
    QPlainTextEdit* edit_;
};
