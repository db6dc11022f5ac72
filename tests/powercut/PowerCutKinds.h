#pragma once

#include "support/FileInspection.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace tiravo {
class Connection;
class TestServices;
} // namespace tiravo

namespace tiravo::powercut {

// One piece of work that the power may go out in the middle of, done through
// the program's windows as an operator does it.
//
// To add a kind: derive from this in a file of its own beside the others and
// list it in AllPowerCutKinds(). The driver fills one file with prepare(),
// then for every cut copies it, runs a new object's work() on the copy over
// the power-cut file layer, cuts the power at a random write, and, on the
// file as the disk then holds it, runs the engine's integrity check and
// check().
class PowerCutKind {
public:
    virtual ~PowerCutKind() = default;

    virtual QString name() const = 0;
    // Fills a new, empty database file once; every cut starts from a copy.
    virtual void prepare(Connection& connection) = 0;
    // The work on the copy, with the fake services; remembers what the
    // windows told the operator was done.
    virtual void work(Connection& connection, TestServices& fake) = 0;
    // Whether the windows told the operator the whole work was done.
    virtual bool reportedDone() const = 0;
    // What is wrong with the file after the cut: a change reported done that
    // is missing, a change half made, rows stored before that are gone.
    virtual QStringList check(Connection& connection) const = 0;
};

std::unique_ptr<PowerCutKind> NumberRangeCut(); // a range in the number editor
std::unique_ptr<PowerCutKind> DrawCut();        // a draw and its reshuffle
std::unique_ptr<PowerCutKind> NameImportCut();  // an import over free slots

using PowerCutFactory = std::unique_ptr<PowerCutKind> (*)();
std::vector<PowerCutFactory> AllPowerCutKinds();

// The integer in the first column of the first row `sql` yields.
using test::CountOf;

} // namespace tiravo::powercut
