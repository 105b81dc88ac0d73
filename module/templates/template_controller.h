#pragma once

#include <QObject>

class CConsoleDialog;
class CQuorstatApp;

namespace quorstat {
struct TemplateRequest;
}

// Opens the template manager from the central window's "模板设置" and the system template editor
// from the manager menu, and tells the service what was changed in them. A child of the central
// window.
class CTemplateController : public QObject {
    Q_OBJECT
public:
    CTemplateController(CQuorstatApp& app, CConsoleDialog& console);

    void openManager();
    void openSystemEditor();

private:
    void queue(const quorstat::TemplateRequest& request);

    CQuorstatApp& app_;
    CConsoleDialog& console_;
};
