#pragma once

#include <atomic>
#include <thread>
#include <vector>

namespace quorstat::service {

// Connections from 127.0.0.2 that never finish a request: idle ones that send nothing, and slow
// ones that send one header byte every two seconds. Each is opened again when the service closes
// it, so the pressure lasts as long as the run.
class HostileConnections {
public:
    HostileConnections(int port, int idle, int slow);
    ~HostileConnections();
    HostileConnections(const HostileConnections&) = delete;
    HostileConnections& operator=(const HostileConnections&) = delete;

    // Connections the service closed or refused, which were opened again.
    int reopened() const { return reopened_; }

private:
    struct Connection {
        int socket = -1;
        bool slow = false;
    };

    void run();
    void open(Connection& connection);
    bool closedByService(const Connection& connection) const;

    int port_;
    std::vector<Connection> connections_;
    std::atomic<bool> stop_{false};
    std::atomic<int> reopened_{0};
    std::thread thread_;
};

}  // namespace quorstat::service
