#pragma once

#include <cstdint>

namespace tiravo::powercut {

// A file layer for the engine, put under the encryption in place of the
// plain one, that behaves as a disk whose cache is lost in a power cut: what
// the engine writes stays in memory until it syncs that file, and a cut drops
// every write not synced since, in the database, its log and its journal
// alike. The files on disk hold exactly what was synced.
//
// The cut comes at a chosen write: counting every write, truncation, sync and
// deletion the engine asks for, the one at `cutAt` and all that follow fail
// with an I/O error, as if the machine had stopped there. Reads fail from
// then on too, so that the program, like a machine without power, learns
// nothing more from the disk.
class PowerCutVfs {
public:
    // Becomes the engine's default file layer; the plain one is the default
    // again once this is gone. One at a time.
    PowerCutVfs();
    ~PowerCutVfs();
    PowerCutVfs(const PowerCutVfs&) = delete;
    PowerCutVfs& operator=(const PowerCutVfs&) = delete;

    // 0: no cut. Counting starts again from here.
    void cutAt(std::uint64_t write);
    // Writes counted since cutAt().
    std::uint64_t writes() const;
    bool cut() const;

    // The power stays on: what was written and not synced reaches the disk,
    // as the system would write it back in its own time. Only with every
    // connection closed.
    void writeBack();
    // The power goes: what was not synced is lost. Only with every
    // connection closed.
    void dropUnsynced();
};

} // namespace tiravo::powercut
