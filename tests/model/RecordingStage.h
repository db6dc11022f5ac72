#pragma once

#include "draws/model/DrawSkeleton.h"
#include "store/Dataset.h"

#include <QString>
#include <QStringList>

namespace tiravo::test {

// A stage that paints nothing and writes down every call, in order: "teaser@2000",
// "plain" (painted at once), "plain unpainted", "title@2000" and, for every
// entry shown, "entry " and the entry under the pool's cursor as the screen
// shows it, e.g. "entry 07@70".
class RecordingStage final : public DrawStage {
public:
    RecordingStage(Dataset& pool, QString column) : pool_(pool), column_(std::move(column)) {}

    void showTeaser(int milliseconds) override {
        calls << QStringLiteral("teaser@%1").arg(milliseconds);
    }
    void putPlainFrame(bool paint) override {
        calls << (paint ? QStringLiteral("plain") : QStringLiteral("plain unpainted"));
    }
    void showEntry(int milliseconds) override {
        calls
            << QStringLiteral("entry %1@%2").arg(pool_.field(column_).asString()).arg(milliseconds);
    }
    void showPickTitle(int milliseconds) override {
        calls << QStringLiteral("title@%1").arg(milliseconds);
    }

    QStringList calls;

private:
    Dataset& pool_;
    QString column_;
};

} // namespace tiravo::test
