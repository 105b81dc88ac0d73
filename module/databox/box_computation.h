#pragma once

#include <QObject>
#include <optional>
#include <stop_token>
#include <thread>

#include "databox/box_evaluation.h"

namespace quorstat {
class DataBox;
}

// Runs a box's computation on a worker so the window stays responsive; progress and the result
// come back on the window's thread. The box's tree must not change until `finished`.
class CBoxComputation : public QObject {
    Q_OBJECT
public:
    explicit CBoxComputation(QObject* parent = nullptr) : QObject(parent) {}
    // Stops a computation under way and waits for its worker.
    ~CBoxComputation() override;

    void start(const quorstat::DataBox& box);
    void stop();
    bool running() const { return running_; }

signals:
    void progress(int percent);
    // Nothing when the computation was stopped.
    void finished(const std::optional<quorstat::BoxResult>& result);

private:
    std::jthread worker_;
    bool running_ = false;
    int generation_ = 0;
};
