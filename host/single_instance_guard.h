#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running copy per user: a second start asks the first to show itself and ends.
class SingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    explicit SingleInstanceGuard(const QString& title, QObject* parent = nullptr);

    // True when this process is the first; otherwise the first has been asked to show itself.
    bool becomePrimary();

signals:
    void showRequested();

private:
    bool askPrimaryToShow();

    QString serverName_;
    QLocalServer* server_ = nullptr;
};
