#pragma once

#include <QEvent>
#include <QString>

// WM_GROUP_SEND, posted to the central window: a plan send (the own plan text; `silent` after an
// upload) or a custom send of a typed text. The event carries its text, so the sender need not
// keep it alive.
class GroupSendEvent : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(0x8451);

    static GroupSendEvent* planSend(const QString& text, bool silent) {
        return new GroupSendEvent(false, text, silent);
    }
    static GroupSendEvent* customSend(const QString& text) {
        return new GroupSendEvent(true, text, false);
    }

    const bool custom;
    const QString text;
    const bool silent;

private:
    GroupSendEvent(bool isCustom, const QString& sendText, bool isSilent)
        : QEvent(kType), custom(isCustom), text(sendText), silent(isSilent) {}
};
