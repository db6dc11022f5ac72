#pragma once

#include <QString>

namespace tiravo {

class Connection;

// How the draws are shown, one set for the whole program, kept in the file:
// a file whose settings were never changed, or one too old to hold them and
// open for reading only, reads as these defaults.
struct PresentationSettings {
    bool sound = false;      // a drum roll over the frames, a fanfare on the reveal
    bool calm = false;       // the stage changes at most three times a second
    QString audienceMonitor; // the audience's monitor by its name; empty: chosen by itself

    bool operator==(const PresentationSettings&) const = default;
};

inline constexpr int kMonitorNameWidth = 100;

PresentationSettings ReadPresentationSettings(Connection& connection);

// Stores `settings` with a record row, in one transaction under the write
// lock, when they differ from what the file holds then; otherwise writes
// nothing. A monitor name too long to keep throws Error and changes nothing.
void WritePresentationSettings(Connection& connection, const PresentationSettings& settings);

// What the record row says of `settings`: "som ligado, modo calmo desligado,
// monitor HDMI-1".
QString PresentationSettingsText(const PresentationSettings& settings);

} // namespace tiravo
