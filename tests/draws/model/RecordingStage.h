#pragma once

#include "draws/model/DrawSkeleton.h"
#include "store/Dataset.h"
#include "support/FakePause.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

namespace tiravo::test {

// A stage that paints nothing and writes down every call, in order: "teaser@2000",
// "plain" (painted at once), "plain unpainted", "title@2000" and, for every
// entry shown, "entry " and the entry at its place of the pool as the screen
// shows it, e.g. "entry 07@70". Each call is held by a fake pause, so that the
// draw's own work goes on in its frames as on a screen.
class RecordingStage final : public DrawStage {
public:
    RecordingStage(Dataset& pool, QString column) : pool_(pool), column_(std::move(column)) {}

    Pause& pause() override { return pause_; }
    void showTeaser(int milliseconds) override {
        record(QStringLiteral("teaser@%1").arg(milliseconds));
        pause_.showFor(nullptr, milliseconds);
    }
    void putPlainFrame(bool paint) override {
        record(paint ? QStringLiteral("plain") : QStringLiteral("plain unpainted"));
    }
    void showEntry(int place, int milliseconds) override {
        const QString entry = held_.isNull() ? pool_.displayText(place, column_) : held_;
        held_ = QString();
        record(QStringLiteral("entry %1@%2").arg(entry).arg(milliseconds));
        pause_.showFor(nullptr, milliseconds);
    }
    void holdEntry(int place) override { held_ = pool_.displayText(place, column_); }
    void showPickTitle(int milliseconds) override {
        record(QStringLiteral("title@%1").arg(milliseconds));
        pause_.showFor(nullptr, milliseconds);
    }

    QStringList calls;
    // Runs once, after the next call is written down: what another program
    // does while the draw is on screen.
    std::function<void()> duringNextCall;

private:
    void record(const QString& call) {
        calls << call;
        if (duringNextCall)
            std::exchange(duringNextCall, {})();
    }

    Dataset& pool_;
    QString column_;
    QString held_;
    FakePause pause_;
};

} // namespace tiravo::test
