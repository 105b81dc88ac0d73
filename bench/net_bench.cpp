#include <benchmark/benchmark.h>
#include <httplib.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "core/text_codec.h"
#include "net/http_transfer.h"
#include "net/plan_record.h"
#include "net/request_types.h"
#include "net/service_client.h"

namespace {

using namespace quorstat;

std::string planListReply(int plans) {
    std::string reply = "1|" + std::to_string(plans) + "|" + std::to_string(plans) +
                        "|2013-05-01 10:00:00|IM=0|TNM=1,200.00|TM=123,456.00|TB=98,765.50|"
                        "TP=-24,690.50|PP=-2.47|RBP=-20.00|TN=10000|TNN=12|TSN=4000|TLN=5900|"
                        "TCN=88|RBS=40.00|CH=12|CUH=30|CHN=2|CHNS=1|LMT=2013-05-01 10:00:00#";
    for (int i = 0; i < plans; ++i) {
        reply += "PID=" + std::to_string(100000 + i) +
                 "|UN=alice|LTN=重庆时时彩|LTP=三星|LTT=单选|POS=123,345|HP=345|CP=2.000|"
                 "BON=1,960.000|BM=1,024.00|BB=1,960.00|PFT=936.00|I1=130501010|I2=130501012|"
                 "INS=3|NI=130501011|NIN=2|BN=12|PS=1|MTP=1,2,4|BT=2013-05-01 10:00:00|"
                 "LMT=2013-05-01 10:20:00|LC=12345|TXT=012 123 234 345 456 567 678 789 890 901 "
                 "111 222 |$";
    }
    return reply;
}

void BM_ParsePlanList10000(benchmark::State& state) {
    const std::string reply = planListReply(10000);
    for (auto _ : state) {
        const PlanListReply list = ParsePlanList(reply);
        benchmark::DoNotOptimize(list.plans.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(BM_ParsePlanList10000)->Unit(benchmark::kMillisecond);

// What arrives from the wire: decoding from the ANSI code page comes first.
void BM_DecodeAndParsePlanList10000(benchmark::State& state) {
    const std::string ansi = ToAnsi(planListReply(10000));
    for (auto _ : state) {
        const PlanListReply list = ParsePlanList(FromAnsi(ansi));
        benchmark::DoNotOptimize(list.plans.data());
    }
}
BENCHMARK(BM_DecodeAndParsePlanList10000)->Unit(benchmark::kMillisecond);

// A trivial service on a loopback port.
class LoopbackService {
public:
    LoopbackService() {
        server_.set_tcp_nodelay(true);
        server_.Post(".*", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("1|3600|128|2013-05-01 09:15:00", "text/plain");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running())
            std::this_thread::yield();
    }
    ~LoopbackService() {
        server_.stop();
        thread_.join();
    }
    int port() const { return port_; }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

const std::string kBody =
    "UserName=alice&OnLogin=T0K&VF=MjAxMy0wNS0wMSAxMjozMDo0NQ"
    "&Ontime=2013-05-01 12:30:45&Ver=Mi44LjE";

void BM_TransferOnly(benchmark::State& state) {
    LoopbackService service;
    HttpTransfer transfer("127.0.0.1", service.port(), "/BetInfo1/release/");
    const std::atomic<bool> stop{false};
    for (auto _ : state) {
        ServiceRequest request;
        request.type = RequestType::ServerTime;
        request.body = kBody;
        transfer.perform(request, stop);
        benchmark::DoNotOptimize(request.reply.data());
    }
}
BENCHMARK(BM_TransferOnly)->Unit(benchmark::kMicrosecond);

class Waiter : public RequestHandler {
public:
    void OnRequestDone(ServiceRequest&) override {
        std::lock_guard lock(mutex_);
        ++done_;
        changed_.notify_all();
    }
    RequestProgressView* loginProgressView() override { return nullptr; }
    void waitFor(int count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done_ >= count; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int done_ = 0;
};

// Queue, worker, transfer and a synchronous hand-over to a waiting thread.
void BM_QueueTransferAndHandOver(benchmark::State& state) {
    LoopbackService service;
    AppState app;
    app.serverHost = "127.0.0.1";
    app.serverPort = service.port();
    app.sessionToken = "T0K";
    ServiceClient client(app);
    Waiter waiter;
    client.start([&](const std::shared_ptr<ServiceRequest>& request,
                     const std::atomic<bool>&) { client.Deliver(*request, waiter); },
                 nullptr);
    int queued = 0;
    for (auto _ : state) {
        client.QueueRequest(RequestType::ServerTime, kBody, 0, 0);
        waiter.waitFor(++queued);
    }
    client.stop();
}
BENCHMARK(BM_QueueTransferAndHandOver)->Unit(benchmark::kMicrosecond);

}  // namespace
