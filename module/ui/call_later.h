#pragma once

#include <QObject>
#include <QTimer>

// Calls `slot` on `owner` once, after `ms`. Unlike QTimer::singleShot, the timer is a child of
// `owner` and goes with it: a pending QTimer::singleShot outlives its receiver and, once the host
// has unloaded the module, its clean-up would call into code that is no longer mapped.
template <typename Owner, typename Slot>
void CallLater(Owner* owner, int ms, Slot slot) {
    auto* timer = new QTimer(owner);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, owner, slot);
    QObject::connect(timer, &QTimer::timeout, timer, &QObject::deleteLater);
    timer->start(ms);
}
