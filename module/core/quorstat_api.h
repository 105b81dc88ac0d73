#pragma once

// The boundary between the host program and the module: nine C functions and the events the
// module sends to the host window. The host knows nothing else of the module.

#include <QEvent>
#include <QString>
#include <cstdint>

class QObject;

#if defined(_WIN32)
#define QST_API extern "C" __declspec(dllexport)
#else
#define QST_API extern "C" __attribute__((visibility("default")))
#endif

// An event on its way to a receiver, offered to the module before the host handles it.
struct QstMessage {
    QObject* receiver;
    QEvent* event;
};

using QstInitFn = void (*)(char* titleOut, char* versionOut);
using QstRunFn = std::intptr_t (*)(void* host, const char* userName, const char* password,
                                   int lotteryId);
using QstExitFn = void (*)();
using QstGetExitFlagFn = int (*)();
using QstIsLoginFn = int (*)();
using QstLogoutFn = void (*)();
using QstGetTrayFlagFn = void (*)(int* minimizeToTray, int* closeToTray, int* exitPrompt);
using QstShowDataBoxFn = void (*)();
using QstDllPreTranslateMessageFn = int (*)(QstMessage* message);

inline constexpr int kQstTextBufferSize = 260;

// Event numbers keep the window message numbers of the original host.
enum class HostEvent : int {
    TrayNotify = 0x83E8,
    Exit = 0x844C,
    Balloon = 0x844D,
    Exit2 = 0x8457,
};

inline QEvent::Type hostEventType(HostEvent event) {
    return static_cast<QEvent::Type>(event);
}

// Sent (not posted): the text belongs to the sender and lives until the event returns.
class HostBalloonEvent : public QEvent {
public:
    explicit HostBalloonEvent(const char* text)
        : QEvent(hostEventType(HostEvent::Balloon)), text_(text) {}
    const char* text() const { return text_; }

private:
    const char* text_;
};

// Exit codes of QST_GetExitFlag.
enum QstExitFlag { kQstExit = 0, kQstHideToTray = 1, kQstCancelled = 2 };
