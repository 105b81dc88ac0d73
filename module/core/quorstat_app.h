#pragma once

#include <QColor>
#include <QFont>
#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "core/app_state.h"
#include "core/sound_player.h"
#include "net/request_catalogue.h"
#include "net/request_handler.h"
#include "net/service_client.h"
#include "plan/position_table.h"
#include "ui/plan_text_look.h"

class CConsoleDialog;
class QWidget;

// The module's one application object: the window-free state plus what needs the window system.
// Lives on the UI thread; created on first use after the host's QApplication exists.
class CQuorstatApp : public QObject, public quorstat::AppState, public quorstat::RequestHandler {
    Q_OBJECT
public:
    static CQuorstatApp& instance();
    ~CQuorstatApp() override;

    struct Fonts {
        QFont heiTi13;
        QFont yaHei18;
        QFont yaHei20;
        QFont yaHei22;
        QFont yaHei25;
        QFont songTi13;
        QFont songTi14;
        QFont songTi16;
    };
    Fonts fonts;
    const QColor dialogBackground{240, 230, 210};
    const QColor panelBackground{240, 230, 220};
    const QColor textColor{0, 0, 128};
    // The plan-text editor's font and brush, from the settings.
    PlanTextLook planTextLook;
    // At start and after the settings dialog changed the settings.
    void updatePlanTextLook();

    // The 26 position combinations with their names.
    static std::span<const quorstat::tagPOSITIONINFO> positions() {
        return quorstat::positionTable();
    }

    bool initDone = false;
    QPointer<QWidget> hostWnd;
    CConsoleDialog* console = nullptr;
    QPointer<QWidget> dataBoxWnd;

    std::unique_ptr<quorstat::ServiceClient> client;
    // The central window's dispatch; finished requests reach it through the application object,
    // so the worker can start before the central window exists.
    quorstat::RequestHandler* requestHandler = nullptr;

    quorstat::RequestCatalogue catalogue() const { return quorstat::RequestCatalogue(*this); }
    // Queues a request the catalogue built; false when it built none or it was dropped.
    bool queue(std::optional<quorstat::ServiceRequest> request);

    void OnRequestDone(quorstat::ServiceRequest& request) override;
    quorstat::RequestProgressView* loginProgressView() override;
    std::unique_ptr<quorstat::SoundOutput> soundOutput;
    std::unique_ptr<quorstat::SoundPlayer> soundPlayer;

    // Starts the two background threads; false when one cannot be started.
    bool startThreads();
    // Empties the request queue and stops both threads; safe to call with any part missing.
    void stopThreads();

    // Shows or hides the data box; only the number plays have one.
    void toggleDataBox();

    // Module-wide keyboard accelerators, offered every key press of the host's thread.
    void registerAccelerator(const QKeySequence& keys, std::function<void()> action);
    bool preTranslateMessage(QObject* receiver, QEvent* event);

private:
    CQuorstatApp();
    void initInstance();
    void exitInstance();
    void createFonts();

    std::vector<std::pair<QKeySequence, std::function<void()>>> accelerators_;
};
