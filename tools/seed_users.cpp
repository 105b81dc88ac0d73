// Fills a stand-in service database with the users of the sharing page's demonstration: forty
// users with settled plans on 重庆 三星单选 and a plan of demo's. Run it before the service:
//   quorstat-seed-users DATABASE
//   quorstat-service --db DATABASE --start "2013-05-01 10:41:10" --speed 1
#include <fmt/format.h>

#include <exception>
#include <filesystem>

#include "service/service_app.h"
#include "service_users.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        fmt::print(stderr, "usage: quorstat-seed-users DATABASE\n");
        return 2;
    }
    try {
        quorstat::service::ServiceOptions options;
        options.port = 0;
        options.databasePath = argv[1];
        options.clockStart = quorstat::service::parseDateTime("2013-05-01 09:15:00");
        options.clockSpeed = 0.0;
        const std::filesystem::path parent = std::filesystem::path(argv[1]).parent_path();
        if (!parent.empty())
            std::filesystem::create_directories(parent);
        quorstat::service::ServiceApp service(options);
        if (!service.start()) {
            fmt::print(stderr, "quorstat-seed-users: cannot start the service\n");
            return 1;
        }
        ServiceUsers(service).seedDemoList();
        service.stop();
        fmt::print("seeded 41 users into {}\n", argv[1]);
        return 0;
    } catch (const std::exception& error) {
        fmt::print(stderr, "quorstat-seed-users: {}\n", error.what());
        return 1;
    }
}
