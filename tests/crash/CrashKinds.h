#pragma once

#include "support/FileInspection.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tiravo {
class Connection;
}

namespace tiravo::crash {

// One kind of bulk work that a program may be killed in the middle of.
//
// To add a kind (an import of names, say): write a function that returns its
// CrashKind in a file of its own beside the others, and list it in
// AllCrashKinds(). The driver does the rest: it fills one file with
// `prepare`, then for every trial copies it, runs `work` on the copy in a
// child process, kills the child with SIGKILL at a random moment, runs the
// engine's integrity check and hands the copy to `check`.
struct CrashKind {
    QString name;
    // Fills a new, empty database file once; every trial starts from a copy.
    std::function<void(Connection&)> prepare;
    // The work, as the program does it, on the copy; runs in the child.
    std::function<void(Connection&)> work;
    // What is wrong with the copy after the kill; empty when every row is
    // wholly there or wholly absent. Runs in the test itself.
    std::function<QStringList(Connection&)> check;
    // A work that first reads much before its work proper stops itself with
    // ReadyForKills() there; the kills fall after that moment.
    bool stopsWhenReady = false;
    // The kills of a kind whose trials take long: this environment variable,
    // else `defaultKills`, instead of TIRAVO_CRASH_TRIALS.
    QString killsVariable;
    int defaultKills = 30;
};

// Called by a work that stops when ready: the driver lets it go on at once.
void ReadyForKills();

CrashKind NumberRangeKind(); // a range of 200,000 numbers
CrashKind ReshuffleKind();   // a reshuffle of a pool of 100,000 numbers
CrashKind NameImportKind();  // an import of 100,000 names over 50 free slots
CrashKind DrawKind();        // a draw over 1,000,000 numbers
CrashKind AbsenceKind();     // 200 winners made absent one by one
CrashKind BatchKind();       // a batch of 12 draws over 100,000 numbers

std::vector<CrashKind> AllCrashKinds();

// The number of rows of `sql`'s first column's first row, as an integer.
using test::CountOf;

// The problems every pool row may have: a key that is not four lower-case
// letters, an Ok flag not set.
QStringList BrokenPoolRows(Connection& connection, const QString& table);

} // namespace tiravo::crash
