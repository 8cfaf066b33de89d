// SPDX-License-Identifier: GPL-3.0-or-later
// Reads scenario files and answers what the made-up connection looks like at a moment.
#include "link/ScenarioScript.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace {

std::optional<uint64_t> Whole(const QString& text) {
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok, 10);
    if (!ok || text.startsWith(u'+')) return std::nullopt;
    return value;
}

std::optional<ScenarioScript::State> StateNamed(const QString& word) {
    if (word == u"down") return ScenarioScript::State::Down;
    if (word == u"dialing") return ScenarioScript::State::Dialing;
    if (word == u"connected") return ScenarioScript::State::Connected;
    return std::nullopt;
}

// The text after the first `count` blank-separated fields, blanks inside kept.
QString RestAfterFields(const QString& line, int count) {
    qsizetype at = 0;
    for (int i = 0; i < count; ++i) {
        while (at < line.size() && line[at].isSpace()) ++at;
        while (at < line.size() && !line[at].isSpace()) ++at;
    }
    return line.mid(at).trimmed();
}

}  // namespace

std::optional<ScenarioScript> ScenarioScript::Parse(const QString& text, QString* error) {
    ScenarioScript script;
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const auto fail = [&](const QString& why) {
            if (error)
                *error = QCoreApplication::translate("ScenarioScript", "строка %1: %2")
                             .arg(i + 1)
                             .arg(why);
            return std::nullopt;
        };
        if (script.loopAt_)
            return fail(QCoreApplication::translate("ScenarioScript",
                                                    "после строки loop ничего быть не может"));
        QString why;
        const std::optional<Line> parsed = ParseLine(line, &why);
        if (!parsed) return fail(why);
        const int64_t previous = script.lines_.empty() ? 0 : script.lines_.back().time;
        if (parsed->time < previous)
            return fail(QCoreApplication::translate(
                            "ScenarioScript", "время %1 меньше времени предыдущей строки (%2)")
                            .arg(parsed->time)
                            .arg(previous));
        if (parsed->loop) {
            if (parsed->time == 0)
                return fail(QCoreApplication::translate(
                    "ScenarioScript", "loop в момент 0 повторял бы файл без конца"));
            script.loopAt_ = parsed->time;
            continue;
        }
        script.lines_.push_back(*parsed);
    }
    script.LinkConnections();
    return script;
}

std::optional<ScenarioScript::Line> ScenarioScript::ParseLine(const QString& text, QString* error) {
    const QStringList fields = text.simplified().split(u' ');
    Line line;
    const std::optional<uint64_t> time = Whole(fields[0]);
    if (!time || *time > static_cast<uint64_t>(INT64_MAX)) {
        *error = QCoreApplication::translate(
                     "ScenarioScript", "время «%1» не целое неотрицательное число миллисекунд")
                     .arg(fields[0]);
        return std::nullopt;
    }
    line.time = static_cast<int64_t>(*time);
    if (fields.size() < 2) {
        *error = QCoreApplication::translate("ScenarioScript",
                                             "нет состояния (down, dialing, connected или loop)");
        return std::nullopt;
    }
    if (fields[1] == u"loop") {
        if (fields.size() > 2) {
            *error = QCoreApplication::translate("ScenarioScript", "после loop лишний текст");
            return std::nullopt;
        }
        line.loop = true;
        return line;
    }
    const std::optional<State> state = StateNamed(fields[1]);
    if (!state) {
        *error = QCoreApplication::translate(
                     "ScenarioScript",
                     "неизвестное состояние «%1» (ожидается down, dialing, connected или loop)")
                     .arg(fields[1]);
        return std::nullopt;
    }
    line.state = *state;
    if (line.state == State::Down) return line;
    if (fields.size() < 5) {
        *error = QCoreApplication::translate(
            "ScenarioScript", "ожидаются поля: время, состояние, принято, передано, скорость, имя");
        return std::nullopt;
    }
    const std::optional<uint64_t> rx = Whole(fields[2]), tx = Whole(fields[3]),
                                  bps = Whole(fields[4]);
    if (!rx || !tx || !bps) {
        *error = QCoreApplication::translate(
            "ScenarioScript",
            "принято, передано и скорость должны быть целыми неотрицательными числами");
        return std::nullopt;
    }
    line.rx = *rx;
    line.tx = *tx;
    line.bps = *bps;
    line.name = RestAfterFields(text, 5);
    return line;
}

// A connection begins at a line that is not down when the line before it is down, is
// missing, or names another connection.
void ScenarioScript::LinkConnections() {
    for (size_t i = 0; i < lines_.size(); ++i) {
        Line& line = lines_[i];
        if (line.state == State::Down) continue;
        const Line* before = i > 0 ? &lines_[i - 1] : nullptr;
        const bool continues = before && before->state != State::Down && before->name == line.name;
        line.connectionStart = continues ? before->connectionStart : static_cast<int>(i);
        line.connectedSince = continues ? before->connectedSince : -1;
        if (line.connectedSince < 0 && line.state == State::Connected)
            line.connectedSince = static_cast<int>(i);
    }
}

uint64_t ScenarioScript::Between(uint64_t from, uint64_t to, int64_t t0, int64_t t1,
                                 int64_t at) const {
    using Wide = __int128;
    const Wide value = Wide(from) + (Wide(to) - Wide(from)) * (at - t0) / (t1 - t0);
    return static_cast<uint64_t>(value);
}

ScenarioScript::Moment ScenarioScript::At(int64_t elapsedMs) const {
    int64_t at = std::max<int64_t>(elapsedMs, 0);
    int64_t pass = 0;
    if (loopAt_) {
        pass = at / *loopAt_;
        at %= *loopAt_;
    }
    const auto after = std::upper_bound(lines_.begin(), lines_.end(), at,
                                        [](int64_t t, const Line& line) { return t < line.time; });
    Moment moment;
    if (after == lines_.begin()) return moment;
    const size_t index = static_cast<size_t>(after - lines_.begin()) - 1;
    const Line& line = lines_[index];
    if (line.state == State::Down) return moment;
    moment.state = line.state;
    moment.name = line.name;
    moment.connection = pass * static_cast<int64_t>(lines_.size()) + line.connectionStart;
    if (line.state != State::Connected) return moment;

    moment.stats.bitsPerSecond = line.bps;
    moment.stats.connectedMs = static_cast<uint64_t>(at - lines_[line.connectedSince].time);
    moment.stats.bytesReceived = line.rx;
    moment.stats.bytesSent = line.tx;
    const bool growsToNext = index + 1 < lines_.size() &&
                             lines_[index + 1].state == State::Connected &&
                             lines_[index + 1].connectionStart == line.connectionStart;
    if (growsToNext) {
        const Line& next = lines_[index + 1];
        moment.stats.bytesReceived = Between(line.rx, next.rx, line.time, next.time, at);
        moment.stats.bytesSent = Between(line.tx, next.tx, line.time, next.time, at);
    }
    return moment;
}
