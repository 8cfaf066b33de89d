// SPDX-License-Identifier: GPL-3.0-or-later
// Replays a scenario script against a monotonic clock.
#include "link/ScenarioLink.h"

#include "core/RegularFile.h"
#include "core/TextDecoding.h"
#include "link/MonotonicClock.h"

#include <QCoreApplication>

ScenarioLink::ScenarioLink(ScenarioScript script, const MonotonicClock& clock)
    : script_(std::move(script)), clock_(clock), startMs_(clock.ElapsedMs()) {}

std::optional<ScenarioScript> ScenarioLink::LoadFile(const QString& path, QString* error) {
    // A scenario is a few dozen lines; a pipe named by mistake never blocks the start.
    const RegularFile file = ReadRegularFile(path, kMiB);
    if (!file.IsRead()) {
        if (error)
            *error =
                file.error.isEmpty()
                    ? QCoreApplication::translate("ScenarioLink", "файл сценария «%1» не найден")
                          .arg(path)
                    : QCoreApplication::translate("ScenarioLink", "файл сценария: %1")
                          .arg(file.error);
        return std::nullopt;
    }
    QString why;
    std::optional<ScenarioScript> script = ScenarioScript::Parse(DecodeText(file.bytes), &why);
    if (!script && error)
        *error =
            QCoreApplication::translate("ScenarioLink", "файл сценария «%1», %2").arg(path, why);
    return script;
}

ScenarioScript::Moment ScenarioLink::Now() const {
    ScenarioScript::Moment moment = script_.At(clock_.ElapsedMs() - startMs_);
    if (moment.connection >= 0 && moment.connection == hungUpConnection_)
        return ScenarioScript::Moment();
    return moment;
}

bool ScenarioLink::IsLinkConnected() {
    return Now().state == ScenarioScript::State::Connected;
}

LinkStats ScenarioLink::GetLinkStats() {
    const ScenarioScript::Moment moment = Now();
    LinkStats stats = moment.stats;
    if (moment.state == ScenarioScript::State::Connected)
        numbers_.Stamp(QString::number(moment.connection), stats);
    return stats;
}

QString ScenarioLink::GetLinkName() {
    const ScenarioScript::Moment moment = Now();
    return moment.state == ScenarioScript::State::Down ? kNoLinkName : moment.name;
}

void ScenarioLink::EndConnection() {
    hungUpConnection_ = Now().connection;
}
