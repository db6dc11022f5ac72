#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tiravo {

class Dataset;
class Random;

// The names of a plain text file, one to a line, as the name editor imports
// them. The text is read as a stream: every character of code 32 or less
// between two names is skipped (so blank and empty lines and the blanks that
// begin a line), and a name runs from there to the end of its line, trailing
// blanks and all. A carriage return before a line feed belongs to the line
// break, one anywhere else is dropped; the character 26 ends the file. Each
// name is its line's first 80 characters, in its normal form
// (NormalizedName: a line of nothing but invisible characters is an empty
// one); the column keeps 40 of them.
QStringList NamesToImport(const QByteArray& bytes);

// The names of the lines of a text, or of the cells of a spreadsheet's
// column, by the rules above: blanks before a name skipped, and a line of
// nothing else no name.
QStringList ImportedNames(const QStringList& lines);

// The same from a file; throws Error, with the system's reason, when the
// file cannot be opened or read.
QStringList ReadNamesToImport(const QString& path);

inline constexpr int kImportedNameLength = 80;

// The current row of a view over the name pool holds `name`, available, in
// the form it is stored in (StoredName).
void WriteAvailableName(Dataset& row, const QString& name);

// Where a name comes from decides the key of a new row: a typed name gets a
// key built after fresh entropy, as every entry an operator adds one at a time
// does; the names of a file continue the generator's sequence, as every bulk
// insertion of new rows does (the photo editor's new rows likewise), so that
// an import of thousands does not draw on the system's entropy thousands of
// times. A free slot's hook gives the row a fresh key of its own either way.
enum class NameSource { Typed, Imported };

// Adds `name` as available, in its stored form: into the current free slot
// of `freeSlots` while there is one, else as a new row of the pool view. A row
// that fails is dropped before the error goes on.
void AddAvailableName(Dataset& pool, Dataset& freeSlots, const QString& name, Random& random,
                      NameSource source);

// Adds each name whose stored form (StoredName) the pool view does not show
// yet, in that form; one whose form is empty is no name. Into the free slot
// current in `freeSlots` while there is one (its hook gives the key), else as
// a new row of the pool view with a key of its own. One transaction; a row
// that fails is dropped before the error goes on, and the rows stored before
// it stay.
//
// The duplicate test asks the pool view, which sees the rows inserted through
// it but not the free slots filled meanwhile: while free slots last, a name
// the file repeats is stored once for each time.
void ImportNames(Dataset& pool, Dataset& freeSlots, const QStringList& names, Random& random);

} // namespace tiravo
