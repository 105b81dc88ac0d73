// Two copies of this program test the single-instance guard across real processes: the first
// prints "primary" and waits to be asked to show itself, the second prints "secondary" and ends.
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

#include "single_instance_guard.h"

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    SingleInstanceGuard guard(QString::fromUtf8(argc > 1 ? argv[1] : "probe"));
    if (!guard.becomePrimary()) {
        std::puts("secondary");
        return 0;
    }
    std::puts("primary");
    std::fflush(stdout);
    QObject::connect(&guard, &SingleInstanceGuard::showRequested, [] {
        std::puts("shown");
        QCoreApplication::quit();
    });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
    return QCoreApplication::exec();
}
