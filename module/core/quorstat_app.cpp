#include "core/quorstat_app.h"

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QWidget>

#include "console/console_dialog.h"
#include "core/ini_document.h"
#include "net/request_hand_over.h"
#include "net/server_endpoint.h"
#include "plan/play_table.h"
#include "platform/pulse_sound_output.h"
#include "platform/recording_sound_output.h"
#include "platform/system_info.h"
#include "ui/log_font.h"

namespace {

// Built-in sounds, keyed by their resource ids.
std::map<int, std::string> loadWaveResources() {
    std::map<int, std::string> waves;
    const int ids[] = {3102,
                       3103,
                       3104,
                       3105,
                       3106,
                       3107,
                       3108,
                       3109,
                       3110,
                       3111,
                       quorstat::sound_id::kPlanMiss,
                       quorstat::sound_id::kPlanHit,
                       quorstat::sound_id::kPlanStop,
                       quorstat::sound_id::kDrawSound,
                       quorstat::sound_id::kChime};
    for (const int id : ids) {
        QFile file(QStringLiteral(":/sounds/%1.wav").arg(id));
        if (file.open(QIODevice::ReadOnly))
            waves[id] = file.readAll().toStdString();
    }
    return waves;
}

std::unique_ptr<quorstat::SoundOutput> makeSoundOutput() {
    if (qEnvironmentVariable("QUORSTAT_SOUND") == QLatin1String("silent"))
        return std::make_unique<quorstat::RecordingSoundOutput>();
    return std::make_unique<PulseSoundOutput>();
}

}  // namespace

CQuorstatApp& CQuorstatApp::instance() {
    static const std::unique_ptr<CQuorstatApp> app = [] {
        std::unique_ptr<CQuorstatApp> created(new CQuorstatApp);
        created->initInstance();
        return created;
    }();
    return *app;
}

CQuorstatApp::CQuorstatApp() {
    Q_INIT_RESOURCE(module);
    createFonts();
}

CQuorstatApp::~CQuorstatApp() {
    exitInstance();
}

void CQuorstatApp::createFonts() {
    const QString heiTi = QStringLiteral("黑体");
    const QString yaHei = QStringLiteral("微软雅黑");
    const QString songTi = QStringLiteral("宋体");
    fonts = {MakeFont(heiTi, 13), MakeFont(yaHei, 18),  MakeFont(yaHei, 20),  MakeFont(yaHei, 22),
             MakeFont(yaHei, 25), MakeFont(songTi, 13), MakeFont(songTi, 14), MakeFont(songTi, 16)};
}

void CQuorstatApp::initInstance() {
    const SystemFacts facts = ReadSystemFacts();
    osMajor = facts.os.major;
    osMinor = facts.os.minor;
    windowsXp = facts.os.windowsXp;
    screenWidth = facts.screenWidth;
    screenHeight = facts.screenHeight;
    paths = quorstat::AppPaths::ForAppDir(QCoreApplication::applicationDirPath().toStdString());
    machineLabel = facts.machineLabel;
    paths.createDataDir();
    LoadServerEndpoint(*this, quorstat::IniDocument::Load(paths.settingsFile),
                       std::getenv("QUORSTAT_SERVER"));
    ApplyPlanTextFontDefaults(settings, windowsXp);
    LoadFilesAtStartup();
    updatePlanTextLook();
}

void CQuorstatApp::updatePlanTextLook() {
    planTextLook = PlanTextLook::FromSettings(settings);
}

void CQuorstatApp::exitInstance() {
    stopThreads();
    SaveFilesAtEnd();
}

bool CQuorstatApp::startThreads() {
    client = std::make_unique<quorstat::ServiceClient>(*this);
    if (!StartServiceClient(*client, this, *this))
        return false;
    soundOutput = makeSoundOutput();
    soundPlayer = std::make_unique<quorstat::SoundPlayer>(*soundOutput, loadWaveResources());
    return soundPlayer->start();
}

void CQuorstatApp::stopThreads() {
    if (client) {
        client->stop();
        client.reset();
    }
    if (soundPlayer) {
        soundPlayer->stop();
        soundPlayer.reset();
    }
}

void CQuorstatApp::toggleDataBox() {
    if (quorstat::playFamily(playId) != quorstat::PlayFamily::number || !dataBoxWnd)
        return;
    dataBoxWnd->setVisible(!dataBoxWnd->isVisible());
}

void CQuorstatApp::registerAccelerator(const QKeySequence& keys, std::function<void()> action) {
    accelerators_.emplace_back(keys, std::move(action));
}

bool CQuorstatApp::preTranslateMessage(QObject* receiver, QEvent* event) {
    if (!event || event->type() != QEvent::KeyPress || !console)
        return false;
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || !widget->window() || widget->window() != console->window())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const auto& [keys, action] : accelerators_) {
        if (keys == pressed) {
            action();
            return true;
        }
    }
    return false;
}

bool CQuorstatApp::queue(std::optional<quorstat::ServiceRequest> request) {
    return client && client->QueueRequest(std::move(request));
}

void CQuorstatApp::OnRequestDone(quorstat::ServiceRequest& request) {
    if (requestHandler)
        requestHandler->OnRequestDone(request);
}

quorstat::RequestProgressView* CQuorstatApp::loginProgressView() {
    return requestHandler ? requestHandler->loginProgressView() : nullptr;
}
