#pragma once

#include <QFile>
#include <QStringList>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "core/quorstat_api.h"
#include "core/quorstat_app.h"
#include "platform/recording_sound_output.h"

// The host window as the module sees it: it keeps the balloon texts it is sent.
class BalloonHost : public QWidget {
public:
    QStringList balloons;

protected:
    bool event(QEvent* event) override {
        if (event->type() == hostEventType(HostEvent::Balloon)) {
            balloons << QString::fromUtf8(static_cast<HostBalloonEvent*>(event)->text());
            return true;
        }
        return QWidget::event(event);
    }
};

// The built-in sounds played so far, by resource id, in playing order (QUORSTAT_SOUND=silent).
inline std::vector<int> PlayedResources() {
    std::map<std::string, int> byData;
    for (int id = 3100; id < 3500; ++id) {
        QFile wave(QStringLiteral(":/sounds/%1.wav").arg(id));
        if (wave.open(QIODevice::ReadOnly))
            byData["data:" + wave.readAll().toStdString()] = id;
    }
    std::vector<int> ids;
    auto* output =
        dynamic_cast<quorstat::RecordingSoundOutput*>(CQuorstatApp::instance().soundOutput.get());
    if (!output)
        return ids;
    for (const std::string& played : output->played())
        ids.push_back(byData.count(played) ? byData[played] : -1);
    return ids;
}
