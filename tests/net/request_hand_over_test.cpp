#include "net/request_hand_over.h"

#include <QElapsedTimer>
#include <QSemaphore>
#include <QThread>
#include <QtTest>

#include "net/request_types.h"
#include "scripted_service.h"

using namespace quorstat;
using namespace std::chrono_literals;

namespace {

class RecordingView : public RequestProgressView {
public:
    void showRequestProgress(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// Stands in for the central window.
class Window : public QObject, public RequestHandler {
public:
    void OnRequestDone(ServiceRequest& request) override {
        replies.push_back(request.reply);
        onUiThread = onUiThread && QThread::currentThread() == thread();
    }
    RequestProgressView* loginProgressView() override { return view; }

    std::vector<std::string> replies;
    bool onUiThread = true;
    RecordingView* view = nullptr;
};

}  // namespace

class RequestHandOverTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedService> service;
    std::unique_ptr<AppState> state;
    std::unique_ptr<ServiceClient> client;

    void startClient(QObject* receiver, RequestHandler& handler) {
        QVERIFY(StartServiceClient(*client, receiver, handler));
    }

    // Starts the client with the real hand-over behind one that tells when a reply reaches it.
    void startClientTellingHandOvers(QObject* receiver, RequestHandler& handler) {
        const RequestHandOver handOver(receiver, *client, handler);
        QVERIFY(client->start(
            [this, handOver](const std::shared_ptr<ServiceRequest>& request,
                             const std::atomic<bool>& stop) {
                handOverEntered.release();
                handOver(request, stop);
            },
            [](std::string) {}));
    }

    QSemaphore handOverEntered;

private slots:
    void init() {
        service = std::make_unique<ScriptedService>(
            [](const ScriptedService::Exchange& exchange) { return "1|" + exchange.body; });
        state = std::make_unique<AppState>();
        state->serverHost = "127.0.0.1";
        state->serverPort = service->port();
        state->sessionToken = "T0K";
        client = std::make_unique<ServiceClient>(*state);
        handOverEntered.acquire(handOverEntered.available());
    }

    void cleanup() {
        client.reset();
        service.reset();
    }

    void deliversInOrderOnTheUiThread() {
        Window window;
        RecordingView view;
        window.view = &view;
        startClient(&window, window);
        for (const char* body : {"a", "b", "c"})
            client->QueueRequest(RequestType::ServerTime, body, 0, 0);
        QTRY_COMPARE(window.replies.size(), std::size_t{3});
        QCOMPARE(window.replies, (std::vector<std::string>{"1|a", "1|b", "1|c"}));
        QVERIFY(window.onUiThread);
        QCOMPARE(view.texts.size(), std::size_t{3});
        QCOMPARE(view.texts.front(), std::string("正在更新服务器时间..."));
    }

    void showsProgressOnlyWhileALoginDialogExists() {
        Window window;
        startClient(&window, window);
        client->QueueRequest(RequestType::ServerTime, "a", 0, 0);
        QTRY_COMPARE(window.replies.size(), std::size_t{1});
        RecordingView view;
        window.view = &view;
        client->QueueRequest(RequestType::UserList, "b", 0, 0);
        QTRY_COMPARE(window.replies.size(), std::size_t{2});
        QCOMPARE(view.texts, std::vector<std::string>{"正在更新用户列表..."});
    }

    void stoppingWhileTheUiThreadIsBusyNeverWaitsForIt() {
        Window window;
        startClientTellingHandOvers(&window, window);
        client->QueueRequest(RequestType::ServerTime, "a", 0, 0);
        // The worker now waits for a hand-over that this thread, busy here, cannot run.
        QVERIFY(handOverEntered.tryAcquire(1, 10000));
        QElapsedTimer timer;
        timer.start();
        client->stop();
        QVERIFY(timer.elapsed() < 500);
        QCoreApplication::processEvents();
        QVERIFY(window.replies.empty());
    }

    void aReceiverGoneMidwayLetsTheWorkerGoOn() {
        auto window = std::make_unique<Window>();
        startClientTellingHandOvers(window.get(), *window);
        client->QueueRequest(RequestType::ServerTime, "a", 0, 0);
        QVERIFY(handOverEntered.tryAcquire(1, 10000));
        window.reset();
        client->QueueRequest(RequestType::ServerTime, "b", 0, 0);
        QVERIFY(service->waitForExchanges(2, 5s));
    }
};

QTEST_MAIN(RequestHandOverTest)
#include "request_hand_over_test.moc"
