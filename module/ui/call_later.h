#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

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

// Calls `slot` on `owner` once, right after `widget` has been painted for the first time, or when
// `widget` goes unpainted: work that can wait does not hold back a window the user waits for.
template <typename Owner, typename Slot>
void CallAfterFirstPaint(QWidget* widget, Owner* owner, Slot slot) {
    class FirstPaint : public QObject {
    public:
        FirstPaint(QWidget* widget, Owner* owner, Slot slot)
            : QObject(owner), owner_(owner), slot_(slot) {
            widget->installEventFilter(this);
            connect(widget, &QObject::destroyed, this, &FirstPaint::fire);
        }
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                watched->removeEventFilter(this);
                // The painting is still to come; the call waits until it is on the screen.
                CallLater(owner_, 0, slot_);
                deleteLater();
            }
            return false;
        }

    private:
        void fire() {
            CallLater(owner_, 0, slot_);
            deleteLater();
        }
        Owner* owner_;
        Slot slot_;
    };
    new FirstPaint(widget, owner, slot);
}
