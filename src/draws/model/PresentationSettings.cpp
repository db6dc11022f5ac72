#include "draws/model/PresentationSettings.h"

#include "common/Error.h"
#include "draws/model/RecordActions.h"
#include "draws/model/RecordWriter.h"
#include "store/Connection.h"
#include "store/Schema.h"
#include "store/SchemaUpgrade.h"
#include "store/SqlStatement.h"
#include "store/WriteScope.h"

namespace tiravo {

namespace {

// The file's one row of settings, the defaults when it holds none. A second
// row, added by hand, is not read: the first one counts.
PresentationSettings ReadRow(Connection& connection) {
    SqlStatement& select = connection.statement(
        QStringLiteral(
            "SELECT \"Som\", \"Calmo\", \"Monitor\" FROM \"%1\" ORDER BY \"Cod\" LIMIT 1")
            .arg(kPresentationTable));
    PresentationSettings settings;
    if (select.step()) {
        const Value sound = select.column(0, ColumnType::Boolean);
        const Value calm = select.column(1, ColumnType::Boolean);
        const Value monitor = select.column(2, ColumnType::Text);
        settings.sound = std::holds_alternative<bool>(sound) && std::get<bool>(sound);
        settings.calm = std::holds_alternative<bool>(calm) && std::get<bool>(calm);
        if (const auto* name = std::get_if<QString>(&monitor))
            settings.audienceMonitor = *name;
    }
    select.reset();
    return settings;
}

// The change and its record row in one transaction.
class RecordedSettingsChange final : private ChangeRecord {
public:
    RecordedSettingsChange(Connection& connection, const PresentationSettings& settings)
        : connection_(connection), settings_(settings),
          scope_(connection, WriteScope::Keeps::AllOrNothing, {}, this) {}

    void stored() { scope_.commit(); }

private:
    void append() override {
        RecordRow row;
        row.action = RecordActionText(RecordAction::Presentation);
        row.entry = PresentationSettingsText(settings_);
        AppendRecordRow(connection_, std::move(row));
    }

    Connection& connection_;
    const PresentationSettings& settings_;
    WriteScope scope_; // last: it begins when the rest is ready, and ends first
};

} // namespace

PresentationSettings ReadPresentationSettings(Connection& connection) {
    // A file of the version before, open for reading only, keeps its
    // schema (UpgradeSchema).
    if (SchemaVersion(connection) < 4)
        return {};
    return ReadRow(connection);
}

void WritePresentationSettings(Connection& connection, const PresentationSettings& settings) {
    if (settings.audienceMonitor.size() > kMonitorNameWidth)
        throw Error(QStringLiteral("O nome do monitor tem no máximo %1 caracteres.")
                        .arg(kMonitorNameWidth));
    RecordedSettingsChange change(connection, settings);
    // Read inside the transaction: another copy of the program may have
    // changed them since this one read them.
    if (ReadRow(connection) == settings)
        return;
    connection.execute(QStringLiteral("DELETE FROM \"%1\"").arg(kPresentationTable));
    SqlStatement& insert = connection.statement(
        QStringLiteral("INSERT INTO \"%1\" (\"Som\", \"Calmo\", \"Monitor\") VALUES (?, ?, ?)")
            .arg(kPresentationTable));
    insert.bind(1, settings.sound);
    insert.bind(2, settings.calm);
    insert.bind(3, settings.audienceMonitor);
    insert.step();
    insert.reset();
    change.stored();
}

QString PresentationSettingsText(const PresentationSettings& settings) {
    const auto onOff = [](bool on) {
        return on ? QStringLiteral("ligado") : QStringLiteral("desligado");
    };
    return QStringLiteral("som %1, modo calmo %2, monitor %3")
        .arg(onOff(settings.sound), onOff(settings.calm),
             settings.audienceMonitor.isEmpty() ? QStringLiteral("automático")
                                                : settings.audienceMonitor);
}

} // namespace tiravo
