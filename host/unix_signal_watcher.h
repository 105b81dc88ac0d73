#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into a signal on the UI thread, so the program ends the normal way.
class UnixSignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit UnixSignalWatcher(QObject* parent = nullptr);
    ~UnixSignalWatcher() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};
