#pragma once

#include <QString>

namespace tiravo {

// The one form in which a name is stored and compared, whichever way it came
// in (typed, imported, changed in place). Two spellings that print alike must
// be one name, or the duplicate test lets the second in and the minutes show
// the same winner twice; and nothing invisible may make a name print as
// another one.
//
// The name in Unicode NFC, without zero-width characters (U+200B to U+200D,
// U+2060, U+FEFF), bidirectional marks, embeddings, overrides and isolates
// (U+200E, U+200F, U+061C, U+202A to U+202E, U+2066 to U+2069), control
// characters or halves of surrogate pairs. A control character that parts
// words (a tab, a line break) becomes a blank; the others go. Blanks are kept
// where they are.
QString NormalizedName(const QString& text);

// NormalizedName() cut to the `width` characters of the name column, on a
// character boundary: the text a name is stored as, so the text it is
// compared as.
QString StoredName(const QString& text, int width);

class Dataset;

// Puts the name of the row being posted through `names`, a view over the name
// pool, into its stored form: the hook before a post of a view whose names
// are changed in place, where the text comes as typed.
void StoreNameInItsForm(Dataset& names);

} // namespace tiravo
