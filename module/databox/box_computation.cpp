#include "databox/box_computation.h"

#include "databox/data_box.h"

CBoxComputation::~CBoxComputation() {
    stop();
}

void CBoxComputation::start(const quorstat::DataBox& box) {
    stop();
    running_ = true;
    const int generation = ++generation_;
    worker_ = std::jthread([this, &box, generation](std::stop_token stop) {
        quorstat::WorkProgress work;
        work.stop = stop;
        work.report = [this](std::size_t done, std::size_t total) {
            const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
            QMetaObject::invokeMethod(
                this, [this, percent] { emit progress(percent); }, Qt::QueuedConnection);
        };
        std::optional<quorstat::BoxResult> result = box.compute(work);
        if (stop.stop_requested())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, generation, result = std::move(result)] {
                if (generation != generation_)
                    return;
                running_ = false;
                emit finished(result);
            },
            Qt::QueuedConnection);
    });
}

void CBoxComputation::stop() {
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
    // A result already on its way belongs to the computation stopped here.
    ++generation_;
    running_ = false;
}
