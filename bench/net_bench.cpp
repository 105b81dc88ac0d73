#include <benchmark/benchmark.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "core/text_codec.h"
#include "iconv_converter.h"
#include "loopback_server.h"
#include "net/http_transfer.h"
#include "net/plan_record.h"
#include "net/request_types.h"
#include "net/service_client.h"
#include "plan_list_reply.h"

namespace {

using namespace quorstat;

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

// The same with the C library's converter, as the client decoded before.
void BM_DecodeWithIconvAndParsePlanList10000(benchmark::State& state) {
    const testing::IconvConverter iconv = testing::iconvFromAnsi();
    const std::string ansi = ToAnsi(planListReply(10000));
    for (auto _ : state) {
        const PlanListReply list = ParsePlanList(iconv.convertReplacing(ansi));
        benchmark::DoNotOptimize(list.plans.data());
    }
}
BENCHMARK(BM_DecodeWithIconvAndParsePlanList10000)->Unit(benchmark::kMillisecond);

// A trivial service on a loopback port.
quorstat::testing::LoopbackServer::Routes serverTimeRoute() {
    return [](httplib::Server& server) {
        server.Post(".*", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("1|3600|128|2013-05-01 09:15:00", "text/plain");
        });
    };
}

const std::string kBody =
    "UserName=alice&OnLogin=T0K&VF=MjAxMy0wNS0wMSAxMjozMDo0NQ"
    "&Ontime=2013-05-01 12:30:45&Ver=Mi44LjE";

void BM_TransferOnly(benchmark::State& state) {
    const quorstat::testing::LoopbackServer service(serverTimeRoute());
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
    const quorstat::testing::LoopbackServer service(serverTimeRoute());
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
